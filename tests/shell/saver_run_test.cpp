// The saver run end to end on the headless backend: startup, the frame loop's
// ways of ending, mouse travel, display mode, gamma and the first scene.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "math/random.h"
#include "math/random_control.h"
#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"
#include "platform/platform.h"
#include "shell/frame_timer.h"
#include "shell/run_state.h"
#include "shell/saver_app.h"
#include "shell/saver_loading.h"
#include "shell/saver_run.h"
#include "shell/saver_window.h"
#include "shell/settings.h"

namespace {

using namespace platform;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr double kFps = 10.0;
constexpr std::uint64_t kSafetyStop = 200;  // swaps after which a run that should go on is stopped

class SaverRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, kFps}));
    settings::Width = kWidth;
    settings::Height = kHeight;
    settings::Depth = 32;
    settings::MouseExit = 0;
    settings::EnableMusic = 0;
    settings::DefGamma = 1;
    settings::Gamma = 50;
    settings::Random = 0;
    settings::VSync = 0;
    mouseTravel = 0.0f;
    app_.enumerateMonitors();
  }
  void TearDown() override { stop(); }

  // Runs the saver until it ends by itself or the safety stop quits it.
  int run() {
    headless::quitAfterSwaps(kSafetyStop);
    return runSaver(app_);
  }

  static LPARAM offsetFromCentre(int dx, int dy) { return makeMouseLParam(kWidth / 2 + dx, kHeight / 2 + dy); }

  SaverApp app_;
};

TEST_F(SaverRunTest, KeyPressEndsTheRunAfterTheFrameInProgress) {
  headless::scheduleMessage(5, WM_KEYDOWN, 'A', 0);
  run();
  EXPECT_EQ(headless::swapCount(), 6u);
  EXPECT_EQ(keyState[0], 1);
  EXPECT_EQ(keyState['A'], 1);
}

TEST_F(SaverRunTest, ButtonsEndTheRunButNotTheMiddleOneOrTheWheel) {
  struct Case {
    std::uint32_t message;
    bool ends;
  };
  const Case cases[] = {{WM_LBUTTONDOWN, true}, {WM_RBUTTONDOWN, true}, {WM_MBUTTONDOWN, false},
                        {WM_MOUSEWHEEL, false}, {WM_SYSKEYDOWN, false}, {WM_KEYUP, false}};
  for (const Case& c : cases) {
    stop();
    ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, kFps}));
    headless::scheduleMessage(3, c.message, vk::Menu, 0);
    run();
    EXPECT_EQ(headless::swapCount(), c.ends ? 4u : kSafetyStop) << "message " << c.message;
  }
}

TEST_F(SaverRunTest, QuitEndsTheRunWithoutAnotherFrame) {
  headless::scheduleMessage(5, WM_CLOSE, 0, 0);
  run();
  EXPECT_EQ(headless::swapCount(), 5u);
}

TEST_F(SaverRunTest, FramesAreBlackWithoutData) {
  headless::scheduleMessage(3, WM_KEYDOWN, vk::Space, 0);
  const std::string directory = ::testing::TempDir() + "vantorel-black";
  std::filesystem::remove_all(directory);
  headless::recordFrames(directory, 0);
  run();
  EXPECT_EQ(headless::framesWritten(), 4u);
  EXPECT_EQ(currentWorld, nullptr);
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  ASSERT_TRUE(image::readPng(directory + "/frame_00003.png", width, height, rgba));
  EXPECT_EQ(width, kWidth);
  EXPECT_EQ(height, kHeight);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    ASSERT_EQ(rgba[i] | rgba[i + 1] | rgba[i + 2], 0) << "pixel " << i / 4;
  }
  std::filesystem::remove_all(directory);
}

TEST_F(SaverRunTest, MouseTravelAboveSevenEndsTheRunWithMouseExit) {
  struct Case {
    std::vector<int> moves;  // x offsets from the centre, one frame apart
    bool ends;
  };
  const Case cases[] = {
      {{24}, true},        // 7.2
      {{23}, false},       // 6.9
      {{-20, 40}, false},  // -6.0 then +12.0: a sum of 6.0
      {{10, 14}, true},    // 3.0 then 4.2: 7.2
  };
  for (const Case& c : cases) {
    stop();
    ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, kFps}));
    settings::MouseExit = 1;
    mouseTravel = 0.0f;
    std::uint64_t swap = 2;
    for (int dx : c.moves) headless::scheduleMessage(swap++, WM_MOUSEMOVE, 0, offsetFromCentre(dx, 0));
    run();
    EXPECT_EQ(headless::swapCount() < kSafetyStop, c.ends) << c.moves.front();
    // The cursor goes back to the centre after every consumed move.
    EXPECT_EQ(headless::cursorPosition().x, kWidth / 2);
  }
}

TEST_F(SaverRunTest, OnlyTheLastOfSeveralMovesBetweenFramesCounts) {
  settings::MouseExit = 1;
  headless::scheduleMessage(2, WM_MOUSEMOVE, 0, offsetFromCentre(24, 0));
  headless::scheduleMessage(2, WM_MOUSEMOVE, 0, offsetFromCentre(10, 0));
  run();
  EXPECT_EQ(headless::swapCount(), kSafetyStop);
  EXPECT_FLOAT_EQ(mouseTravel, 3.0f);
}

TEST_F(SaverRunTest, MouseTravelIsHarmlessWithoutMouseExit) {
  headless::scheduleMessage(2, WM_MOUSEMOVE, 0, offsetFromCentre(100, 80));
  run();
  EXPECT_EQ(headless::swapCount(), kSafetyStop);
}

TEST_F(SaverRunTest, InputOnACoverWindowDoesNothing) {
  // A second monitor beside the virtual one gets a black cover window.
  app_.monitors[1].monitor = 2;
  app_.monitors[1].rect = {kWidth, 0, 2 * kWidth, kHeight};
  app_.monitorCount = 2;
  settings::MouseExit = 1;
  const WindowHandle cover = kFirstWindowHandle + 1;  // windows are numbered from each start
  headless::scheduleMessageTo(2, cover, WM_LBUTTONDOWN, 0, 0);
  headless::scheduleMessageTo(3, cover, WM_KEYDOWN, 'Q', 0);
  headless::scheduleMessageTo(4, cover, WM_MOUSEMOVE, 0, makeMouseLParam(300, 10));
  run();
  EXPECT_EQ(headless::swapCount(), kSafetyStop);
}

TEST_F(SaverRunTest, NoMonitorWithAHandleMeansNoRun) {
  app_.monitorCount = 1;
  app_.monitors[0].monitor = 0;
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(headless::swapCount(), 0u);
}

TEST_F(SaverRunTest, DisplayModeIsSwitchedAndRestored) {
  settings::Width = 640;
  settings::Height = 480;
  settings::Depth = 16;
  headless::scheduleMessage(1, WM_KEYDOWN, 'A', 0);
  run();
  const auto& changes = headless::recordedModeChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_FALSE(changes[0].restore);
  EXPECT_EQ(changes[0].mode.width, 640);
  EXPECT_EQ(changes[0].mode.height, 480);
  EXPECT_EQ(changes[0].mode.bitsPerPixel, 16);
  EXPECT_TRUE(changes[1].restore);
  EXPECT_TRUE(headless::cursorVisible());
}

TEST_F(SaverRunTest, GammaRampIsSetAndMadeLinearAgainUnlessDefGamma) {
  settings::DefGamma = 0;
  settings::Gamma = 0;
  headless::scheduleMessage(1, WM_KEYDOWN, 'A', 0);
  run();
  ASSERT_EQ(headless::gammaRampCount(), 2);
  EXPECT_EQ((*headless::lastGammaRamp())[1][255], 65280);  // linear again at the end

  stop();
  ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, kFps}));
  settings::DefGamma = 1;
  headless::scheduleMessage(1, WM_KEYDOWN, 'A', 0);
  run();
  EXPECT_EQ(headless::gammaRampCount(), 0);
}

TEST_F(SaverRunTest, VSyncSetsTheSwapInterval) {
  for (int vsync : {0, 1}) {
    stop();
    ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, kFps}));
    settings::VSync = static_cast<std::uint8_t>(vsync);
    headless::scheduleMessage(1, WM_KEYDOWN, 'A', 0);
    run();
    EXPECT_EQ(headless::swapInterval(), vsync);
  }
}

TEST_F(SaverRunTest, SceneClockAdvancesByTheFrameTime) {
  headless::scheduleMessage(9, WM_KEYDOWN, 'A', 0);
  run();
  // Ten frames: the first one's dt covers only the start of the first scene.
  EXPECT_EQ(headless::swapCount(), 10u);
  EXPECT_NEAR(sceneClock, 0.9, 1e-5);
}

using random_test::stateBeforeDraw;

TEST(FirstScene, RandomOffAlwaysStartsWithTheSunIntro) {
  settings::Random = 0;
  seedRandom(stateBeforeDraw(32767));
  const FirstScene first = chooseFirstScene();
  EXPECT_EQ(first.sceneFile, "intro0.txt");
  EXPECT_EQ(first.nextName, "sun");
}

TEST(FirstScene, RandomDrawsPickTheIntro) {
  settings::Random = 1;
  for (auto& flag : visitedDestinations) flag = 0;

  seedRandom(stateBeforeDraw(0));
  FirstScene first = chooseFirstScene();
  EXPECT_EQ(first.sceneFile, "intro0.txt");
  EXPECT_EQ(first.nextName, "sun");

  seedRandom(stateBeforeDraw(32767));
  first = chooseFirstScene();
  EXPECT_EQ(first.sceneFile, "intro10.txt");
  EXPECT_EQ(first.nextName, "pluto");
  EXPECT_EQ(visitedDestinations[9], 1);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(visitedDestinations[i], 0);

  seedRandom(stateBeforeDraw(9000));  // 9000 / 32767 × 10.9 = 2.99: the second
  EXPECT_EQ(chooseFirstScene().nextName, "venus");
  settings::Random = 0;
}

TEST(FirstScene, StartSceneReplacesTheScript) {
  settings::Random = 0;
  const FirstScene first = chooseFirstScene("earth2.txt");
  EXPECT_EQ(first.sceneFile, "earth2.txt");
  EXPECT_EQ(first.nextName, "sun");
}

}  // namespace
