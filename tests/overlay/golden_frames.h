// Golden frames: the picture on the headless drawable compared with a PNG
// under tests/golden/, with a tolerance for rounding in the rasteriser and
// the decoders.
//
// To regenerate them after a deliberate change, run the test with
// VT_UPDATE_GOLDEN=1 in the environment, e.g.
//   VT_UPDATE_GOLDEN=1 build/bin/overlay_golden_test
// and look at every rewritten PNG before accepting it. A failing comparison
// leaves the frame it saw under <build>/test-output/golden/.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"

namespace overlay_test {

// A channel further off than this counts the pixel as different.
constexpr int kGoldenChannelTolerance = 16;
// At most this share of the pixels may differ.
constexpr double kGoldenDifferentShare = 0.005;

inline void expectGoldenFrame(const std::string& name, int width, int height) {
  std::vector<std::uint8_t> frame;
  ASSERT_TRUE(platform::headless::captureFrame(width, height, frame));
  // The screen shows colour only; the drawable's alpha would just confuse
  // whoever looks at the PNG.
  for (std::size_t i = 3; i < frame.size(); i += 4) frame[i] = 255;
  const std::filesystem::path golden = std::filesystem::path(VT_SOURCE_DIR) / "tests/golden" / (name + ".png");
  const char* update = std::getenv("VT_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(image::writePng(golden.string(), width, height, frame)) << golden;
    std::printf("wrote %s\n", golden.string().c_str());
    return;
  }
  int goldenWidth = 0, goldenHeight = 0;
  std::vector<std::uint8_t> expected;
  ASSERT_TRUE(image::readPng(golden.string(), goldenWidth, goldenHeight, expected))
      << golden << " is missing: run with VT_UPDATE_GOLDEN=1 to make it";
  ASSERT_EQ(goldenWidth, width) << name;
  ASSERT_EQ(goldenHeight, height) << name;
  std::size_t different = 0;
  for (std::size_t i = 0; i < frame.size(); i += 4) {
    for (std::size_t c = 0; c < 3; ++c) {
      if (std::abs(frame[i + c] - expected[i + c]) > kGoldenChannelTolerance) {
        ++different;
        break;
      }
    }
  }
  const std::size_t pixels = frame.size() / 4;
  if (different > kGoldenDifferentShare * pixels) {
    const std::filesystem::path seen = std::filesystem::path(VT_BINARY_DIR) / "test-output/golden" / (name + ".png");
    std::filesystem::create_directories(seen.parent_path());
    image::writePng(seen.string(), width, height, frame);
    ADD_FAILURE() << name << ": " << different << " of " << pixels << " pixels differ from " << golden
                  << "; the frame is in " << seen;
  }
}

}  // namespace overlay_test
