// `vantorel /p ID` under Xvfb: the preview picture at the top-left corner of
// a child that fills the window ID, black around it, whether that window is
// larger or smaller than the picture; the run ends when the window goes
// away; without a number, the "Cannot creat window!" box. Screenshots of
// the windows land in test-output/ to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/x11/x11_message_box.h"
#include "platform/x11_test_support.h"
#include "shell/preview_picture.h"
#include "shell/vantorel_program.h"

// After the test headers: Xlib's macros would clash with GoogleTest's names.
#include <X11/extensions/XTest.h>

namespace {

class PreviewXTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
    ASSERT_TRUE(loadRgbPicture(std::string(VT_BINARY_DIR) + "/bin/" + kPreviewPictureFile, picture_))
        << "the built preview picture";
  }
  void TearDown() override { XCloseDisplay(display_); }

  // The display-settings dialog's little window, as another program has it.
  Window makeParent(int width, int height) {
    Window parent = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 50, 50, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, 0, 0x808080);
    XMapWindow(display_, parent);
    XSync(display_, False);
    return parent;
  }

  int childCount(Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return -1;
    if (children) XFree(children);
    return static_cast<int>(count);
  }

  std::uint32_t expectedAt(int x, int y) const {
    if (x >= picture_.width || y >= picture_.height) return 0;
    const std::uint8_t* p = &picture_.rgb[(static_cast<std::size_t>(y) * picture_.width + x) * 3];
    return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
  }

  // Counts the pixels of the window that differ from the picture on black.
  int mismatches(Window window, int width, int height) {
    XSync(display_, False);
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return width * height;
    int wrong = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if ((static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF) != expectedAt(x, y)) ++wrong;
    XDestroyImage(image);
    return wrong;
  }

  void screenshot(Window window, const std::string& name) {
    const std::string directory = std::string(VT_BINARY_DIR) + "/test-output";
    std::filesystem::create_directories(directory);
    const std::string command = "import -window " + std::to_string(window) + " " + directory + "/" + name + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }

  Display* display_ = nullptr;
  RgbPicture picture_;
};

TEST_F(PreviewXTest, ThePictureSitsAtTheTopLeftOfParentsLargerAndSmallerThanIt) {
  struct Case {
    int width, height;
    const char* screenshot;
  };
  for (const Case& c : {Case{300, 200, "preview_large.png"}, Case{100, 80, "preview_small.png"}}) {
    const Window parent = makeParent(c.width, c.height);
    vt_test::VantorelProgram program({"/p", std::to_string(parent)}, "Path=/nowhere\n");
    // Black around the picture: the grey of the parent never shows.
    EXPECT_TRUE(vt_test::waitFor([&] { return childCount(parent) == 1 && mismatches(parent, c.width, c.height) == 0; }))
        << c.width << "x" << c.height << ": " << mismatches(parent, c.width, c.height) << " pixels differ\n"
        << program.output();
    screenshot(parent, c.screenshot);

    int status = -1;
    EXPECT_FALSE(program.hasExited(status));
    XDestroyWindow(display_, parent);
    XSync(display_, False);
    const double seconds = program.secondsToExit(status);
    std::printf("%dx%d: the preview ended %.3f s after its parent\n", c.width, c.height, seconds);
    EXPECT_GE(seconds, 0.0) << program.output();
    EXPECT_EQ(status, 0);
  }
}

TEST_F(PreviewXTest, TheChildFollowsItsParentsSize) {
  const Window parent = makeParent(120, 90);
  vt_test::VantorelProgram program({"/p", std::to_string(parent)}, "Path=/nowhere\n");
  ASSERT_TRUE(vt_test::waitFor([&] { return childCount(parent) == 1 && mismatches(parent, 120, 90) == 0; }))
      << program.output();
  XResizeWindow(display_, parent, 260, 180);
  XSync(display_, False);
  EXPECT_TRUE(vt_test::waitFor([&] { return mismatches(parent, 260, 180) == 0; }))
      << mismatches(parent, 260, 180) << " pixels differ";
  XDestroyWindow(display_, parent);
  XSync(display_, False);
  int status = -1;
  EXPECT_GE(program.secondsToExit(status), 0.0);
}

TEST_F(PreviewXTest, WithoutAWindowNumberTheMessageBoxShows) {
  vt_test::VantorelProgram program({"/p"}, "Path=/nowhere\n");
  Window box = 0;
  ASSERT_TRUE(vt_test::waitFor([&] {
    box = vt_test::findWindowByName(display_, "ERROR");
    return vt_test::isViewable(display_, box);
  })) << program.output();
  usleep(200000);
  screenshot(box, "preview_no_window.png");

  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, box, &attributes);
  const platform::Rect ok = platform::x11::messageBoxButton(attributes.width, attributes.height);
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, box, DefaultRootWindow(display_), (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2,
                        &x, &y, &child);
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XFlush(display_);

  int status = -1;
  ASSERT_GE(program.secondsToExit(status), 0.0) << program.output();
  EXPECT_EQ(status, 0);
  EXPECT_NE(program.output().find("ERROR: Cannot creat window!"), std::string::npos) << program.output();
}

}  // namespace
