// OpenGL on the headless backend: the context, what is drawn, and the PNG
// frames written from it.
#include <GL/gl.h>

#include <filesystem>
#include <fstream>

#include "headless_fixture.h"
#include "platform/headless/png_image.h"

namespace headless_test {
namespace {

using namespace platform;

struct Rgba {
  int r, g, b, a;
  bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

constexpr Rgba kClear{0, 0, 255, 255};
constexpr Rgba kQuad{255, 255, 0, 255};

Rgba readGlPixel(int x, int y) {
  std::uint8_t p[4] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2], p[3]};
}

Rgba imagePixel(const std::vector<std::uint8_t>& rgba, int width, int x, int y) {
  const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Blue everywhere and a yellow quad over the lower-left quarter of the
// window, drawn with fixed-function calls in window coordinates.
void drawLowerLeftQuad(int width, int height) {
  glViewport(0, 0, width, height);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_QUADS);
  glVertex2i(0, 0);
  glVertex2i(width / 2, 0);
  glVertex2i(width / 2, height / 2);
  glVertex2i(0, height / 2);
  glEnd();
}

TEST_F(HeadlessTest, ContextNeedsAPixelFormatAndHasDepthAndStencil) {
  WindowHandle bare = makeWindow(kOwnDcClass, 0, 0, 10, 10);
  EXPECT_EQ(createGlContext(bare), 0u);

  makeGlWindow();
  EXPECT_FALSE(makeCurrent(bare, context_));
  GLint depth = 0, stencil = 0, red = 0, alpha = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  glGetIntegerv(GL_RED_BITS, &red);
  glGetIntegerv(GL_ALPHA_BITS, &alpha);
  EXPECT_GE(depth, 24);
  EXPECT_GE(stencil, 8);
  EXPECT_EQ(red, 8);
  EXPECT_EQ(alpha, 8);
  // Fixed-function state is there: a compatibility context, not a core one.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-53.333335, 53.333335, -40, 40, 80, 5000000);
  glEnable(GL_LIGHTING);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  EXPECT_TRUE(makeCurrent(0, 0));
  std::vector<std::uint8_t> pixels;
  EXPECT_FALSE(headless::captureFrame(1, 1, pixels));
}

TEST_F(HeadlessTest, WhatIsDrawnIsReadBackAfterTheSwap) {
  WindowHandle window = makeGlWindow();
  drawLowerLeftQuad(kMonitorWidth, kMonitorHeight);
  swapBuffers(window);

  EXPECT_EQ(readGlPixel(5, 5), kQuad);
  EXPECT_EQ(readGlPixel(kMonitorWidth - 5, kMonitorHeight - 5), kClear);
  EXPECT_EQ(readGlPixel(kMonitorWidth / 2 + 5, 5), kClear);

  std::vector<std::uint8_t> topDown;
  ASSERT_TRUE(headless::captureFrame(kMonitorWidth, kMonitorHeight, topDown));
  EXPECT_EQ(imagePixel(topDown, kMonitorWidth, 5, kMonitorHeight - 5), kQuad);
  EXPECT_EQ(imagePixel(topDown, kMonitorWidth, 5, 5), kClear);
}

TEST_F(HeadlessTest, RecordedFramesArePngsTopDownThenQuit) {
  WindowHandle window = makeGlWindow(200, 100);
  const std::string directory = outputDirectory() + "/frames";
  ASSERT_TRUE(headless::recordFrames(directory, 2));

  Message message;
  int swaps = 0;
  while (!(peekMessage(message) && message.message == WM_QUIT) && swaps < 5) {
    drawLowerLeftQuad(200, 100);
    swapBuffers(window);
    ++swaps;
  }
  EXPECT_EQ(swaps, 2);
  EXPECT_EQ(headless::framesWritten(), 2u);
  EXPECT_FALSE(headless::frameOutputFailed());
  EXPECT_TRUE(std::filesystem::exists(directory + "/frame_00001.png"));
  EXPECT_FALSE(std::filesystem::exists(directory + "/frame_00002.png"));

  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  ASSERT_TRUE(image::readPng(directory + "/frame_00000.png", width, height, rgba));
  ASSERT_EQ(width, 200);  // the window, not the whole monitor
  ASSERT_EQ(height, 100);
  EXPECT_EQ(imagePixel(rgba, width, 2, height - 2), kQuad);      // bottom left
  EXPECT_EQ(imagePixel(rgba, width, 2, 2), kClear);              // top left
  EXPECT_EQ(imagePixel(rgba, width, width - 2, height - 2), kClear);  // bottom right
}

TEST_F(HeadlessTest, FrameOutputFailuresAreReported) {
  const std::string directory = outputDirectory();
  std::filesystem::create_directories(directory);
  const std::string file = directory + "/not-a-directory";
  { std::ofstream(file) << "x"; }
  EXPECT_FALSE(headless::recordFrames(file + "/frames", 0));

  WindowHandle window = makeGlWindow();
  ASSERT_TRUE(headless::recordFrames(directory + "/frames", 0));
  makeCurrent(0, 0);  // nothing to read from
  ::testing::internal::CaptureStderr();
  swapBuffers(window);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("frame_00000.png"), std::string::npos);
  EXPECT_TRUE(headless::frameOutputFailed());
  Message message;
  ASSERT_TRUE(peekMessage(message));
  EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
}  // namespace headless_test
