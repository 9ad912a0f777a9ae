// The main saver window's procedure and the base OpenGL state, on the
// headless backend.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/gl_setup.h"
#include "resources/load_progress.h"
#include "shell/run_state.h"
#include "shell/saver_window.h"
#include "shell/settings.h"

namespace {

using namespace platform;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class SaverWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_TRUE(start({BackendKind::Headless, kWidth, kHeight, 10.0}));
    ASSERT_TRUE(registerClass({"MyWindow", saverWindowProc, true}));
    std::memset(keyState, 0, sizeof keyState);
    mouseDeltaX = mouseDeltaY = 0.0f;
    WindowSpec spec;
    spec.className = "MyWindow";
    spec.width = kWidth;
    spec.height = kHeight;
    window_ = createWindow(spec);
    ASSERT_NE(window_, 0u);
  }
  void TearDown() override {
    makeCurrent(0, 0);
    deleteGlContext(glContext);
    glContext = 0;
    stop();
    unregisterClass("MyWindow");
  }

  LRESULT send(std::uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return sendMessage(window_, message, wParam, lParam);
  }

  WindowHandle window_ = 0;
};

TEST_F(SaverWindowTest, CreationMakesTheGlContextCurrent) {
  EXPECT_EQ(drawingContext, window_);
  EXPECT_NE(glContext, 0u);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 24);
}

TEST_F(SaverWindowTest, AKeyPressStaysAStopAfterItsRelease) {
  EXPECT_EQ(send(WM_KEYDOWN, 'K'), 0);
  EXPECT_EQ(keyState[0], 1);
  EXPECT_EQ(keyState['K'], 1);
  EXPECT_EQ(send(WM_KEYUP, 'K'), 0);
  EXPECT_EQ(keyState['K'], 0);
  EXPECT_EQ(keyState[0], 1);
}

TEST_F(SaverWindowTest, MouseOffsetsFromTheCentre) {
  struct Case {
    int x, y;
    float dx, dy;
  };
  const Case cases[] = {{kWidth / 2, kHeight / 2, 0.0f, 0.0f},
                        {kWidth / 2 - 10, kHeight / 2 - 5, -3.0f, -1.5f},
                        {kWidth / 2 + 24, kHeight / 2, 7.2f, 0.0f}};
  for (const Case& c : cases) {
    send(WM_MOUSEMOVE, 0, makeMouseLParam(c.x, c.y));
    EXPECT_FLOAT_EQ(mouseDeltaX, c.dx) << c.x;
    EXPECT_FLOAT_EQ(mouseDeltaY, c.dy) << c.y;
  }
  EXPECT_EQ(keyState[0], 0);
}

TEST_F(SaverWindowTest, SystemCommandsAreSwallowed) {
  for (WPARAM command : {SC_SCREENSAVE, SC_MONITORPOWER, SC_CLOSE}) {
    EXPECT_EQ(send(WM_SYSCOMMAND, command), 0);
  }
  Message message;
  EXPECT_FALSE(peekMessage(message));
  EXPECT_TRUE(isWindow(window_));
}

TEST_F(SaverWindowTest, CloseAndDestroyPostAQuitButKeepTheWindow) {
  for (std::uint32_t m : {WM_CLOSE, WM_DESTROY}) {
    EXPECT_EQ(send(m), 0);
    Message message;
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
  }
  EXPECT_TRUE(isWindow(window_));
}

TEST_F(SaverWindowTest, EachLoadingProgressMessageRedrawsAndSwaps) {
  const std::int32_t before = loadProgress;
  const std::uint64_t swaps = headless::swapCount();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(send(kLoadProgressMessage), 0);
  EXPECT_EQ(loadProgress, before + 3);
  EXPECT_EQ(headless::swapCount(), swaps + 3);
}

TEST_F(SaverWindowTest, SetupGlLeavesTheBaseState) {
  settings::Width = 200;
  settings::Height = 100;
  settings::DefGamma = 1;
  ASSERT_TRUE(setupGl());

  for (GLenum on : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND, GL_TEXTURE_2D, GL_NORMALIZE})
    EXPECT_TRUE(glIsEnabled(on)) << on;
  for (GLenum off : {GL_LIGHT0, GL_LIGHT2}) EXPECT_FALSE(glIsEnabled(off)) << off;

  GLint value[4] = {};
  glGetIntegerv(GL_BLEND_SRC, value);
  EXPECT_EQ(value[0], GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, value);
  EXPECT_EQ(value[0], GL_ONE);
  glGetIntegerv(GL_VIEWPORT, value);
  EXPECT_EQ(value[2], 200);
  EXPECT_EQ(value[3], 100);
  glGetIntegerv(GL_MATRIX_MODE, value);
  EXPECT_EQ(value[0], GL_MODELVIEW);
  glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, value);
  EXPECT_EQ(value[0], GL_SEPARATE_SPECULAR_COLOR);

  // The 4:3 frustum from 80 to 5000000, whatever the viewport's shape.
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[0], 2.0 * 80 / (2 * 53.333335), 1e-5);
  EXPECT_NEAR(projection[5], 2.0 * 80 / 80, 1e-5);
  EXPECT_NEAR(projection[10], -(5000000.0 + 80) / (5000000.0 - 80), 1e-5);

  GLfloat light[4];
  glGetLightfv(GL_LIGHT1, GL_DIFFUSE, light);
  EXPECT_FLOAT_EQ(light[0], 1.0f);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light);
  EXPECT_FLOAT_EQ(light[0], 0.3f);
  glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, light);
  EXPECT_FLOAT_EQ(light[0], 60.0f);
  glGetLightfv(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, light);
  EXPECT_FLOAT_EQ(light[0], 0.006f);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[3], 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
