// `vantorel /c` under Xvfb: the GTK dialog appears at its size with its
// controls where the dialog units put them, owned by the window after the
// switch; a click on a check box and on a trackbar reach the settings, OK
// writes every value but Path, Cancel and Escape write nothing, and the
// About box opens over it. Screenshots land in test-output/ to be looked at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "platform/x11_test_support.h"
#include "shell/vantorel_program.h"

// After the test headers: Xlib's macros would clash with GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr char kStoredSettings[] = "# kept\nPath=/nowhere/data\nShowFPS=0\nVolume=100\nEnableMusic=1\n";

// Dialog units as the GTK view converts them (an 8-point font).
int across(double units) { return static_cast<int>(std::lround(units * 1.75)); }
int down(double units) { return static_cast<int>(std::lround(units * 1.875)); }

std::map<std::string, std::string> valuesOf(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

class ConfigDialogXTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override { XCloseDisplay(display_); }

  // Waits for a viewable top-level window with this title and for GTK to
  // have drawn it; remembers where it is.
  Window waitForDialog(const std::string& title) {
    Window window = 0;
    EXPECT_TRUE(vt_test::waitFor([&] {
      window = vt_test::findWindowByName(display_, title);
      return vt_test::isViewable(display_, window);
    })) << title;
    if (!window) return 0;
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    width_ = attributes.width;
    height_ = attributes.height;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &left_, &top_, &child);
    usleep(300000);
    return window;
  }

  // A click at a point of the dialog, in dialog units.
  void clickAt(double x, double y) {
    XTestFakeMotionEvent(display_, -1, left_ + across(x), top_ + down(y), CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XFlush(display_);
    usleep(150000);
  }
  // The middle of a control given as in the dialog template.
  void clickControl(int x, int y, int width, int height) { clickAt(x + width / 2.0, y + height / 2.0); }

  void pressKey(KeySym key) {
    // Without a window manager the keyboard follows the pointer.
    XTestFakeMotionEvent(display_, -1, left_ + width_ / 2, top_ + height_ / 2, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, key);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XFlush(display_);
    usleep(150000);
  }

  void screenshot(const std::string& name) {
    const std::string directory = std::string(VT_BINARY_DIR) + "/test-output";
    std::filesystem::create_directories(directory);
    const std::string command = "import -window root " + directory + "/" + name + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }

  Display* display_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

TEST_F(ConfigDialogXTest, ClicksReachTheSettingsAndOkWritesEveryValueButPath) {
  vt_test::VantorelProgram program({"/c"}, kStoredSettings);
  ASSERT_NE(waitForDialog("Vantorel Configuration"), 0u) << program.output();
  EXPECT_EQ(width_, across(397));
  EXPECT_EQ(height_, down(238));
  screenshot("config_dialog.png");

  clickControl(111, 25, 48, 9);        // "Show FPS"
  clickAt(273 + 113 / 4.0, 129 + 6);  // the volume trackbar, a quarter of the way along
  screenshot("config_dialog_changed.png");
  clickControl(244, 221, 65, 14);  // OK
  int status = -1;
  const double seconds = program.secondsToExit(status);
  std::printf("the dialog ended %.3f s after OK\n", seconds);
  ASSERT_GE(seconds, 0.0) << program.output();
  EXPECT_EQ(status, 0) << program.output();

  const std::string text = program.settingsText();
  EXPECT_EQ(text.rfind("# kept\nPath=/nowhere/data\n", 0), 0u) << text;
  const auto values = valuesOf(text);
  for (const char* name : {"ShowClock", "TimeFormat", "English", "Random", "EnableMusic", "UseDesktop", "ShowFlame",
                           "DefGamma", "Width", "Height", "Depth", "Volume", "Gamma", "Detail", "VSync", "MouseExit",
                           "ShowFPS"})
    EXPECT_EQ(values.count(name), 1u) << name << " in\n" << text;
  EXPECT_EQ(values.at("ShowFPS"), "1");
  const int volume = std::atoi(values.at("Volume").c_str());
  EXPECT_GT(volume, 10);
  EXPECT_LT(volume, 45);
  // Xvfb's only mode, as the desktop's.
  EXPECT_EQ(values.at("Width"), "1024");
  EXPECT_EQ(values.at("Height"), "768");
}

TEST_F(ConfigDialogXTest, CancelAndEscapeWriteNothing) {
  for (const char* way : {"Cancel", "Escape", "Restore Defaults then Cancel"}) {
    vt_test::VantorelProgram program({"/c"}, kStoredSettings);
    ASSERT_NE(waitForDialog("Vantorel Configuration"), 0u) << way << "\n" << program.output();
    if (std::string(way) == "Escape") {
      pressKey(XK_Escape);
    } else {
      if (std::string(way) != "Cancel") clickControl(6, 221, 75, 14);
      clickControl(319, 221, 65, 14);
    }
    int status = -1;
    ASSERT_GE(program.secondsToExit(status), 0.0) << way << "\n" << program.output();
    EXPECT_EQ(status, 0) << way;
    EXPECT_EQ(program.settingsText(), kStoredSettings) << way;
  }
}

TEST_F(ConfigDialogXTest, TheWindowAfterTheSwitchOwnsTheDialog) {
  const Window owner = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, 200, 100, 0, 0, 0);
  XMapWindow(display_, owner);
  XSync(display_, False);
  vt_test::VantorelProgram program({"/c:" + std::to_string(owner)}, kStoredSettings);
  const Window dialog = waitForDialog("Vantorel Configuration");
  ASSERT_NE(dialog, 0u) << program.output();
  Window transientFor = 0;
  EXPECT_TRUE(XGetTransientForHint(display_, dialog, &transientFor));
  EXPECT_EQ(transientFor, owner);
  pressKey(XK_Escape);
  int status = -1;
  EXPECT_GE(program.secondsToExit(status), 0.0);
  XDestroyWindow(display_, owner);
}

TEST_F(ConfigDialogXTest, AboutOpensOverTheDialogAndReturnClosesIt) {
  vt_test::VantorelProgram program({"/c"}, kStoredSettings);
  const Window dialog = waitForDialog("Vantorel Configuration");
  ASSERT_NE(dialog, 0u) << program.output();
  const int dialogLeft = left_, dialogTop = top_;
  clickControl(319, 171, 65, 12);  // "About..."
  const Window about = waitForDialog("About Vantorel");
  ASSERT_NE(about, 0u);
  screenshot("config_dialog_about.png");
  Window transientFor = 0;
  EXPECT_TRUE(XGetTransientForHint(display_, about, &transientFor));
  EXPECT_EQ(transientFor, dialog);

  pressKey(XK_Return);
  EXPECT_TRUE(vt_test::waitFor([&] { return !vt_test::isViewable(display_, vt_test::findWindowByName(display_, "About Vantorel")); }));
  int status = -1;
  EXPECT_FALSE(program.hasExited(status)) << "the About box's OK closed the configuration dialog";
  left_ = dialogLeft;
  top_ = dialogTop;
  pressKey(XK_Escape);
  EXPECT_GE(program.secondsToExit(status), 0.0);
  EXPECT_EQ(program.settingsText(), kStoredSettings);
}

}  // namespace
