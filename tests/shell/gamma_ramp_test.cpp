// The gamma ramp that the brightness setting drives.
#include <gtest/gtest.h>

#include "shell/gl_setup.h"

namespace {

TEST(GammaRamp, ExponentFollowsTheBrightnessSetting) {
  EXPECT_FLOAT_EQ(gammaExponent(0), 1.5f);
  EXPECT_FLOAT_EQ(gammaExponent(50), 1.0f);
  EXPECT_FLOAT_EQ(gammaExponent(100), 0.5f);
}

TEST(GammaRamp, Entries) {
  struct Case {
    int gamma;
    int index;
    std::uint16_t value;
  };
  const Case cases[] = {{50, 0, 0},     {50, 1, 256},       {50, 128, 32768}, {50, 255, 65280},
                        {0, 128, 23170}, {100, 128, 46340}, {100, 0, 0},      {0, 0, 0}};
  for (const Case& c : cases) {
    std::uint16_t channel[256];
    computeGammaChannel(gammaExponent(c.gamma), channel);
    EXPECT_EQ(channel[c.index], c.value) << "Gamma " << c.gamma << " entry " << c.index;
  }
}

TEST(GammaRamp, LinearRampIsExactEverywhere) {
  std::uint16_t channel[256];
  computeGammaChannel(1.0f, channel);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(channel[i], 256 * i);
}

}  // namespace
