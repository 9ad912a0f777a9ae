// The X11 message box: it shows the caption as its title, echoes
// "caption: text" on stderr, and closes on Return, Escape, a click on OK or
// the window manager's close; over the saver's window it takes the keyboard
// for as long as it is open and gives it back.
#include "x11_test_support.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "platform/x11/x11_message_box.h"

namespace vt_test {
namespace {

enum class Closing { Return, Escape, ClickOk, WindowManagerClose };

// Plays the user on a connection of its own while the box is open: waits
// until the box is up and has the keyboard, then closes it the given way.
// Should the box ignore that, it is destroyed so that the test ends.
class User {
 public:
  User(std::string caption, Closing closing)
      : caption_(std::move(caption)), closing_(closing), thread_([this] { run(); }) {}
  ~User() {
    if (thread_.joinable()) thread_.join();
  }
  // Waits for the user to be done; true when the box closed on its own
  // after the user's action.
  bool closedTheBox() {
    thread_.join();
    return closedByItself_;
  }

 private:
  void run() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    Window box = 0;
    bool ready = waitFor([&] {
      box = findWindowByName(display, caption_);
      Window focus = 0;
      int revert = 0;
      XGetInputFocus(display, &focus, &revert);
      return isViewable(display, box) && focus == box;
    });
    if (ready) {
      act(display, box);
      closedByItself_ = waitFor([&] { return findWindowByName(display, caption_) == 0; });
      if (!closedByItself_) XDestroyWindow(display, box);
      XSync(display, False);
    }
    XCloseDisplay(display);
  }

  void act(Display* display, Window box) {
    auto tap = [&](KeySym keysym) {
      KeyCode code = XKeysymToKeycode(display, keysym);
      XTestFakeKeyEvent(display, code, True, CurrentTime);
      XTestFakeKeyEvent(display, code, False, CurrentTime);
    };
    switch (closing_) {
      case Closing::Return:
        tap(XK_Return);
        break;
      case Closing::Escape:
        tap(XK_Escape);
        break;
      case Closing::ClickOk: {
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(display, box, &root, &x, &y, &width, &height, &border, &depth);
        platform::Rect button =
            platform::x11::messageBoxButton(static_cast<int>(width), static_cast<int>(height));
        int screenX = 0, screenY = 0;
        Window child = 0;
        XTranslateCoordinates(display, box, root, button.left + button.width() / 2,
                              button.top + button.height() / 2, &screenX, &screenY, &child);
        XTestFakeMotionEvent(display, DefaultScreen(display), screenX, screenY, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        break;
      }
      case Closing::WindowManagerClose: {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = box;
        close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, box, False, NoEventMask, &close);
        break;
      }
    }
    XSync(display, False);
  }

  std::string caption_;
  Closing closing_;
  bool closedByItself_ = false;
  std::thread thread_;
};

class X11MessageBoxTest : public X11Test {};

TEST_F(X11MessageBoxTest, ClosesEveryWayAUserClosesAndEchoesOnStderr) {
  const std::pair<Closing, const char*> cases[] = {{Closing::Return, "by Return"},
                                                   {Closing::Escape, "by Escape"},
                                                   {Closing::ClickOk, "by a click on OK"},
                                                   {Closing::WindowManagerClose, "by the window manager"}};
  for (const auto& [closing, name] : cases) {
    SCOPED_TRACE(name);
    std::string caption = std::string("Closed ") + name;
    User user(caption, closing);
    ::testing::internal::CaptureStderr();
    platform::messageBox("Unsupported image depth.\nSecond line", caption);
    std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(user.closedTheBox());
    EXPECT_NE(printed.find(caption + ": Unsupported image depth.\nSecond line\n"), std::string::npos) << printed;
  }
}

TEST_F(X11MessageBoxTest, OverTheSaverWindowTakesTheKeyboardAndGivesItBack) {
  ScopedClass saverClass("MyWindow", true);
  platform::WindowSpec spec;
  spec.className = "MyWindow";
  spec.title = "Vantorel";
  spec.width = 1024;
  spec.height = 768;
  spec.topmost = true;
  platform::WindowHandle saver = platform::createWindow(spec);
  ASSERT_NE(saver, 0u);
  platform::showWindow(saver, platform::SW_SHOWNORMAL);

  {
    User user("ARCHIVE Error", Closing::Return);
    platform::messageBox("Scene: intro0.txt not open", "ARCHIVE Error");
    EXPECT_TRUE(user.closedTheBox());
  }
  // The Return that closed the box was the box's, not the saver's.
  platform::Message message;
  while (platform::peekMessage(message)) EXPECT_NE(message.message, platform::WM_KEYDOWN);

  KeyCode code = XKeysymToKeycode(peer, XK_Escape);
  XTestFakeKeyEvent(peer, code, True, CurrentTime);
  XTestFakeKeyEvent(peer, code, False, CurrentTime);
  XFlush(peer);
  EXPECT_TRUE(pumpUntilMessage(saver, platform::WM_KEYDOWN));
}

}  // namespace
}  // namespace vt_test
