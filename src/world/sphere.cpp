// The sphere's construction and its per-frame motion: spin, orbit, moon and
// parent-relative ("sys") positions, and the flash timer.
#include "world/sphere.h"

#include <cmath>

#include "direction/scene_clock.h"
#include "math/random.h"

namespace {

constexpr float kFullTurn = 360.0f;
// The "plt" orbit: an ellipse of semi-axes 1.5 R (x) and R (z), tilted so
// that y follows x.
constexpr float kPltRadius = 412000.0f;

float wrapOnce(float angle) { return angle > kFullTurn ? angle - kFullTurn : angle; }

Vector3 turned(Vector3 v, Vector3 axis, float angle) {
  rotateAboutAxis(v, axis, angle);
  return v;
}

}  // namespace

// Members initialise in declaration order: flashU draws first, then flashV.
Sphere::Sphere() : flashU(static_cast<float>(randomUnit())), flashV(static_cast<float>(randomUnit())) {}

void Sphere::update(double dt) {
  const float t = sceneClock;

  spinAngle = wrapOnce(static_cast<float>(spinAngle + spinSpeed * dt));

  // A period of 0 would divide by zero: such a sphere has no orbital motion.
  const float orbitAngle = wrapOnce(period != 0.0f ? 5000.0f / period * t + orbitPhase : orbitPhase);

  if (moon) {
    moonAngle = t * moonSpeed + orbitPhase;
    position = turned(basePosition, spinAxis, moonAngle);
    spinAngle = moonAngle;  // the moon keeps one face to its centre
  }

  if (!light && orbit) {
    if (!plt) {
      position = turned(basePosition, Vector3(0.0f, 1.0f, 0.0f), orbitAngle);
    } else {
      const float theta = orbitAngle * 6.2831855f / 360.0f;
      const float x = std::cos(theta) * kPltRadius * 1.5f;
      position = Vector3(x, x * 0.2f, std::sin(theta) * kPltRadius);
    }
  }

  // Relative to the parent; draw adds the parent's position.
  if (sys) {
    if (!uranmoon) {
      position = turned(basePosition, spinAxis, spinAngle);
    } else if (parent) {
      const Vector3 parentPosition = parent->position;
      const Vector3 across = normalize(cross(Vector3(0.0f, 1.0f, 0.0f), parentPosition));
      position = turned(scale(across, basePosition.x), parentPosition, spinAngle);
    }
  }

  flashElapsed = static_cast<float>(flashElapsed + dt);
  if (flashElapsed > flashDuration) {
    flashOn = !flashOn;
    flashElapsed -= flashDuration;
    flashDuration = 0.5f;
    if (rnd) {
      flashElapsed = 0.0f;
      flashDuration = flashOn ? static_cast<float>(randomUnit() * 0.4 + 0.4)
                              : static_cast<float>(randomUnit() * 0.1 + 0.1);
    }
    // Each switch to on places the layer at a new random offset and angle.
    if (flashOn) {
      flashU = static_cast<float>(randomUnit());
      flashV = static_cast<float>(randomUnit());
      flashAngle = static_cast<float>(randomUnit() * 180.0);
    }
  }
}
