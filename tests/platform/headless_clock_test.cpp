// The virtual clock and scripted input of the headless backend.
#include "headless_fixture.h"

namespace headless_test {
namespace {

using namespace platform;

constexpr std::int64_t kStartCounter = 0x1234'5678'0000;

// What a frame loop sees: the messages drained before each swap, each with
// the swap count at which it was taken.
struct Taken {
  std::uint64_t atSwap;
  Message message;
};

std::vector<Taken> runFrames(WindowHandle window, int frames) {
  std::vector<Taken> taken;
  for (int frame = 0; frame <= frames; ++frame) {
    Message message;
    while (peekMessage(message)) taken.push_back({headless::swapCount(), message});
    if (frame < frames) swapBuffers(window);
  }
  return taken;
}

TEST(HeadlessClock, AdvancesExactlyOneFramePeriodPerSwap) {
  unsetenv("DISPLAY");
  struct Case {
    double fps;
    int swaps;
    std::int64_t ticks;
  };
  const Case cases[] = {{10.0, 1, 1'000'000}, {10.0, 7, 7'000'000}, {60.0, 1, 166'666},
                        {60.0, 3, 500'000},   {60.0, 60, 10'000'000}, {60.0, 6000, 1'000'000'000},
                        {24.0, 5, 2'083'333}};
  for (const Case& c : cases) {
    ASSERT_TRUE(start({BackendKind::Headless, 64, 48, c.fps}));
    ASSERT_TRUE(registerClass({"ClockWindow", nullptr, true}));
    WindowSpec spec;
    spec.className = "ClockWindow";
    spec.width = 64;
    spec.height = 48;
    WindowHandle window = createWindow(spec);

    EXPECT_EQ(performanceFrequency(), 10'000'000);
    EXPECT_EQ(performanceCounter(), kStartCounter);
    for (int i = 0; i < c.swaps; ++i) swapBuffers(window);
    // Reading the counter and pumping events never move it.
    Message message;
    peekMessage(message);
    performanceCounter();
    EXPECT_EQ(performanceCounter() - kStartCounter, c.ticks) << c.fps << " fps, " << c.swaps << " swaps";
    EXPECT_EQ(headless::swapCount(), static_cast<std::uint64_t>(c.swaps));
    stop();
    unregisterClass("ClockWindow");
  }
}

TEST_F(HeadlessTest, ScheduledMessagesArriveAtTheirSwapAndTarget) {
  WindowHandle plain = makeWindow(kPlainClass, 0, 0, 10, 10);
  WindowHandle main = makeWindow(kOwnDcClass, 0, 0, kMonitorWidth, kMonitorHeight);
  headless::scheduleMessage(2, WM_KEYDOWN, vk::Escape, 0);
  headless::scheduleMessage(0, WM_MOUSEMOVE, 0, makeMouseLParam(3, 4));
  headless::scheduleMessage(2, WM_KEYUP, vk::Escape, 0);
  headless::scheduleMessageTo(1, plain, WM_LBUTTONDOWN, 0, 0);

  std::vector<Taken> taken = runFrames(main, 4);
  ASSERT_EQ(taken.size(), 4u);
  const std::uint32_t order[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN, WM_KEYUP};
  const std::uint64_t swaps[] = {0, 1, 2, 2};
  const WindowHandle targets[] = {main, plain, main, main};  // no focus: the own-DC window
  for (std::size_t i = 0; i < taken.size(); ++i) {
    EXPECT_EQ(taken[i].message.message, order[i]) << i;
    EXPECT_EQ(taken[i].atSwap, swaps[i]) << i;
    EXPECT_EQ(taken[i].message.window, targets[i]) << i;
  }
  EXPECT_EQ(taken[0].message.lParam, makeMouseLParam(3, 4));
  EXPECT_EQ(taken[2].message.wParam, static_cast<WPARAM>(vk::Escape));

  setFocus(plain);
  headless::scheduleMessage(5, WM_RBUTTONDOWN, 0, 0);
  taken = runFrames(main, 1);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].atSwap, 5u);
  EXPECT_EQ(taken[0].message.window, plain);
}

TEST_F(HeadlessTest, QuitIsPostedAfterTheGivenNumberOfSwaps) {
  WindowHandle main = makeWindow(kOwnDcClass, 0, 0, kMonitorWidth, kMonitorHeight);
  swapBuffers(main);
  headless::quitAfterSwaps(3);
  std::vector<Taken> taken = runFrames(main, 5);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].message.message, WM_QUIT);
  EXPECT_EQ(taken[0].message.wParam, 0u);
  EXPECT_EQ(taken[0].atSwap, 4u);
}

TEST_F(HeadlessTest, AWaitingLoopGetsTheNextScriptedMessageThenQuit) {
  WindowHandle main = makeWindow(kOwnDcClass, 0, 0, kMonitorWidth, kMonitorHeight);
  headless::scheduleMessage(100, WM_CLOSE, 0, 0);
  Message message;
  ASSERT_TRUE(getMessage(message));
  EXPECT_EQ(message.message, WM_CLOSE);
  EXPECT_EQ(message.window, main);
  EXPECT_FALSE(getMessage(message));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(headless::swapCount(), 0u);
}

}  // namespace
}  // namespace headless_test
