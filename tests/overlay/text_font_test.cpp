// The text font built on the headless context: its height rule, its lists,
// what drawText sends and where it leaves the raster position, and glyphs
// that stand the right way up.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "overlay/draw_2d.h"
#include "overlay_test_support.h"
#include "platform/headless/headless.h"

namespace overlay_test {
namespace {

TEST(TextFontHeightTest, FollowsTheDisplayWidth) {
  const std::pair<int, int> cases[] = {{1024, -15}, {800, -11}, {1280, -18}, {640, -9}, {68, 0}};
  for (const auto& [width, height] : cases) EXPECT_EQ(textFontHeight(width), height) << width;
}

class TextFontTest : public OverlayTest {
 protected:
  static std::array<GLfloat, 4> rasterPosition() {
    std::array<GLfloat, 4> position{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position.data());
    return position;
  }

  // How far the raster position moves over the text.
  static float advanceOf(const char* text) {
    glRasterPos2f(10.0f, 300.0f);
    const float start = rasterPosition()[0];
    drawText(text);
    return rasterPosition()[0] - start;
  }
};

TEST_F(TextFontTest, DrawsOneGlyphPerCharacterAndMovesTheRasterPosition) {
  buildTextFont();
  ASSERT_NE(textFont.firstList, 0u);

  begin2D();
  glListBase(77);
  glRasterPos2f(40.0f, 560.0f);
  const Feedback fed = captureFeedback([] { drawText("Mercury 0.39 AU"); });
  const std::array<GLfloat, 4> after = rasterPosition();
  GLint listBase = 0;
  glGetIntegerv(GL_LIST_BASE, &listBase);
  end2D();

  ASSERT_EQ(fed.bitmaps.size(), 15u) << "one glyph per character, spaces included";
  EXPECT_FLOAT_EQ(fed.bitmaps[0].x, 40.0f);
  EXPECT_FLOAT_EQ(fed.bitmaps[0].y, 560.0f);
  for (std::size_t i = 1; i < fed.bitmaps.size(); ++i) {
    EXPECT_GT(fed.bitmaps[i].x, fed.bitmaps[i - 1].x) << i;
    EXPECT_FLOAT_EQ(fed.bitmaps[i].y, 560.0f) << i;
  }
  EXPECT_GT(after[0], fed.bitmaps.back().x);
  EXPECT_FLOAT_EQ(after[1], 560.0f);
  EXPECT_EQ(listBase, 77) << "the list state is saved and restored";
}

TEST_F(TextFontTest, BytesOutsideTheFontAreSkipped) {
  buildTextFont();
  begin2D();
  glRasterPos2f(40.0f, 300.0f);
  const Feedback fed = captureFeedback([] { drawText("A\tB\x7f\xc3\xa9\x1b"); });
  end2D();
  EXPECT_EQ(fed.bitmaps.size(), 3u) << "A, B and 127";
}

TEST_F(TextFontTest, GlyphsStandUpright) {
  buildTextFont();
  glClear(GL_COLOR_BUFFER_BIT);
  begin2D();
  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glRasterPos2f(100.0f, 100.0f);
  drawText("T");
  end2D();
  std::vector<std::uint8_t> rgba;
  ASSERT_TRUE(platform::headless::captureFrame(width_, height_, rgba));

  // Lit pixels per row of the window, bottom-up, around the glyph.
  std::vector<int> litRows;
  for (int y = 90; y < 130; ++y) {
    int lit = 0;
    for (int x = 95; x < 125; ++x) lit += rgba[((height_ - 1 - y) * width_ + x) * 4] > 128;
    if (lit > 0) litRows.push_back(lit);
  }
  ASSERT_GE(litRows.size(), 6u) << "an 11-pixel font draws a T some 8 rows high";
  EXPECT_LE(litRows.size(), 12u);
  EXPECT_GT(litRows.back(), 2 * litRows.front()) << "the bar of the T is at the top";
}

TEST_F(TextFontTest, ANegativeHeightIsTheCharacterHeightAPositiveOneTheCell) {
  const GLuint em = glGenLists(96), cell = glGenLists(96);
  ASSERT_TRUE(platform::buildBitmapFont("Arial", -40, 32, 96, em));
  ASSERT_TRUE(platform::buildBitmapFont("Arial", 40, 32, 96, cell));
  begin2D();
  textFont.firstList = em;
  const float emAdvance = advanceOf("MMMM");
  textFont.firstList = cell;
  const float cellAdvance = advanceOf("MMMM");
  end2D();
  EXPECT_GT(emAdvance, cellAdvance) << "the cell holds the ascent and descent as well";
  EXPECT_GT(cellAdvance, 0.7f * emAdvance);
}

TEST_F(TextFontTest, RefusesWhatCannotBeAFont) {
  const GLuint lists = glGenLists(4);
  EXPECT_FALSE(platform::buildBitmapFont(nullptr, -12, 32, 4, lists));
  EXPECT_FALSE(platform::buildBitmapFont("Arial", -12, 32, 0, lists));
  EXPECT_FALSE(platform::buildBitmapFont("Arial", -12, -5, 4, lists));
  EXPECT_TRUE(platform::buildBitmapFont("Arial", 0, 32, 4, lists)) << "a zero height still makes a font";
}

}  // namespace
}  // namespace overlay_test
