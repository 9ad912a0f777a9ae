// The flare's lens chain, its lens textures and its per-frame fade, roll and
// flicker.
#include "world/flare.h"

#include <cstring>

#include "math/random.h"
#include "resources/texture.h"

const LensSprite kLensChain[kLensSpriteCount] = {
    {-0.08f, 1.0f, 2}, {0.21f, 0.1f, 0}, {0.32f, 0.5f, 2}, {0.7f, 0.1f, 1},  {0.85f, 0.2f, 1},
    {0.89f, 0.12f, 1}, {1.21f, 0.05f, 1}, {1.39f, 0.2f, 0}, {1.44f, 0.4f, 1}, {1.8f, 1.3f, 2},
    {-0.3f, 0.5f, 2},  {0.6f, 0.2f, 1},  {0.4f, 0.4f, 0},
};

namespace {

constexpr float kFullTurn = 360.0f;
// The flicker clock runs six times as fast as the scene.
constexpr double kFlickerClockRate = 6.0;
// Intensity per second that a flicker cycle takes away or adds.
constexpr double kFlickerRate = 0.7;

}  // namespace

Flare::Flare() = default;

void Flare::setLensTexture(const char* textureName, int slot) {
  const std::size_t length = std::strlen(textureName);
  if (length >= 3 && std::strcmp(textureName + length - 3, "tga") == 0) alphaTexture = true;
  if (slot < 0 || slot >= kLensTextureCount) return;
  const Texture* entry = textureRegistry.find(textureName);
  if (entry) lensTextures[slot] = entry->texture;
}

void Flare::update(double dt) {
  if (seen) {
    if (intensity < 1.0f) intensity = static_cast<float>(intensity + fadeInRate * dt);
    if (intensity > 1.0f) intensity = 1.0f;
  } else {
    if (intensity > 0.0f) intensity = static_cast<float>(intensity - fadeOutRate * dt);
    if (intensity < 0.0f) intensity = 0.0f;
  }

  rotationAngle = static_cast<float>(rotationAngle + rotationSpeed * dt);
  if (rotationAngle > kFullTurn) rotationAngle -= kFullTurn;
  if (rotationAngle < 0.0f) rotationAngle += kFullTurn;

  // Neither flicker step is clamped: a dimming flare may end below 0.
  flickerClock = static_cast<float>(flickerClock + kFlickerClockRate * dt);
  if (flickerClock < flickerDim) {
    intensity = static_cast<float>(intensity - kFlickerRate * dt);
  } else if (intensity > 0.0f) {
    intensity = static_cast<float>(intensity + kFlickerRate * dt);
  }

  // A new cycle: dim for r1 × flickerAmount seconds, then brighten for
  // r2 × flickerAmount seconds (clock values are six times the seconds).
  if (flickerClock > flickerEnd) {
    const float dimSeconds = static_cast<float>(randomUnit() * flickerAmount);
    flickerEnd = static_cast<float>((randomUnit() * flickerAmount + dimSeconds) * kFlickerClockRate);
    flickerDim = static_cast<float>(dimSeconds * kFlickerClockRate);
    flickerClock = 0.0f;
  }
}
