// The 2D toolkit: the two projections and the state they leave, the two
// textured quads, and the digit font's glyphs read back through feedback.
#include <GL/gl.h>

#include <array>
#include <functional>
#include <string>

#include "overlay/clock.h"
#include "overlay/draw_2d.h"
#include "overlay_test_support.h"

namespace overlay_test {
namespace {

using Matrix = std::array<GLfloat, 16>;

Matrix matrix(GLenum which) {
  Matrix m{};
  glGetFloatv(which, m.data());
  return m;
}

GLint integer(GLenum which) {
  GLint value = 0;
  glGetIntegerv(which, &value);
  return value;
}

void expectMatrixNear(const Matrix& actual, const Matrix& expected, const char* what) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << what << " entry " << i;
}

// Corners of a quad as (x, y, s, t).
struct Corner {
  float x, y, s, t;
};

void expectCorners(const FedPolygon& quad, const std::array<Corner, 4>& expected, const std::string& what) {
  ASSERT_EQ(quad.size(), 4u) << what;
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(quad[i].x, expected[i].x, 1e-3f) << what << " corner " << i;
    EXPECT_NEAR(quad[i].y, expected[i].y, 1e-3f) << what << " corner " << i;
    EXPECT_NEAR(quad[i].s, expected[i].s, 1e-6f) << what << " corner " << i;
    EXPECT_NEAR(quad[i].t, expected[i].t, 1e-6f) << what << " corner " << i;
  }
}

// Glyph k's square at (x, y) with its cell of the 4 × 4 grid, counter-
// clockwise from the lower left.
std::array<Corner, 4> glyphCorners(int k, float x, float y) {
  const float u = (k % 4) * 0.25f, v = (k / 4) * 0.25f;
  return {{{x, y, u, 0.75f - v}, {x + 40, y, u + 0.25f, 0.75f - v}, {x + 40, y + 40, u + 0.25f, 1 - v},
           {x, y + 40, u, 1 - v}}};
}

class Draw2dTest : public OverlayTest {
 protected:
  Draw2dTest() : OverlayTest(640, 480) {}
};

TEST_F(Draw2dTest, ProjectionsCoverTheWindowAndEndingPutsTheStateBack) {
  struct Case {
    const char* name;
    std::function<void()> begin, end;
    double extentX, extentY;
  };
  const Case cases[] = {
      {"canvas", begin2D, end2D, 800.0, 600.0},
      {"pixels", beginPixel2D, endPixel2D, 640.0, 480.0},
  };
  for (const Case& c : cases) {
    glViewport(1, 2, 3, 4);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(5.0f, 6.0f, 7.0f);
    const Matrix projection = matrix(GL_PROJECTION_MATRIX), modelview = matrix(GL_MODELVIEW_MATRIX);
    const GLint projectionDepth = integer(GL_PROJECTION_STACK_DEPTH);
    const GLint modelviewDepth = integer(GL_MODELVIEW_STACK_DEPTH);

    c.begin();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST)) << c.name;
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << c.name;
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW) << c.name;
    const float sx = static_cast<float>(2.0 / c.extentX), sy = static_cast<float>(2.0 / c.extentY);
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, -1, 0, -1, -1, 0, 1}, c.name);
    expectMatrixNear(matrix(GL_MODELVIEW_MATRIX), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, c.name);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640) << c.name;
    EXPECT_EQ(viewport[3], 480) << c.name;
    glTranslatef(1.0f, 1.0f, 0.0f);  // what an overlay does in between

    c.end();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << c.name;
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << c.name;
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << c.name << ": blending is the callers' business";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << c.name;
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW) << c.name;
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), projectionDepth) << c.name;
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), modelviewDepth) << c.name;
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), projection, c.name);
    expectMatrixNear(matrix(GL_MODELVIEW_MATRIX), modelview, c.name);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0) << c.name << ": the viewport stays as begin set it";
    EXPECT_EQ(viewport[2], 640) << c.name;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
  }
}

TEST_F(Draw2dTest, QuadsCarryTheirTextureCoordinates) {
  struct Case {
    const char* name;
    std::function<void()> draw;
    std::array<Corner, 4> corners;  // in 800 × 600 units
  };
  const Case cases[] = {
      {"centred", [] { drawQuadCentered(400, 300, 100, 50); },
       {{{300, 250, 0, 0}, {500, 250, 1, 0}, {500, 350, 1, 1}, {300, 350, 0, 1}}}},
      {"whole texture", [] { drawQuadInset(10, 20, 200, 100, 0.0f); },
       {{{10, 20, 0, 0}, {210, 20, 1, 0}, {210, 120, 1, 1}, {10, 120, 0, 1}}}},
      {"inset", [] { drawQuadInset(10, 20, 200, 100, 0.25f); },
       {{{10, 20, 0.25f, 0.25f}, {210, 20, 0.75f, 0.25f}, {210, 120, 0.75f, 0.75f}, {10, 120, 0.25f, 0.75f}}}},
      {"centre texel", [] { drawQuadInset(10, 20, 200, 100, 0.5f); },
       {{{10, 20, 0.5f, 0.5f}, {210, 20, 0.5f, 0.5f}, {210, 120, 0.5f, 0.5f}, {10, 120, 0.5f, 0.5f}}}},
      {"hanging down", [] { drawQuadInset(10, 580, 320, -180, 0.0f); },
       {{{10, 580, 0, 0}, {330, 580, 1, 0}, {330, 400, 1, 1}, {10, 400, 0, 1}}}},
  };
  for (const Case& c : cases) {
    begin2D();
    const std::vector<FedPolygon> quads = quadsOf(captureFeedback(c.draw));
    end2D();
    ASSERT_EQ(quads.size(), 1u) << c.name;
    std::array<Corner, 4> window = c.corners;
    for (Corner& corner : window) corner.x *= 0.8f, corner.y *= 0.8f;  // 800 × 600 over 640 × 480
    expectCorners(quads[0], window, c.name);
  }
}

class DigitFontTest : public OverlayTest {};  // 800 × 600: canvas units are pixels

TEST_F(DigitFontTest, GlyphsComeFromTheGridAndRunLeftToRight) {
  loadOverlayData(1);
  ASSERT_NE(digitFont.texture, 0u);
  EXPECT_EQ(digitFont.texture, textureRegistry.find("textures\\c.jpg")->texture);

  begin2D();
  glTranslatef(3.0f, 0.0f, 0.0f);  // drawDigits moves on from where the origin is
  const std::vector<FedPolygon> quads = quadsOf(captureFeedback([] { drawDigits(100, 50, "12:05"); }));
  const Matrix after = matrix(GL_MODELVIEW_MATRIX);
  end2D();

  const int glyphs[] = {1, 2, 10, 0, 5};
  ASSERT_EQ(quads.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    expectCorners(quads[i], glyphCorners(glyphs[i], 103.0f + 28.0f * i, 50.0f), "glyph " + std::to_string(i));
  }
  EXPECT_FLOAT_EQ(after[12], 103.0f + 5 * 28.0f) << "the lists' moves accumulate without a push";
  EXPECT_FLOAT_EQ(after[13], 50.0f);
}

TEST_F(DigitFontTest, CharactersWithoutAGlyphAreSkipped) {
  loadOverlayData(1);
  begin2D();
  const std::vector<FedPolygon> quads = quadsOf(captureFeedback([] { drawDigits(0, 0, "-1/=2\x80"); }));
  end2D();
  ASSERT_EQ(quads.size(), 2u);
  expectCorners(quads[0], glyphCorners(1, 0, 0), "1");
  expectCorners(quads[1], glyphCorners(2, 28, 0), "2");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DigitFontTest, WithoutItsPictureTheFontStillHasItsGlyphs) {
  useArchive({});
  buildDigitFont();
  EXPECT_EQ(digitFont.texture, 0u);
  begin2D();
  const std::vector<FedPolygon> quads = quadsOf(captureFeedback([] { drawDigits(0, 0, "0123456789:;<"); }));
  end2D();
  ASSERT_EQ(quads.size(), 13u);
  for (int k = 0; k < 13; ++k) expectCorners(quads[k], glyphCorners(k, 28.0f * k, 0), "glyph " + std::to_string(k));
}

TEST_F(DigitFontTest, FrameRateStartsInTheTopLeftCorner) {
  loadOverlayData(1);
  glBlendFunc(GL_ZERO, GL_ZERO);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.2f, 0.2f, 0.2f, 0.2f);
  begin2D();
  glTranslatef(50.0f, 50.0f, 0.0f);  // loads its own identity
  const std::vector<FedPolygon> quads = quadsOf(captureFeedback([] { drawFrameRate(1234); }));
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(digitFont.texture));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
  end2D();

  ASSERT_EQ(quads.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    expectCorners(quads[i], glyphCorners(i + 1, 4.0f + 28.0f * i, 558.0f), "glyph " + std::to_string(i));
    EXPECT_FLOAT_EQ(quads[i][0].a, 1.0f);
    EXPECT_FLOAT_EQ(quads[i][0].r, 1.0f);
  }
}

}  // namespace
}  // namespace overlay_test
