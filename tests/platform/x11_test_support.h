// What the X11 backend's integration tests share: a private Xvfb per test
// program, a second Xlib connection that plays the user and the other
// programs, and a window procedure that records the messages it gets.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/x11_errors.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vt_test {

// Starts "Xvfb -displayfd" before the first test, so the server picks a free
// display number itself and reports it once it accepts connections; stops it
// after the last test (in the process that started it, not in a forked child).
class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::string fd = std::to_string(ends[1]);
    owner_ = getpid();
    server_ = fork();
    ASSERT_GE(server_, 0);
    if (server_ == 0) {
      // The server ends with the test program, however that ends, and keeps
      // none of its output open (the test runner waits for those to close).
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != owner_) _exit(1);
      int quiet = open("/dev/null", O_RDWR);
      dup2(quiet, STDIN_FILENO);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
      close(ends[0]);
      // -noreset: without it the server resets whenever its last client
      // leaves and refuses connections meanwhile, between two tests.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ends[1]);
    std::string number;
    char c = 0;
    while (read(ends[0], &c, 1) == 1 && c != '\n') number += c;
    close(ends[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    setenv("DISPLAY", (":" + number).c_str(), 1);
  }

  void TearDown() override {
    if (server_ <= 0 || getpid() != owner_) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    server_ = 0;
  }

 private:
  pid_t server_ = 0;
  pid_t owner_ = 0;
};

inline ::testing::Environment* const xvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

// ---- Recorded messages ------------------------------------------------------

inline std::vector<platform::Message>& recorded() {
  static std::vector<platform::Message> messages;
  return messages;
}

// A window procedure that only records; it destroys nothing on WM_CLOSE.
inline platform::LRESULT recordingProcedure(platform::WindowHandle window, std::uint32_t message,
                                            platform::WPARAM wParam, platform::LPARAM lParam) {
  recorded().push_back(platform::Message{window, message, wParam, lParam});
  return 0;
}

// Dispatches messages until one matches. The deadline only keeps a broken
// build from hanging the suite; it is far beyond anything a pass needs.
inline bool pumpUntil(const std::function<bool(const platform::Message&)>& matches) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    platform::Message message;
    while (platform::peekMessage(message)) {
      platform::dispatchMessage(message);
      if (matches(message)) return true;
    }
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

inline bool pumpUntilMessage(platform::WindowHandle window, std::uint32_t id) {
  return pumpUntil([&](const platform::Message& m) { return m.window == window && m.message == id; });
}

// Waits (as pumpUntil does) for a condition that another connection observes.
inline bool waitFor(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// ---- The other side of the server ---------------------------------------------

// A top-level window with this WM_NAME, or 0. Windows may vanish while the
// list is read; the trap keeps their errors quiet (the backend's recording
// handler is installed by then).
inline Window findWindowByName(Display* display, const std::string& name) {
  platform::x11::ErrorTrap trap(display);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* title = nullptr;
    if (XFetchName(display, children[i], &title) && title) {
      if (name == title) found = children[i];
      XFree(title);
    }
  }
  if (children) XFree(children);
  return found;
}

inline bool isViewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return window && XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The 0xRRGGBB colour of a pixel as the server has it.
inline std::uint32_t pixelAt(Display* display, Window window, int x, int y) {
  XSync(display, False);
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xDEADBEEF;
  std::uint32_t pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

// A window class registered for the length of a test.
class ScopedClass {
 public:
  ScopedClass(const std::string& name, bool ownDeviceContext) : name_(name) {
    platform::WindowClass windowClass;
    windowClass.name = name;
    windowClass.procedure = recordingProcedure;
    windowClass.ownDeviceContext = ownDeviceContext;
    platform::registerClass(windowClass);
  }
  ~ScopedClass() { platform::unregisterClass(name_); }

 private:
  std::string name_;
};

// The backend started and a test connection open, for one test.
class X11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    recorded().clear();
    platform::StartOptions options;
    options.kind = platform::BackendKind::X11;
    ASSERT_TRUE(platform::start(options));
    peer = XOpenDisplay(nullptr);
    ASSERT_NE(peer, nullptr);
  }
  void TearDown() override {
    platform::stop();
    if (peer) XCloseDisplay(peer);
  }

  Display* peer = nullptr;  // the user's and the other programs' connection
};

}  // namespace vt_test
