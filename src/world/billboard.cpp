// The billboard's construction and its per-frame roll and blink cycle.
#include "world/billboard.h"

#include "math/random.h"

namespace {

constexpr float kFullTurn = 360.0f;

}  // namespace

Billboard::Billboard() : rollSpeed(static_cast<float>((1.0 - 2.0 * randomUnit()) * 60.0)) {}

void Billboard::update(double dt) {
  rollAngle = static_cast<float>(rollAngle + rollSpeed * dt);
  if (rollAngle > kFullTurn) rollAngle -= kFullTurn;
  if (rollAngle < 0.0f) rollAngle += kFullTurn;

  flashClock = static_cast<float>(flashClock + dt);
  const float cycle = flashHidden + flashShown;
  if (cycle < flashClock) flashClock -= cycle;
}
