// The flare's per-frame motion: the fade towards 1 while seen and towards 0
// while hidden with the flicker on top, the roll, and the flicker cycle drawn
// from the random generator.
#include <gtest/gtest.h>

#include "math/random.h"
#include "world/flare.h"

namespace {

TEST(FlareUpdateTest, FadesByTheSeenFlagWithTheFlickerOnTop) {
  struct Case {
    const char* name;
    bool seen;
    float intensity, fadeOutRate;
    float expected;  // after 0.1 s; without a "flash" line the flicker always brightens, 0.07 here
  };
  const Case cases[] = {
      {"fading in", true, 0.0f, 6.0f, 0.67f},
      {"capped at 1 before the flicker", true, 0.9f, 6.0f, 1.07f},
      {"above 1 goes back to 1", true, 1.07f, 6.0f, 1.07f},
      {"fading out", false, 1.0f, 6.0f, 0.47f},
      {"fading out at 3 per second", false, 1.0f, 3.0f, 0.77f},
      {"out at 0 stays there", false, 0.3f, 6.0f, 0.0f},
      {"dark and hidden", false, 0.0f, 6.0f, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Flare flare;
    flare.seen = c.seen;
    flare.intensity = c.intensity;
    flare.fadeOutRate = c.fadeOutRate;
    flare.update(0.1);
    EXPECT_NEAR(flare.intensity, c.expected, 1e-5f);
  }
}

TEST(FlareUpdateTest, TheSpriteRollsAndWrapsOnce) {
  struct Case {
    float angle, speed, expected;
  };
  for (const Case c : {Case{350.0f, 24.0f, 14.0f}, Case{10.0f, -30.0f, 340.0f}, Case{0.0f, 24.0f, 24.0f}}) {
    Flare flare;
    flare.rotationAngle = c.angle;
    flare.rotationSpeed = c.speed;
    flare.update(1.0);
    EXPECT_NEAR(flare.rotationAngle, c.expected, 1e-4f) << c.angle;
  }
}

TEST(FlareUpdateTest, AFlickerCycleDimsThenBrightensAndDrawsTheNext) {
  Flare flare;
  flare.seen = true;
  flare.fadeInRate = 0.0f;  // the flicker alone moves the intensity
  flare.intensity = 0.5f;
  flare.flickerAmount = 2.0f;
  flare.flickerDim = 1.5f;  // dim for 0.25 s, then brighten until 0.75 s
  flare.flickerEnd = 4.5f;
  for (int step = 0; step < 6; ++step) flare.update(0.125);  // clock 0.75 to 4.5
  // One step dims, five brighten, each by 0.7 × 0.125.
  EXPECT_NEAR(flare.intensity, 0.5f + 4 * 0.0875f, 1e-5f);
  EXPECT_FLOAT_EQ(flare.flickerClock, 4.5f);

  seedRandom(4242);
  const double r1 = randomUnit(), r2 = randomUnit();
  seedRandom(4242);
  flare.update(0.125);  // past the end: a new cycle
  EXPECT_FLOAT_EQ(flare.flickerClock, 0.0f);
  EXPECT_NEAR(flare.flickerDim, r1 * 2.0 * 6.0, 1e-4);
  EXPECT_NEAR(flare.flickerEnd, (r2 * 2.0 + r1 * 2.0) * 6.0, 1e-4);
}

TEST(FlareUpdateTest, AFlareDimmedBelowZeroFadesBackInWhenSeen) {
  Flare flare;
  flare.seen = false;
  flare.intensity = 0.01f;
  flare.fadeOutRate = 0.0f;
  flare.flickerDim = 6.0f;  // a long dim
  flare.flickerEnd = 12.0f;
  flare.update(0.5);
  EXPECT_NEAR(flare.intensity, 0.01f - 0.35f, 1e-5f);  // the flicker is not clamped
  flare.seen = true;
  flare.update(0.1);
  EXPECT_NEAR(flare.intensity, 0.01f - 0.35f + 0.6f - 0.07f, 1e-5f);
}

}  // namespace
