// Real input through XTest reaching the saver window as Win32 messages:
// virtual-key codes, system keys, pointer moves and buttons in client
// coordinates, the cursor warp; and SIGTERM asking every window to close.
#include "x11_test_support.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <csignal>

namespace vt_test {
namespace {

using platform::Message;
using platform::WindowHandle;

class X11InputTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    saver = createWindow("MyWindow", "Vantorel", 0, 0, 1024, 768, true);
    ASSERT_NE(saver, 0u);
    platform::showWindow(saver, platform::SW_SHOWNORMAL);
    platform::setFocus(saver);
    // A cover-like window away from the corner, to see client coordinates.
    probe = createWindow("FakeMonitor", "probe", 200, 100, 300, 200, true);
    ASSERT_NE(probe, 0u);
    platform::showWindow(probe, platform::SW_SHOW);
  }

  WindowHandle createWindow(const std::string& className, const std::string& title, int x, int y, int width,
                            int height, bool topmost) {
    platform::WindowSpec spec;
    spec.className = className;
    spec.title = title;
    spec.x = x;
    spec.y = y;
    spec.width = width;
    spec.height = height;
    spec.topmost = topmost;
    return platform::createWindow(spec);
  }

  void key(KeySym keysym, bool down) {
    XTestFakeKeyEvent(peer, XKeysymToKeycode(peer, keysym), down ? True : False, CurrentTime);
    XFlush(peer);
  }

  // The next key message of the saver window.
  Message nextKeyMessage() {
    Message found;
    bool seen = pumpUntil([&](const Message& m) {
      bool keyMessage = m.message >= platform::WM_KEYDOWN && m.message <= platform::WM_SYSKEYUP;
      if (m.window == saver && keyMessage) found = m;
      return m.window == saver && keyMessage;
    });
    EXPECT_TRUE(seen) << "no key message arrived";
    return found;
  }

  ScopedClass saverClass{"MyWindow", true};
  ScopedClass coverClass{"FakeMonitor", false};
  WindowHandle saver = 0;
  WindowHandle probe = 0;
};

struct KeyCase {
  KeySym keysym;
  int virtualKey;
};

TEST_F(X11InputTest, KeysArriveWithTheirVirtualKeyCodes) {
  const KeyCase cases[] = {
      {XK_a, 'A'},          {XK_z, 'Z'},        {XK_0, '0'},      {XK_9, '9'},       {XK_Escape, 0x1B},
      {XK_Return, 0x0D},    {XK_space, 0x20},   {XK_BackSpace, 0x08}, {XK_Tab, 0x09}, {XK_F1, 0x70},
      {XK_F12, 0x7B},       {XK_Left, 0x25},    {XK_Down, 0x28},  {XK_Prior, 0x21},  {XK_Delete, 0x2E},
      {XK_Shift_L, 0x10},   {XK_Control_R, 0x11}, {XK_minus, 0xBD}, {XK_slash, 0xBF}, {XK_KP_Add, 0x6B},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(XKeysymToString(c.keysym));
    key(c.keysym, true);
    Message down = nextKeyMessage();
    EXPECT_EQ(down.message, platform::WM_KEYDOWN);
    EXPECT_EQ(down.wParam, static_cast<platform::WPARAM>(c.virtualKey));
    key(c.keysym, false);
    Message up = nextKeyMessage();
    EXPECT_EQ(up.message, platform::WM_KEYUP);
    EXPECT_EQ(up.wParam, static_cast<platform::WPARAM>(c.virtualKey));
  }
}

TEST_F(X11InputTest, SaverWindowHoldsTheKeyboardUntilItIsDestroyed) {
  Window other = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 0, 0, 50, 50, 0, 0, 0);
  XSelectInput(peer, other, KeyPressMask);
  XMapRaised(peer, other);
  XSync(peer, False);
  XSetInputFocus(peer, other, RevertToParent, CurrentTime);
  EXPECT_EQ(XGrabKeyboard(peer, other, False, GrabModeAsync, GrabModeAsync, CurrentTime), AlreadyGrabbed);
  key(XK_b, true);
  key(XK_b, false);
  EXPECT_EQ(nextKeyMessage().wParam, static_cast<platform::WPARAM>('B'));

  platform::destroyWindow(saver);
  XSync(peer, False);
  EXPECT_EQ(XGrabKeyboard(peer, other, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  EXPECT_EQ(XGrabPointer(peer, other, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
            GrabSuccess);
  XUngrabKeyboard(peer, CurrentTime);
  XUngrabPointer(peer, CurrentTime);
  XDestroyWindow(peer, other);
  XSync(peer, False);
}

TEST_F(X11InputTest, AltCombinationsAndF10AreSystemKeys) {
  key(XK_Alt_L, true);
  key(XK_F4, true);
  key(XK_F4, false);
  key(XK_Alt_L, false);
  key(XK_F10, true);
  key(XK_F10, false);
  const std::pair<std::uint32_t, int> expected[] = {
      {platform::WM_SYSKEYDOWN, platform::vk::Menu}, {platform::WM_SYSKEYDOWN, 0x73},
      {platform::WM_SYSKEYUP, 0x73},                 {platform::WM_SYSKEYUP, platform::vk::Menu},
      {platform::WM_SYSKEYDOWN, platform::vk::F10},  {platform::WM_SYSKEYUP, platform::vk::F10},
  };
  for (const auto& [message, virtualKey] : expected) {
    Message got = nextKeyMessage();
    EXPECT_EQ(got.message, message);
    EXPECT_EQ(got.wParam, static_cast<platform::WPARAM>(virtualKey));
  }
}

TEST_F(X11InputTest, PointerMovesArriveInClientCoordinates) {
  XTestFakeMotionEvent(peer, DefaultScreen(peer), 250, 130, CurrentTime);
  XFlush(peer);
  ASSERT_TRUE(pumpUntil([&](const Message& m) {
    return m.window == probe && m.message == platform::WM_MOUSEMOVE && m.lParam == platform::makeMouseLParam(50, 30);
  }));

  platform::Point screen = platform::clientToScreen(probe, {60, 40});
  EXPECT_EQ(screen.x, 260);
  EXPECT_EQ(screen.y, 140);
  platform::setCursorPos(screen.x, screen.y);
  EXPECT_TRUE(pumpUntil([&](const Message& m) {
    return m.window == probe && m.message == platform::WM_MOUSEMOVE && m.lParam == platform::makeMouseLParam(60, 40);
  }));

  // Moves over the full-screen window are the saver's own.
  XTestFakeMotionEvent(peer, DefaultScreen(peer), 700, 600, CurrentTime);
  XFlush(peer);
  EXPECT_TRUE(pumpUntil([&](const Message& m) {
    return m.window == saver && m.message == platform::WM_MOUSEMOVE && m.lParam == platform::makeMouseLParam(700, 600);
  }));
}

TEST_F(X11InputTest, ButtonsAndTheWheelBecomeMouseMessages) {
  XTestFakeMotionEvent(peer, DefaultScreen(peer), 210, 120, CurrentTime);
  struct ButtonCase {
    unsigned button;
    std::uint32_t down;
  };
  const ButtonCase cases[] = {{1, platform::WM_LBUTTONDOWN}, {2, platform::WM_MBUTTONDOWN},
                              {3, platform::WM_RBUTTONDOWN}, {4, platform::WM_MOUSEWHEEL},
                              {5, platform::WM_MOUSEWHEEL}};
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.button);
    XTestFakeButtonEvent(peer, c.button, True, CurrentTime);
    XTestFakeButtonEvent(peer, c.button, False, CurrentTime);
    XFlush(peer);
    Message got;
    ASSERT_TRUE(pumpUntil([&](const Message& m) {
      got = m;
      return m.window == probe && m.message == c.down;
    }));
    if (c.down == platform::WM_MOUSEWHEEL) {
      // The delta is the high word; the position is on the screen.
      auto delta = static_cast<std::int16_t>(got.wParam >> 16 & 0xFFFF);
      EXPECT_EQ(delta, c.button == 4 ? 120 : -120);
      EXPECT_EQ(got.lParam, platform::makeMouseLParam(210, 120));
    } else {
      EXPECT_EQ(got.lParam, platform::makeMouseLParam(10, 20));
      EXPECT_TRUE(pumpUntilMessage(probe, c.down + 1)) << "no button-up message";
    }
  }
}

TEST_F(X11InputTest, TerminationSignalAsksEveryWindowToClose) {
  std::raise(SIGTERM);
  bool saverAsked = false, probeAsked = false;
  EXPECT_TRUE(pumpUntil([&](const Message& m) {
    if (m.message == platform::WM_CLOSE) (m.window == saver ? saverAsked : probeAsked) = true;
    return saverAsked && probeAsked;
  }));
  // Stopping the backend now is the clean end the watchdog waits for.
}

}  // namespace
}  // namespace vt_test
