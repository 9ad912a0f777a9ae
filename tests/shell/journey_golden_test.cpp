// Golden frames of the journey itself: the built data archive played on the
// headless backend at fixed scene times (the virtual clock makes every run
// the same to the frame). See tests/platform/golden_frames.h to regenerate.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/golden_frames.h"
#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"
#include "platform/platform.h"
#include "shell/saver_app.h"
#include "shell/saver_run.h"
#include "shell/settings.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr double kFps = 10.0;

struct Shot {
  const char* startScene;
  double seconds;  // scene time of the frame
  const char* golden;
};

class JourneyGoldenTest : public ::testing::TestWithParam<Shot> {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    data_ = std::string(VT_BINARY_DIR) + "/data";
    ASSERT_TRUE(std::filesystem::exists(data_ + "/data.sdd")) << "the data archive is built with the project";
    ASSERT_TRUE(platform::start({platform::BackendKind::Headless, kWidth, kHeight, kFps}));
    // Everything that does not come from the archive and the virtual clock
    // stays out of the picture: the wall clock, the frame counter, music.
    settings::Width = kWidth;
    settings::Height = kHeight;
    settings::Random = 0;
    settings::ShowClock = 0;
    settings::ShowFPS = 0;
    settings::EnableMusic = 0;
    settings::DefGamma = 1;
    settings::Detail = 2;
    settings::English = 1;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(data_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    platform::stop();
  }

  std::string data_;
  std::filesystem::path previous_;
};

TEST_P(JourneyGoldenTest, FrameAtSceneTime) {
  const Shot& shot = GetParam();
  const std::string frames = std::string(VT_BINARY_DIR) + "/test-output/journey/" + shot.golden;
  std::filesystem::remove_all(frames);
  ASSERT_TRUE(platform::headless::recordFrames(frames, 0));
  SaverApp app;
  app.enumerateMonitors();
  SaverRunOptions options;
  options.startScene = shot.startScene;
  const auto journeyFrame = static_cast<std::uint64_t>(shot.seconds * kFps);
  options.frameLimit = journeyFrame + 1;
  SaverRunStats stats;
  runSaver(app, options, &stats);
  ASSERT_EQ(stats.loopFrames, options.frameLimit);

  // The loading screen's pictures come first.
  const std::uint64_t index = platform::headless::framesWritten() - stats.loopFrames + journeyFrame;
  char name[32];
  std::snprintf(name, sizeof name, "/frame_%05llu.png", static_cast<unsigned long long>(index));
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  ASSERT_TRUE(image::readPng(frames + name, width, height, rgba));
  golden_test::expectMatchesGolden(shot.golden, width, height, rgba);
  std::filesystem::remove_all(frames);
}

INSTANTIATE_TEST_SUITE_P(Journey, JourneyGoldenTest,
                         ::testing::Values(Shot{"system/intro0.txt", 4.0, "journey_intro_4s"},
                                           Shot{"system/sun0.txt", 10.0, "journey_sun_10s"},
                                           Shot{"earth/earth0.txt", 8.0, "journey_earth_8s"},
                                           Shot{"aster/aster0.txt", 6.0, "journey_asteroids_6s"}),
                         [](const ::testing::TestParamInfo<Shot>& info) {
                           return std::string(info.param.golden);
                         });

}  // namespace
