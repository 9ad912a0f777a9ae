// The X11 backend's windows: the saver window with GL drawing that reaches
// the screen, size, paint and close messages, a foreign window adopted for
// drawing, and the preview child of a foreign window.
#include "x11_test_support.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdlib>

namespace vt_test {
namespace {

using platform::WindowHandle;

class X11WindowTest : public X11Test {
 protected:
  WindowHandle create(const std::string& className, const std::string& title, int x, int y, int width,
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

  // Makes a context current on the window, clears it to yellow, reads the
  // colour back from GL and swaps it onto the window.
  void drawYellow(WindowHandle window) {
    ASSERT_TRUE(platform::choosePixelFormat(window, platform::PixelFormatRequest{}));
    std::uintptr_t context = platform::createGlContext(window);
    ASSERT_NE(context, 0u);
    context_ = context;
    ASSERT_TRUE(platform::makeCurrent(window, context));
    glClearColor(1.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char drawn[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, drawn);
    EXPECT_EQ(drawn[0], 255);
    EXPECT_EQ(drawn[1], 255);
    EXPECT_EQ(drawn[2], 0);
    platform::swapBuffers(window);
    glFinish();
  }

  void TearDown() override {
    if (context_) {
      platform::makeCurrent(0, 0);
      platform::deleteGlContext(context_);
    }
    X11Test::TearDown();
  }

  std::uintptr_t context_ = 0;
};

TEST_F(X11WindowTest, SaverWindowCoversTheScreenAndShowsWhatGlDrew) {
  ScopedClass saverClass("MyWindow", true);
  WindowHandle window = create("MyWindow", "Vantorel", 0, 0, 1024, 768, true);
  ASSERT_NE(window, 0u);
  platform::showWindow(window, platform::SW_SHOWNORMAL);
  platform::setFocus(window);

  platform::Rect client = platform::clientRect(window);
  EXPECT_EQ(client.width(), 1024);
  EXPECT_EQ(client.height(), 768);
  platform::Point corner = platform::clientToScreen(window, {5, 6});
  EXPECT_EQ(corner.x, 5);
  EXPECT_EQ(corner.y, 6);

  drawYellow(window);
  Window native = findWindowByName(peer, "Vantorel");
  ASSERT_NE(native, 0u);
  EXPECT_EQ(pixelAt(peer, native, 512, 384), 0xFFFF00u);
  // Another program's window cannot come between the saver and the user.
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(peer, native, &attributes));
  EXPECT_TRUE(attributes.override_redirect);
}

TEST_F(X11WindowTest, SwapIntervalNeedsAnExtension) {
  ScopedClass saverClass("MyWindow", true);
  WindowHandle window = create("MyWindow", "Vantorel", 0, 0, 64, 64, false);
  ASSERT_NE(window, 0u);
  drawYellow(window);
  std::string extensions = glXQueryExtensionsString(peer, DefaultScreen(peer));
  bool any = false;
  for (const char* name : {"GLX_EXT_swap_control ", "GLX_MESA_swap_control ", "GLX_SGI_swap_control "})
    any = any || (extensions + " ").find(name) != std::string::npos;
  EXPECT_EQ(platform::setSwapInterval(1), any) << extensions;
}

TEST(X11Backend, IsNotAvailableWithoutADisplay) {
  std::string display = getenv("DISPLAY") ? getenv("DISPLAY") : "";
  setenv("DISPLAY", ":4095", 1);
  platform::StartOptions options;
  options.kind = platform::BackendKind::X11;
  EXPECT_FALSE(platform::start(options));
  EXPECT_EQ(platform::activeBackend(), platform::BackendKind::Automatic);
  setenv("DISPLAY", display.c_str(), 1);
}

TEST_F(X11WindowTest, ResizeExposeAndCloseBecomeMessages) {
  ScopedClass plainClass("Plain", false);
  WindowHandle window = create("Plain", "plain window", 10, 10, 200, 100, false);
  ASSERT_NE(window, 0u);
  platform::showWindow(window, platform::SW_SHOW);
  EXPECT_TRUE(pumpUntilMessage(window, platform::WM_PAINT));

  Window native = findWindowByName(peer, "plain window");
  ASSERT_NE(native, 0u);
  XResizeWindow(peer, native, 300, 150);
  XFlush(peer);
  ASSERT_TRUE(pumpUntilMessage(window, platform::WM_SIZE));
  EXPECT_EQ(recorded().back().lParam, 300 | 150 << 16);
  EXPECT_EQ(platform::clientRect(window).width(), 300);
  EXPECT_EQ(platform::clientRect(window).height(), 150);

  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = native;
  close.xclient.message_type = XInternAtom(peer, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(peer, "WM_DELETE_WINDOW", False));
  XSendEvent(peer, native, False, NoEventMask, &close);
  XFlush(peer);
  EXPECT_TRUE(pumpUntilMessage(window, platform::WM_CLOSE));
}

TEST_F(X11WindowTest, AdoptedForeignWindowShowsOurDrawingAndOutlivesUs) {
  Window foreign = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 50, 60, 320, 240, 0, 0, 0);
  XMapWindow(peer, foreign);
  XSync(peer, False);

  ScopedClass saverClass("MyWindow", true);
  platform::WindowSpec spec;
  spec.className = "MyWindow";
  spec.foreignWindow = foreign;
  WindowHandle window = platform::createWindow(spec);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(platform::clientRect(window).width(), 320);
  EXPECT_EQ(platform::clientRect(window).height(), 240);

  drawYellow(window);
  EXPECT_EQ(pixelAt(peer, foreign, 160, 120), 0xFFFF00u);

  platform::makeCurrent(0, 0);
  platform::deleteGlContext(context_);
  context_ = 0;
  platform::destroyWindow(window);
  XWindowAttributes attributes;
  EXPECT_TRUE(XGetWindowAttributes(peer, foreign, &attributes)) << "the owner's window was destroyed";
  XDestroyWindow(peer, foreign);
  XSync(peer, False);
}

TEST_F(X11WindowTest, AdoptedWindowDestroyedByItsOwnerSendsWmDestroy) {
  Window foreign = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 0, 0, 100, 100, 0, 0, 0);
  XMapWindow(peer, foreign);
  XSync(peer, False);
  ScopedClass saverClass("MyWindow", true);
  platform::WindowSpec spec;
  spec.className = "MyWindow";
  spec.foreignWindow = foreign;
  WindowHandle window = platform::createWindow(spec);
  ASSERT_NE(window, 0u);

  XDestroyWindow(peer, foreign);
  XFlush(peer);
  EXPECT_TRUE(pumpUntilMessage(window, platform::WM_DESTROY));
  platform::destroyWindow(window);  // the window is gone; this must still be clean
}

TEST_F(X11WindowTest, PreviewFillsItsForeignParentFollowsItAndEndsWithIt) {
  Window parent = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 100, 100, 300, 200, 0, 0, 0);
  XMapWindow(peer, parent);
  XSync(peer, False);

  ScopedClass previewClass("VTRLPreview", false);
  platform::WindowSpec spec;
  spec.className = "VTRLPreview";
  spec.title = "VTRLSV";
  spec.child = true;
  spec.visible = true;
  spec.foreignParent = parent;
  WindowHandle window = platform::createWindow(spec);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(platform::clientRect(window).width(), 300);
  EXPECT_EQ(platform::clientRect(window).height(), 200);

  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned count = 0;
  ASSERT_TRUE(XQueryTree(peer, parent, &root, &up, &children, &count));
  EXPECT_EQ(count, 1u);
  if (children) XFree(children);

  XResizeWindow(peer, parent, 400, 250);
  XFlush(peer);
  ASSERT_TRUE(pumpUntilMessage(window, platform::WM_SIZE));
  EXPECT_EQ(recorded().back().lParam, 400 | 250 << 16);

  XDestroyWindow(peer, parent);
  XFlush(peer);
  EXPECT_TRUE(pumpUntilMessage(window, platform::WM_DESTROY));
}

TEST_F(X11WindowTest, PreviewOfAMissingParentIsNotCreated) {
  Window parent = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(peer, parent);
  XSync(peer, False);

  ScopedClass previewClass("VTRLPreview", false);
  platform::WindowSpec spec;
  spec.className = "VTRLPreview";
  spec.child = true;
  spec.foreignParent = parent;
  EXPECT_EQ(platform::createWindow(spec), 0u);
}

}  // namespace
}  // namespace vt_test
