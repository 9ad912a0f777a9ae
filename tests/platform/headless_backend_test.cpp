// The headless backend's windows, virtual monitor and records.
#include <limits>

#include "headless_fixture.h"

namespace headless_test {
namespace {

using namespace platform;

TEST_F(HeadlessTest, IsChosenWithoutADisplayAndRefusesNonsenseOptions) {
  stop();
  ASSERT_TRUE(start({BackendKind::Automatic, kMonitorWidth, kMonitorHeight, kFramesPerSecond}));
  EXPECT_EQ(activeBackend(), BackendKind::Headless);

  const StartOptions nonsense[] = {
      {BackendKind::Headless, 0, 240, 60.0},
      {BackendKind::Headless, 320, -1, 60.0},
      {BackendKind::Headless, 100000, 240, 60.0},
      {BackendKind::Headless, 320, 240, 0.0},
      {BackendKind::Headless, 320, 240, std::numeric_limits<double>::quiet_NaN()},
  };
  for (const StartOptions& options : nonsense) {
    EXPECT_FALSE(start(options)) << options.headlessWidth << "x" << options.headlessHeight << " @ "
                                 << options.headlessFramesPerSecond;
  }
}

TEST_F(HeadlessTest, WindowsAreRecordsWithCreateAndDestroyMessages) {
  WindowHandle main = makeWindow(kOwnDcClass, 30, 20, 200, 100);
  ASSERT_NE(main, 0u);
  ASSERT_EQ(received().size(), 1u);
  EXPECT_EQ(received()[0].window, main);
  EXPECT_EQ(received()[0].message, WM_CREATE);

  Rect client = clientRect(main);
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.top, 0);
  EXPECT_EQ(client.width(), 200);
  EXPECT_EQ(client.height(), 100);
  Point screen = clientToScreen(main, {100, 50});
  EXPECT_EQ(screen.x, 130);
  EXPECT_EQ(screen.y, 70);

  WindowHandle child = makeWindow(kPlainClass, 5, 6, 50, 40, main);
  Point childScreen = clientToScreen(child, {1, 1});
  EXPECT_EQ(childScreen.x, 36);
  EXPECT_EQ(childScreen.y, 27);

  EXPECT_FALSE(headless::windowVisible(main));
  showWindow(main, SW_SHOW);
  EXPECT_TRUE(headless::windowVisible(main));
  showWindow(main, SW_HIDE);
  EXPECT_FALSE(headless::windowVisible(main));

  setFocus(main);
  EXPECT_EQ(headless::focusedWindow(), main);
  received().clear();
  destroyWindow(main);
  ASSERT_FALSE(received().empty());
  EXPECT_EQ(received()[0].message, WM_DESTROY);
  EXPECT_EQ(headless::focusedWindow(), 0u);
}

TEST_F(HeadlessTest, OneVirtualMonitorWithAStableModeList) {
  std::vector<DisplayAdapter> adapters = displayAdapters();
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_TRUE(adapters[0].attachedToDesktop);
  EXPECT_TRUE(adapters[0].primary);
  EXPECT_FALSE(adapters[0].mirroring);
  EXPECT_EQ(adapters[0].monitorHandle, 1u);
  EXPECT_EQ(adapters[0].rect.width(), kMonitorWidth);
  EXPECT_EQ(adapters[0].rect.height(), kMonitorHeight);

  DisplayMode current;
  ASSERT_TRUE(currentDisplayMode(current));
  EXPECT_EQ(current.width, kMonitorWidth);
  EXPECT_EQ(current.height, kMonitorHeight);
  EXPECT_EQ(current.bitsPerPixel, 32);
  EXPECT_EQ(current.refreshHz, 60);

  std::vector<std::string> listed;
  DisplayMode mode;
  for (int i = 0; listedDisplayMode(i, mode); ++i) {
    listed.push_back(std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
                     std::to_string(mode.bitsPerPixel) + "@" + std::to_string(mode.refreshHz));
  }
  const std::vector<std::string> expected = {"320x240x16@60",  "640x480x8@60",   "640x480x16@60",
                                             "640x480x32@60",  "800x600x16@60",  "800x600x32@60",
                                             "800x600x32@75",  "1024x768x32@60", "1280x1024x32@60",
                                             "320x240x32@60"};
  EXPECT_EQ(listed, expected);
  EXPECT_FALSE(listedDisplayMode(-1, mode));
}

TEST_F(HeadlessTest, DisplayRequestsAreRecorded) {
  WindowHandle main = makeWindow(kOwnDcClass, 0, 0, kMonitorWidth, kMonitorHeight);

  DisplayMode wanted{800, 600, 32, 0};
  EXPECT_TRUE(changeDisplayMode(&wanted));
  EXPECT_TRUE(changeDisplayMode(nullptr));
  const auto& changes = headless::recordedModeChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_FALSE(changes[0].restore);
  EXPECT_EQ(changes[0].mode.width, 800);
  EXPECT_EQ(changes[0].mode.height, 600);
  EXPECT_EQ(changes[0].mode.bitsPerPixel, 32);
  EXPECT_TRUE(changes[1].restore);

  EXPECT_EQ(headless::lastGammaRamp(), nullptr);
  GammaRamp ramp;
  for (int channel = 0; channel < 3; ++channel)
    for (int i = 0; i < 256; ++i) ramp[channel][i] = static_cast<std::uint16_t>(i * 256 + channel);
  EXPECT_TRUE(setGammaRamp(main, ramp));
  EXPECT_FALSE(setGammaRamp(0, ramp));
  ASSERT_NE(headless::lastGammaRamp(), nullptr);
  EXPECT_EQ(headless::gammaRampCount(), 1);
  EXPECT_EQ((*headless::lastGammaRamp())[0][255], 65280);
  EXPECT_EQ((*headless::lastGammaRamp())[2][128], 128 * 256 + 2);

  EXPECT_EQ(headless::swapInterval(), -1);
  EXPECT_TRUE(setSwapInterval(1));
  EXPECT_EQ(headless::swapInterval(), 1);

  EXPECT_EQ(headless::cursorPosition().x, kMonitorWidth / 2);
  setCursorPos(17, 23);
  EXPECT_EQ(headless::cursorPosition().x, 17);
  EXPECT_EQ(headless::cursorPosition().y, 23);
  EXPECT_TRUE(headless::cursorVisible());
  showCursor(false);
  showCursor(false);
  showCursor(true);
  EXPECT_FALSE(headless::cursorVisible());
  showCursor(true);
  EXPECT_TRUE(headless::cursorVisible());
}

TEST_F(HeadlessTest, MessageBoxesAreRecordedPrintedAndReturnAtOnce) {
  ::testing::internal::CaptureStderr();
  messageBox("Cannot creat window!", "ERROR");
  messageBox("Scene: x.txt not open", "ARCHIVE Error");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ERROR: Cannot creat window!\nARCHIVE Error: Scene: x.txt not open\n");
  const auto& boxes = headless::recordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].first, "Cannot creat window!");
  EXPECT_EQ(boxes[0].second, "ERROR");
  EXPECT_EQ(boxes[1].second, "ARCHIVE Error");
}

TEST_F(HeadlessTest, ANewStartBeginsClean) {
  WindowHandle main = makeWindow(kOwnDcClass, 0, 0, kMonitorWidth, kMonitorHeight);
  messageBox("text", "caption");
  GammaRamp ramp = {};
  setGammaRamp(main, ramp);
  swapBuffers(main);
  headless::scheduleMessage(5, WM_KEYDOWN, vk::Space, 0);
  const std::int64_t startCounter = performanceCounter() - performanceFrequency() / 10;

  stop();
  EXPECT_EQ(headless::swapCount(), 0u);  // no headless backend: the empty answers
  ASSERT_TRUE(start({BackendKind::Headless, kMonitorWidth, kMonitorHeight, kFramesPerSecond}));
  EXPECT_EQ(headless::swapCount(), 0u);
  EXPECT_EQ(performanceCounter(), startCounter);
  EXPECT_TRUE(headless::recordedMessageBoxes().empty());
  EXPECT_EQ(headless::lastGammaRamp(), nullptr);
  EXPECT_FALSE(isWindow(main));
  Message message;
  EXPECT_FALSE(getMessage(message));  // nothing of the old script is left
  EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
}  // namespace headless_test
