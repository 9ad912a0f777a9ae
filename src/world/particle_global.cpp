// The global dust system around the camera. Its own file, so that only a
// program that uses it constructs it (the constructor draws a random number).
#include "world/particle_system.h"

ParticleSystem globalParticles;

void initGlobalParticles() {
  globalParticles.emitterKind = ParticleSystem::kDust;
  // Looked up as a full path, so the registry's "textures\..." entries do
  // not match it.
  globalParticles.setTexture("particle.jpg");
  globalParticles.size = 50.3f;
  globalParticles.initParticles(500);
}
