// The program as an xscreensaver hack under Xvfb: it draws the journey into
// the window it is given (by -window-id, or by $XSCREENSAVER_WINDOW with
// --root), makes no window of its own, grabs nothing, outlives input and a
// change of the window's size, and ends on SIGTERM leaving the window to its
// owner. scripts/install puts it where xscreensaver finds it. A screenshot
// of the window after its change of size lands in test-output/.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/x11_test_support.h"
#include "shell/vantorel_program.h"

// After the test headers: Xlib's macros would clash with GoogleTest's names.
#include <X11/extensions/XTest.h>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kHostGrey = 0x808080;

std::string hexId(Window window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

class XscreensaverXTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
    settings_ = "Path=" + std::string(VT_BINARY_DIR) + "/data\nEnableMusic=0\nUseDesktop=1\n";
  }
  void TearDown() override { XCloseDisplay(display_); }

  // xscreensaver's own window on a monitor, grey until the hack draws.
  Window makeHostWindow(int width, int height) {
    Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, 0, kHostGrey);
    XMapWindow(display_, window);
    XSync(display_, False);
    return window;
  }

  // True once a sample of the window's pixels is no longer all grey.
  bool drawnInto(Window window, int width, int height) {
    for (int y = height / 8; y < height; y += height / 4)
      for (int x = width / 8; x < width; x += width / 4)
        if (vt_test::pixelAt(display_, window, x, y) != kHostGrey) return true;
    return false;
  }

  bool pointerGrabbedByOthers() {
    const int result = XGrabPointer(display_, DefaultRootWindow(display_), False, ButtonPressMask, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess) XUngrabPointer(display_, CurrentTime);
    XSync(display_, False);
    return result != GrabSuccess;
  }

  Display* display_ = nullptr;
  std::string settings_;
};

TEST_F(XscreensaverXTest, DrawsIntoTheGivenWindowUntilSigterm) {
  struct Way {
    const char* name;
    bool byEnvironment;
  };
  for (const Way& way : {Way{"-window-id", false}, Way{"XSCREENSAVER_WINDOW and --root", true}}) {
    const Window host = makeHostWindow(400, 300);
    std::vector<std::string> arguments{"-window-id", hexId(host), "--detail", "low", "-fps"};
    std::vector<std::pair<std::string, std::string>> environment;
    if (way.byEnvironment) {
      arguments = {"--root", "--detail", "low", "-fps"};
      environment.emplace_back("XSCREENSAVER_WINDOW", std::to_string(host));
    }
    vt_test::VantorelProgram program(arguments, settings_, environment);
    ASSERT_TRUE(vt_test::waitFor([&] { return drawnInto(host, 400, 300); })) << way.name << "\n" << program.output();

    EXPECT_EQ(vt_test::findWindowByName(display_, "Vantorel"), 0u) << way.name << ": a window of its own";
    EXPECT_FALSE(pointerGrabbedByOthers()) << way.name;

    // Input belongs to xscreensaver: it does not end the hack.
    XTestFakeMotionEvent(display_, -1, 200, 150, CurrentTime);
    XTestFakeMotionEvent(display_, -1, 300, 250, CurrentTime);
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_space), True, CurrentTime);
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_space), False, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XResizeWindow(display_, host, 520, 360);
    XFlush(display_);
    int status = -1;
    EXPECT_LT(program.secondsToExit(status, 1.5), 0.0) << way.name << ": input or a new size ended the run\n"
                                                        << program.output();

    if (!way.byEnvironment) {
      const std::string directory = std::string(VT_BINARY_DIR) + "/test-output";
      fs::create_directories(directory);
      const std::string shot = "import -window " + std::to_string(host) + " " + directory + "/xscreensaver_window.png";
      EXPECT_EQ(std::system(shot.c_str()), 0) << shot;
    }

    kill(program.pid(), SIGTERM);
    const double seconds = program.secondsToExit(status);
    std::printf("%s: ended %.3f s after SIGTERM\n", way.name, seconds);
    EXPECT_GE(seconds, 0.0) << way.name;
    EXPECT_EQ(status, 0) << way.name << "\n" << program.output();

    XWindowAttributes attributes{};
    EXPECT_TRUE(XGetWindowAttributes(display_, host, &attributes)) << way.name << ": the host's window went";
    XDestroyWindow(display_, host);
    XSync(display_, False);
  }
}

TEST_F(XscreensaverXTest, BadOptionsAndAMissingWindowEndTheRunWithOneLine) {
  struct Case {
    std::vector<std::string> arguments;
    const char* output;
  };
  const Case cases[] = {
      {{"--detail", "extreme"}, "vantorel: --detail needs low, medium or high\n"},
      {{"-window-id", "0x1fffff7"}, "vantorel: there is no window 0x1fffff7 to draw into\n"},
  };
  for (const Case& c : cases) {
    vt_test::VantorelProgram program(c.arguments, settings_);
    int status = -1;
    ASSERT_GE(program.secondsToExit(status), 0.0);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(program.output(), c.output);
  }
}

TEST(ScriptsInstall, PutsTheProgramItsDataAndTheHackDescriptionUnderThePrefix) {
  char pattern[] = "/tmp/vt-install-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path home = pattern, prefix = home / "prefix";
  // An xscreensaver settings file with a programs list, as xscreensaver writes it.
  std::ofstream(home / ".xscreensaver") << "timeout:\t0:10:00\nprograms:\t\t\t\t\t\t\t      \\\n"
                                        << "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n  GL: \t\t\t\tgears -root\t\t\t    \\n\n"
                                        << "pointerHysteresis: 10\n";
  const std::string command = "HOME=" + home.string() + " VANTOREL_BUILD=" + VT_BINARY_DIR + " " + VT_SOURCE_DIR +
                              "/scripts/install --no-build " + prefix.string() + " > " + (home / "log.txt").string() +
                              " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << vt_test::readWholeFile(home / "log.txt");

  for (const char* file : {"bin/vantorel", "share/vantorel/data.sdd", "share/vantorel/vantorel-preview.png",
                           "share/vantorel/vantorel-dialog.png", "share/xscreensaver/config/vantorel.xml"})
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  const std::string xscreensaver = vt_test::readWholeFile(home / ".xscreensaver");
  const std::string entry = "GL: \t\t\t\t" + (prefix / "bin/vantorel").string() + " --root\t\t\t    \\n\\\n";
  EXPECT_NE(xscreensaver.find("programs:\t\t\t\t\t\t\t      \\\n" + entry + "\t\t\t\tmaze -root"), std::string::npos)
      << xscreensaver;

  // Installed, the program finds its data and pictures by itself.
  const fs::path frames = home / "frames";
  const std::string render = "VANTOREL_SETTINGS=" + (home / "none.conf").string() + " " +
                             (prefix / "bin/vantorel").string() + " --render " + frames.string() +
                             " --seconds 0.2 --fps 10 --size 64x48 > " + (home / "render.txt").string() + " 2>&1";
  EXPECT_EQ(std::system(render.c_str()), 0) << vt_test::readWholeFile(home / "render.txt");
  EXPECT_EQ(vt_test::readWholeFile(home / "render.txt").find("not open"), std::string::npos)
      << vt_test::readWholeFile(home / "render.txt");

  // A second install adds no second entry.
  ASSERT_EQ(std::system(command.c_str()), 0) << vt_test::readWholeFile(home / "log.txt");
  const std::string again = vt_test::readWholeFile(home / ".xscreensaver");
  EXPECT_EQ(again, xscreensaver);
  fs::remove_all(home);
}

}  // namespace
