// The transitions: when a window is active and how far through it, the
// veils and the noise each draws (read back through feedback), and the state
// left for the HUD layers.
#include "overlay/transitions.h"

#include <GL/gl.h>

#include <array>
#include <string>

#include "overlay_test_support.h"

namespace overlay_test {
namespace {

TEST(WindowFractionTest, IsDefinedInsideTheWindowOnly) {
  struct Case {
    TimeWindow window;
    double t;
    bool active;
    float fraction;
  };
  const Case cases[] = {
      {{28, 30}, 27.9, false, 0},  {{28, 30}, 28.0, true, 0},    {{28, 30}, 29.0, true, 0.5f},
      {{28, 30}, 30.0, true, 1},   {{28, 30}, 30.01, false, 0},  {{5, 5}, 5.0, false, 0},
      {{30, 28}, 29.0, false, 0},  {{-1, -1}, -1.0, false, 0},   {{-1, -1}, 0.0, false, 0},
  };
  for (const Case& c : cases) {
    float fraction = -7.0f;
    const std::string what = std::to_string(c.window.start) + ".." + std::to_string(c.window.end) + " at " +
                             std::to_string(c.t);
    EXPECT_EQ(windowFraction(c.window, c.t, fraction), c.active) << what;
    if (c.active) {
      EXPECT_FLOAT_EQ(fraction, c.fraction) << what;
    }
  }
}

class TransitionsTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    loadOverlayData(1);
  }

  static std::vector<FedPolygon> drawAt(double t) {
    camera.trackTime = t;
    return quadsOf(captureFeedback([] { drawTransitions(camera); }));
  }

  static void expectColour(const FedVertex& v, std::array<float, 4> rgba, const std::string& what) {
    EXPECT_NEAR(v.r, rgba[0], 1e-6f) << what;
    EXPECT_NEAR(v.g, rgba[1], 1e-6f) << what;
    EXPECT_NEAR(v.b, rgba[2], 1e-6f) << what;
    EXPECT_NEAR(v.a, rgba[3], 1e-6f) << what;
  }

  // The state every transition frame ends in, whatever was drawn.
  static void expectStateLeftForTheHud() {
    GLint source = 0, destination = 0, mode = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat texture[16];
    glGetFloatv(GL_TEXTURE_MATRIX, texture);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(texture[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }

  static constexpr Box kScreen{0, 0, 800, 600};
};

TEST_F(TransitionsTest, FadesDarkenTowardsTheirEndAndLightenBack) {
  struct Case {
    TimeWindow* window;
    double t;
    float alpha;
  };
  const Case cases[] = {
      {&fadeOutWindow, 29.0, 0.5f}, {&fadeOutWindow, 30.0, 1.0f},  // complete at the end
      {&fadeBackWindow, 29.0, 0.5f}, {&fadeBackWindow, 30.0, 0.0f},
  };
  for (const Case& c : cases) {
    fadeOutWindow = fadeBackWindow = TimeWindow{};
    *c.window = TimeWindow{28.0f, 30.0f};
    const std::string what = std::string(c.window == &fadeOutWindow ? "fout" : "fback") + " at " + std::to_string(c.t);
    const std::vector<FedPolygon> quads = drawAt(c.t);
    ASSERT_EQ(quads.size(), 1u) << what;
    expectBoxNear(boxOf(quads[0]), kScreen, what);
    expectColour(quads[0][0], {0, 0, 0, c.alpha}, what);
    expectStateLeftForTheHud();
  }
}

TEST_F(TransitionsTest, InactiveWindowsDrawNothing) {
  fadeOutWindow = TimeWindow{28.0f, 30.0f};
  wipeOutWindow = TimeWindow{10.0f, 10.0f};  // equal ends: even at that instant
  sceneClock = 29.0f;                        // the camera's track time decides
  EXPECT_TRUE(drawAt(10.0).empty());
  expectStateLeftForTheHud();
}

TEST_F(TransitionsTest, NoiseGrowsFromTheCentreTexelBehindAWhiteVeil) {
  struct Case {
    TimeWindow* window;
    double t;
    float veil;
  };
  const Case cases[] = {{&wipeOutWindow, 12.5, 0.75f}, {&wipeBackWindow, 17.5, 0.25f}};
  for (const Case& c : cases) {
    wipeOutWindow = wipeBackWindow = TimeWindow{};
    *c.window = TimeWindow{10.0f, 20.0f};
    const std::string what = c.window == &wipeOutWindow ? "wout" : "wback";
    const std::vector<FedPolygon> quads = drawAt(c.t);
    ASSERT_EQ(quads.size(), 2u) << what;
    expectBoxNear(boxOf(quads[0]), kScreen, what + " veil");
    expectColour(quads[0][0], {1, 1, 1, c.veil}, what + " veil");
    expectBoxNear(boxOf(quads[1]), kScreen, what + " noise");
    expectColour(quads[1][0], {1, 1, 1, 1}, what + " noise");
    // Inset 0.375 either way (wout at 1/4, wback at 3/4), t stretched 50 times.
    const FedVertex& lowerLeft = quads[1][0];
    EXPECT_NEAR(lowerLeft.s, 0.375f, 1e-5f) << what;
    EXPECT_NEAR(lowerLeft.t, 0.375f * 50, 1e-3f) << what;
    expectStateLeftForTheHud();
  }
}

TEST_F(TransitionsTest, TwoNoiseBlocksStretchTheNoiseTwice) {
  wipeOutWindow = TimeWindow{10.0f, 20.0f};
  wipeBackWindow = TimeWindow{10.0f, 20.0f};
  const std::vector<FedPolygon> quads = drawAt(15.0);  // inset 0.25 both
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_NEAR(quads[1][0].t, 0.25f * 50, 1e-3f);
  EXPECT_NEAR(quads[3][0].t, 0.25f * 2500, 1e-2f);
  EXPECT_NEAR(quads[2][0].a, 0.0f, 1e-6f) << "the wback veil at f - 0.5";
  expectStateLeftForTheHud();
}

TEST_F(TransitionsTest, AllFourRunInTheirOrder) {
  fadeOutWindow = fadeBackWindow = wipeOutWindow = wipeBackWindow = TimeWindow{0.0f, 4.0f};
  const std::vector<FedPolygon> quads = drawAt(1.0);
  ASSERT_EQ(quads.size(), 6u);
  expectColour(quads[0][0], {0, 0, 0, 0.25f}, "fout");
  expectColour(quads[1][0], {0, 0, 0, 0.75f}, "fback");
  expectColour(quads[2][0], {1, 1, 1, 0.75f}, "wout veil");
  expectColour(quads[4][0], {1, 1, 1, 0.0f}, "wback veil");
  expectStateLeftForTheHud();
}

}  // namespace
}  // namespace overlay_test
