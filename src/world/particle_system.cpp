// The particle system's construction, its particle arrays, the update step
// every kind shares and the choice of draw.
#include "world/particle_system.h"

#include <GL/gl.h>

#include <algorithm>

#include "math/random.h"

namespace {

constexpr float kSeedVelocityZ = -1000.0f;
constexpr float kSeedDistance = 250.0f;
constexpr double kSeedLifeSpan = 25.0;

}  // namespace

ParticleSystem::ParticleSystem() : phase(static_cast<float>(randomUnit() * 360.0)) {}

void ParticleSystem::initParticles(std::int32_t n) {
  count = std::clamp<std::int32_t>(n, 0, kMaxParticles);
  const auto entries = static_cast<std::size_t>(count);
  positions.assign(entries, Vector3(0.0f, 0.0f, 0.0f));
  velocities.assign(entries, Vector3(0.0f, 0.0f, kSeedVelocityZ));
  accelerations.assign(entries, Vector3(0.0f, 0.0f, 0.0f));
  life.assign(entries, 0.0f);
  maxLife.assign(entries, 0.0f);
  rollAngle = 0.0f;
  elapsed = 0.0f;
  period = 0.0f;
  for (std::size_t i = 0; i < entries; ++i) {
    positions[i] = add(position, scale(randomDirection(), kSeedDistance));
    life[i] = static_cast<float>(randomUnit() * kSeedLifeSpan);
  }
}

void ParticleSystem::update(double dt) {
  if (emitterKind != kDust) elapsed = static_cast<float>(elapsed + dt);
  if (emitterKind != kFlash) moveParticles(static_cast<float>(dt));
  if (emitterKind == kCirc && elapsed > period) startBurst();
  if (emitterKind == kFlash && elapsed > period) stepFlash(dt);
  // Dust particles are re-emitted by the draw.
}

void ParticleSystem::moveParticles(float dt) {
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    positions[i] = add(positions[i], scale(velocities[i], dt));
    velocities[i] = add(velocities[i], scale(accelerations[i], dt));
    if (emitterKind == kLine) {
      elapsed = 0.0f;  // a jet has no cycle: its backdrop stays transparent
      life[i] += dt;
      if (life[i] > maxLife[i]) reemitLineParticle(i);
    }
  }
}

void ParticleSystem::draw(const Camera& viewer) {
  glPushMatrix();
  switch (emitterKind) {
    case kDust:
      drawDust(viewer);
      break;
    // The glare sits on the middle particle and the sweep divides by count.
    case kFlash:
      if (count > 0) drawFlash();
      break;
    case kLine:
    case kCirc:
      drawLineOrCirc();
      break;
    default:
      break;
  }
  glPopMatrix();
}
