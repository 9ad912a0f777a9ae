// Golden frames: a picture compared with a PNG under tests/golden/, with a
// tolerance for rounding in the rasteriser and the decoders.
//
// To regenerate them after a deliberate change, run the test with
// VT_UPDATE_GOLDEN=1 in the environment, e.g.
//   VT_UPDATE_GOLDEN=1 build/bin/journey_golden_test
// and look at every rewritten PNG before accepting it. A failing comparison
// leaves the picture it saw under <build>/test-output/golden/.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"

namespace golden_test {

// A channel further off than this counts the pixel as different.
constexpr int kChannelTolerance = 16;
// At most this share of the pixels may differ.
constexpr double kDifferentShare = 0.005;

// Compares RGBA rows, top-down, with tests/golden/NAME.png (alpha ignored).
inline void expectMatchesGolden(const std::string& name, int width, int height, std::vector<std::uint8_t> rgba) {
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;  // the screen shows colour only
  const std::filesystem::path golden = std::filesystem::path(VT_SOURCE_DIR) / "tests/golden" / (name + ".png");
  const char* update = std::getenv("VT_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(image::writePng(golden.string(), width, height, rgba)) << golden;
    std::printf("wrote %s\n", golden.string().c_str());
    return;
  }
  int goldenWidth = 0, goldenHeight = 0;
  std::vector<std::uint8_t> expected;
  ASSERT_TRUE(image::readPng(golden.string(), goldenWidth, goldenHeight, expected))
      << golden << " is missing: run with VT_UPDATE_GOLDEN=1 to make it";
  ASSERT_EQ(goldenWidth, width) << name;
  ASSERT_EQ(goldenHeight, height) << name;
  ASSERT_EQ(expected.size(), rgba.size()) << name;
  std::size_t different = 0;
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    for (std::size_t c = 0; c < 3; ++c) {
      if (std::abs(rgba[i + c] - expected[i + c]) > kChannelTolerance) {
        ++different;
        break;
      }
    }
  }
  const std::size_t pixels = rgba.size() / 4;
  if (different > kDifferentShare * pixels) {
    const std::filesystem::path seen = std::filesystem::path(VT_BINARY_DIR) / "test-output/golden" / (name + ".png");
    std::filesystem::create_directories(seen.parent_path());
    image::writePng(seen.string(), width, height, rgba);
    ADD_FAILURE() << name << ": " << different << " of " << pixels << " pixels differ from " << golden
                  << "; the picture is in " << seen;
  }
}

// The current drawable's picture compared the same way.
inline void expectGoldenFrame(const std::string& name, int width, int height) {
  std::vector<std::uint8_t> frame;
  ASSERT_TRUE(platform::headless::captureFrame(width, height, frame));
  expectMatchesGolden(name, width, height, std::move(frame));
}

}  // namespace golden_test
