// The loading screen: the icons' fade-in over the progress count, the
// places of the pictures on the canvas, sign sets of one entry, none and
// more than ten, and the blending it leaves on.
#include "overlay/loading_screen.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

#include "overlay_test_support.h"

namespace overlay_test {
namespace {

TEST(LoadingIconAlphaTest, EachIconFadesInOverItsOwn33Steps) {
  struct Case {
    int progress, icon;
    float alpha;
  };
  const Case cases[] = {{0, 0, 0.0f},         {16, 0, 16.0f / 33},  {33, 0, 1.0f},   {50, 0, 1.0f},
                        {50, 1, 17.0f / 33},  {50, 2, 0.0f},        {296, 8, 32.0f / 33}, {297, 8, 1.0f},
                        {5000, 8, 1.0f},      {-3, 0, 0.0f}};
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(loadingIconAlpha(c.progress, c.icon), c.alpha) << c.progress << ", icon " << c.icon;
  }
}

class LoadingScreenTest : public OverlayTest {
 protected:
  static std::vector<DrawnQuad> drawAt(int progress) {
    return drawnQuads(captureFeedback([progress] { drawLoadingScreen(progress); }));
  }

  static constexpr Box kCentre{300, 200, 500, 400};
  static constexpr Box kLoadingPicture{300, -40, 500, 160};  // reaching below the window

  // Icon k: a 100 × 100 square 180 units from the centre, 40k degrees
  // clockwise from straight up.
  static Box iconBox(int k) {
    const double angle = 40.0 * k * 3.14159265358979323846 / 180.0;
    const auto x = static_cast<float>(400 + 180 * std::sin(angle)), y = static_cast<float>(300 + 180 * std::cos(angle));
    return {x - 50, y - 50, x + 50, y + 50};
  }
};

TEST_F(LoadingScreenTest, IconsAppearOneAfterTheOtherAroundTheCentre) {
  loadOverlayData(10);
  const float progress50[9] = {1.0f, 17.0f / 33, 0, 0, 0, 0, 0, 0, 0};
  for (int progress : {0, 50}) {
    const std::vector<DrawnQuad> quads = drawAt(progress);
    ASSERT_EQ(quads.size(), 11u) << progress;
    expectBoxNear(quads[0].box, kCentre, "centre");
    expectBoxNear(quads[1].box, kLoadingPicture, "loading picture");
    EXPECT_FLOAT_EQ(quads[0].first.a, 1.0f) << "the centre picture is always at full strength";
    EXPECT_FLOAT_EQ(quads[1].first.a, 1.0f);
    for (int k = 0; k < 9; ++k) {
      const std::string what = "icon " + std::to_string(k) + " at " + std::to_string(progress);
      expectBoxNear(quads[k + 2].box, iconBox(k), what, 1e-2f);
      EXPECT_NEAR(quads[k + 2].first.a, progress == 0 ? 0.0f : progress50[k], 1e-3f) << what;
      EXPECT_FLOAT_EQ(quads[k + 2].first.r, 1.0f) << what;
    }
  }
}

TEST_F(LoadingScreenTest, AtMostNineIconsAreShown) {
  loadOverlayData(13);
  ASSERT_EQ(signSet.size(), 13u);
  EXPECT_EQ(drawAt(300).size(), 11u);
}

TEST_F(LoadingScreenTest, ASingleSignPictureIsTheCentreWithoutIcons) {
  loadOverlayData(1);
  const std::vector<DrawnQuad> quads = drawAt(300);
  ASSERT_EQ(quads.size(), 2u);
  expectBoxNear(quads[0].box, kCentre, "centre");
  expectBoxNear(quads[1].box, kLoadingPicture, "loading picture");
}

TEST_F(LoadingScreenTest, WithoutSignPicturesOnlyTheLoadingPictureIsDrawn) {
  loadOverlayData(0);
  const std::vector<DrawnQuad> quads = drawAt(300);
  ASSERT_EQ(quads.size(), 1u);
  expectBoxNear(quads[0].box, kLoadingPicture, "loading picture");
}

TEST_F(LoadingScreenTest, LeavesAdditiveBlendingOnAndThe3dStateBack) {
  loadOverlayData(3);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_ZERO);
  drawLoadingScreen(40);
  GLint source = 0, destination = 0, mode = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace overlay_test
