// The vantorel program's saver run under Xvfb, driven with real input sent
// through XTest: black full-screen windows without data (after the one
// message box about the missing loading picture), and the ways a user ends
// the run.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/x11_test_support.h"
#include "resources/archive_test_support.h"

// After the test headers: Xlib's macros would clash with GoogleTest's names.
#include <X11/extensions/XTest.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// One run of the program in a directory without a data archive.
class SaverProgram {
 public:
  SaverProgram(const std::string& runSwitch, const std::string& settings) {
    settingsPath_ = directory_.path() / "settings.conf";
    std::ofstream(settingsPath_) << settings << "EnableMusic=0\nPath=" << directory_.path().string() << "\n";
    pid_ = fork();
    if (pid_ == 0) {
      setenv("VANTOREL_SETTINGS", settingsPath_.c_str(), 1);
      const std::string program = std::string(VT_BINARY_DIR) + "/bin/vantorel";
      execl(program.c_str(), program.c_str(), runSwitch.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~SaverProgram() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  // True once the program has ended; its exit status then in `status`.
  bool hasExited(int& status) {
    if (exited_) {
      status = status_;
      return true;
    }
    int raw = 0;
    if (waitpid(pid_, &raw, WNOHANG) != pid_) return false;
    exited_ = true;
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    status = status_;
    return true;
  }

  // Waits up to `limit` for the end; the time it took, or a negative one.
  double secondsToExit(int& status, double limit = 10.0) {
    const auto start = Clock::now();
    while (!hasExited(status)) {
      if (std::chrono::duration<double>(Clock::now() - start).count() > limit) return -1.0;
      usleep(2000);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

 private:
  archive_test::TempDir directory_;
  fs::path settingsPath_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int status_ = -1;
};

class SaverX11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    // Windows of the program come and go while this connection looks at
    // them: their errors are recorded, and must not end the test.
    platform::x11::installErrorHandler();
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override { XCloseDisplay(display_); }

  // Without a data archive the loading picture is missing: its message box
  // ("Error") comes up over the saver's window and Return closes it.
  void dismissMissingPictureBox() {
    Window box = 0;
    ASSERT_TRUE(vt_test::waitFor([&] {
      box = vt_test::findWindowByName(display_, "Error");
      return vt_test::isViewable(display_, box);
    }));
    pressKey(XK_Return);
    ASSERT_TRUE(vt_test::waitFor(
        [&] { return !vt_test::isViewable(display_, vt_test::findWindowByName(display_, "Error")); }));
  }

  // Waits until the saver's window covers the screen and has drawn frames.
  Window waitForSaverWindow() {
    dismissMissingPictureBox();
    Window window = 0;
    EXPECT_TRUE(vt_test::waitFor([&] {
      window = vt_test::findWindowByName(display_, "Vantorel");
      return vt_test::isViewable(display_, window);
    }));
    XWindowAttributes attributes{};
    if (window) XGetWindowAttributes(display_, window, &attributes);
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 768);
    usleep(200000);  // a few frames
    return window;
  }

  void pressKey(KeySym key) {
    const KeyCode code = XKeysymToKeycode(display_, key);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XFlush(display_);
  }

  void movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XFlush(display_);
  }

  Display* display_ = nullptr;
};

TEST_F(SaverX11Test, BlackFullScreenUntilAKeyPressForBothSaverSwitches) {
  for (const char* runSwitch : {"/s", "/t"}) {
    SaverProgram program(runSwitch, "MouseExit=0\n");
    const Window window = waitForSaverWindow();
    for (auto [x, y] : {std::pair{0, 0}, {512, 384}, {1023, 767}})
      EXPECT_EQ(vt_test::pixelAt(display_, window, x, y), 0u) << runSwitch << " at " << x << "," << y;

    int status = -1;
    EXPECT_FALSE(program.hasExited(status)) << runSwitch << " ended by itself";
    pressKey(XK_space);
    const double seconds = program.secondsToExit(status);
    std::printf("%s ended %.3f s after the key press\n", runSwitch, seconds);
    EXPECT_GE(seconds, 0.0) << runSwitch << " did not end";
    EXPECT_EQ(status, 0) << runSwitch;
  }
}

TEST_F(SaverX11Test, AButtonEndsTheRun) {
  SaverProgram program("/s", "");
  waitForSaverWindow();
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XFlush(display_);
  int status = -1;
  EXPECT_GE(program.secondsToExit(status), 0.0);
  EXPECT_EQ(status, 0);
}

TEST_F(SaverX11Test, MouseTravelOfTwentyFourPixelsEndsTheRunAndTwentyThreeDoNot) {
  {
    SaverProgram program("/s", "MouseExit=1\n");
    waitForSaverWindow();
    movePointer(512 + 23, 384);
    int status = -1;
    EXPECT_LT(program.secondsToExit(status, 1.5), 0.0) << "23 pixels ended the run";
    pressKey(XK_Escape);
    EXPECT_GE(program.secondsToExit(status), 0.0);
  }
  {
    SaverProgram program("/s", "MouseExit=1\n");
    waitForSaverWindow();
    movePointer(512 + 24, 384);
    int status = -1;
    EXPECT_GE(program.secondsToExit(status), 0.0) << "24 pixels did not end the run";
    EXPECT_EQ(status, 0);
  }
}

}  // namespace
