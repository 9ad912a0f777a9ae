// The clock: its text for 24- and 12-hour times, and where and how its
// glyphs are drawn.
#include "overlay/clock.h"

#include <GL/gl.h>

#include <string>

#include "overlay_test_support.h"

namespace overlay_test {
namespace {

TEST(ClockTextTest, FormatsBothClocks) {
  struct Case {
    int h, m, s;
    bool twelveHour;
    const char* text;
  };
  const Case cases[] = {
      {9, 5, 7, false, "09:05:07"},   {0, 0, 0, false, "00:00:00"},   {12, 30, 0, false, "12:30:00"},
      {23, 59, 59, false, "23:59:59"}, {0, 30, 0, true, "12:30:00;"},  {12, 0, 0, true, "12:00:00<"},
      {23, 59, 59, true, "11:59:59<"}, {11, 59, 59, true, "11:59:59;"}, {1, 2, 3, true, "01:02:03;"},
      {13, 10, 10, true, "01:10:10<"},
  };
  for (const Case& c : cases) EXPECT_EQ(clockText(c.h, c.m, c.s, c.twelveHour), c.text) << c.text;
}

class ClockDrawTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    loadOverlayData(1);
  }
};

TEST_F(ClockDrawTest, RunsFromTheBottomRightWithItsMarker) {
  settings::TimeFormat = 1;
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  const std::vector<FedPolygon> quads = quadsOf(captureFeedback([] { drawClockTime(12, 0, 0); }));
  ASSERT_EQ(quads.size(), 9u);
  const int glyphs[9] = {1, 2, 10, 0, 0, 10, 0, 0, 12};
  for (int i = 0; i < 9; ++i) {
    const Box box = boxOf(quads[i]);
    EXPECT_FLOAT_EQ(box.left, 525.0f + 28 * i) << i;
    EXPECT_FLOAT_EQ(box.bottom, 2.0f) << i;
    EXPECT_FLOAT_EQ(box.top, 42.0f) << i;
    const Box cell = texBoxOf(quads[i]);
    EXPECT_FLOAT_EQ(cell.left, (glyphs[i] % 4) * 0.25f) << i;
    EXPECT_FLOAT_EQ(cell.top, 1.0f - (glyphs[i] / 4) * 0.25f) << i;
  }
  GLint function = 0, bound = 0, source = 0, destination = 0;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(function, GL_ALWAYS);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(bound, static_cast<GLint>(digitFont.texture));
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "its own 2D section has ended";
}

TEST_F(ClockDrawTest, TheLocalTimeHasEightGlyphsOnTheTwentyFourHourClock) {
  settings::TimeFormat = 0;
  EXPECT_EQ(quadsOf(captureFeedback([] { drawClock(); })).size(), 8u);
  settings::TimeFormat = 1;
  EXPECT_EQ(quadsOf(captureFeedback([] { drawClock(); })).size(), 9u);
}

}  // namespace
}  // namespace overlay_test
