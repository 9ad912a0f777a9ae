// Line and circ: a jet whose particles are re-emitted from the system's
// position when their life runs out, and a burst that restarts at a random
// place around point1 every 2 to 3 seconds. Both draw a backdrop quad facing
// along the line from point1 to the system, then their particles as quads in
// the screen plane, each turned about the view axis.
#include <GL/gl.h>

#include <cmath>

#include "math/random.h"
#include "world/particle_quad.h"
#include "world/particle_system.h"

namespace {

const Vector3 kWorldUp(0.0f, 1.0f, 0.0f);
constexpr float kBackdropHalfSize = 2000.0f;
constexpr float kBurstHalfSize = 1100.0f;

float fraction() { return static_cast<float>(randomUnit()); }

// `v` turned about a fresh random axis by up to maxDegrees; the axis is
// drawn before the angle.
Vector3 turnedAtRandom(Vector3 v, float maxDegrees) {
  const Vector3 axis = randomDirection();
  rotateAboutAxis(v, axis, maxDegrees * fraction());
  return v;
}

}  // namespace

void ParticleSystem::reemitLineParticle(std::size_t i) {
  positions[i] = Vector3(0.0f, 0.0f, 0.0f);
  velocities[i] = Vector3(0.0f, 0.0f, -2400.0f - 17100.0f * fraction());
  const float r1 = fraction();
  const float r2 = fraction();
  accelerations[i] = scale(Vector3(1.0f + r2, r1, 0.0f), velocities[i].length() * 0.57f);
  life[i] = 0.0f;
  maxLife[i] = 1.0f + 2.0f * fraction();
}

void ParticleSystem::startBurst() {
  elapsed = 0.0f;
  period = 2.0f + fraction();
  const Vector3 d = randomDirection();
  const Vector3 reach = scale(d, size);
  position = add(point1, reach);
  const bool fast = fraction() < 0.2f;
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const Vector3 u = turnedAtRandom(reach, 10.0f);
    positions[i] = subtract(reach, u);
    Vector3 velocity = scale(normalize(subtract(scale(reach, 1.1f), u)), 100.0f + 700.0f * fraction());
    if (fast) velocity = scale(d, 400.0f + 1700.0f * fraction());
    velocities[i] = turnedAtRandom(velocity, 30.0f);
    accelerations[i] = scale(negate(d), 300.0f * fraction());
  }
}

void ParticleSystem::drawLineOrCirc() {
  const ScreenAxes axes = readScreenAxes();
  const Vector3 toSystem = subtract(position, point1);
  const Vector3 a = normalize(cross(toSystem, kWorldUp));
  const Vector3 b = normalize(cross(a, toSystem));
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, texture);
  translateToPosition();

  // Without a period the cycle has not begun: the backdrop is transparent.
  const float progress = period != 0.0f ? elapsed / period : 0.0f;
  const float fade = 1.0f - std::fabs(2.0f * progress - 1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, fade);
  drawParticleQuad(a, b, kBackdropHalfSize);

  const Vector3 n = cross(axes.right, axes.up);
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const Vector3 p = positions[i];
    const float turns = static_cast<float>(count - 2 * static_cast<std::int32_t>(i));
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    if (emitterKind == kLine) {
      glRotatef(20.0f * p.z * turns, n.x, n.y, n.z);
      // A particle not yet emitted has no life span and is not seen.
      const float alpha = maxLife[i] > 0.0f ? 1.0f - life[i] / maxLife[i] : 0.0f;
      glColor4f(1.0f, 1.0f, 1.0f, alpha);
      drawParticleQuad(axes.right, axes.up, 800.0f - 0.2f * p.z);
    } else {
      glRotatef(20.0f * progress * turns, n.x, n.y, n.z);
      glColor4f(1.0f, 1.0f, 1.0f, fade);
      drawParticleQuad(axes.right, axes.up, kBurstHalfSize);
    }
    glPopMatrix();
  }

  glEnable(GL_DEPTH_TEST);
  // What every later object expects.
  glEnable(GL_LIGHTING);
  glEnable(GL_ALPHA_TEST);
}
