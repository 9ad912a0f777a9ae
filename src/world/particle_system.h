// Particle systems: many textured quads, blended additively, that a small
// physics step moves every frame. Four emitter kinds, each a complete effect:
//
// - dust (1): particles around the camera that drift along world -z, fade
//   out towards 160 units and are re-emitted by the draw when they get
//   further away; the global system `globalParticles` is of this kind;
// - flash (2): a chain of quads along a random walk that is rebuilt at a
//   random place once a bright spot has swept along it, flickering;
// - line (3): a jet of fast particles re-emitted from the system's position
//   when their life runs out;
// - circ (4): a burst at a random place around point1 that repeats every 2
//   to 3 seconds, behind a backdrop quad that fades in and out with it.
//
// Every particle array is made once by initParticles; update and draw never
// allocate. The draws leave blending on with the additive function, lighting,
// the alpha test, the depth test and depth writes on, face culling off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/world_object.h"

class ParticleSystem : public WorldObject {
 public:
  enum Kind : std::int32_t { kNoKind = 0, kDust = 1, kFlash = 2, kLine = 3, kCirc = 4 };
  // No system holds more particles; a larger count is cut to it.
  static constexpr std::int32_t kMaxParticles = 10000;

  ParticleSystem();
  ~ParticleSystem() override = default;
  // A kind other than the four draws nothing; so does a flash without
  // particles.
  void draw(const Camera& camera) override;
  void update(double dt) override;

  // Makes the particle arrays for `n` particles (none when n is not
  // positive) and seeds them; resets rollAngle, elapsed and period to 0.
  void initParticles(std::int32_t n);

  // Per particle; relative to the system's position (dust: to the camera).
  std::vector<Vector3> positions;
  std::vector<Vector3> velocities;     // units per second
  std::vector<Vector3> accelerations;  // units per second squared
  std::vector<float> life;             // seconds since emitted (line)
  std::vector<float> maxLife;          // life span (line)
  float size = 2.0f;                   // half the side of a quad
  float phase;                         // flash spin phase; drawn by the constructor
  std::int32_t count = 0;              // entries of every array; set by initParticles only
  std::int32_t emitterKind = kNoKind;  // one of Kind; a block without a kind line has none
  float period = 0.0f;                 // seconds per cycle
  float elapsed = 0.0f;                // seconds since the cycle began
  std::int32_t flashStep = 0;          // from -count to 2 × count
  Vector3 point1{0.0f, 0.0f, 0.0f};    // reference point of line, circ and flash
  Vector3 point2{0.0f, 0.0f, 0.0f};    // kept, not used

  // The base field `right` is the flash's axis; "rot" and each new bolt set it.

 private:
  void moveParticles(float dt);
  void reemitLineParticle(std::size_t i);
  void startBurst();
  void stepFlash(double dt);
  void buildBolt();

  void drawDust(const Camera& viewer);
  void drawFlash();
  void drawLineOrCirc();
};

// The dust around the camera, drawn while particlesEnabled is set.
extern ParticleSystem globalParticles;

// Sets globalParticles up as the loading screen does: dust, the picture
// "particle.jpg" (as the registry's full path), size 50.3, 500 particles.
void initGlobalParticles();
