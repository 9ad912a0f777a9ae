// The global dust system around the camera. Its own file, so that only a
// program that uses it constructs it (the constructor draws a random number).
#include "world/particle_system.h"

ParticleSystem globalParticles;

void initGlobalParticles() {
  globalParticles.emitterKind = ParticleSystem::kDust;
  // The registry holds full archive paths: the bare name "particle.jpg"
  // would find nothing and leave the dust as flat white quads that wash the
  // picture out.
  globalParticles.textured = globalParticles.setTexture("textures\\particle.jpg");
  globalParticles.size = 50.3f;
  globalParticles.initParticles(500);
}
