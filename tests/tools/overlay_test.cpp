// The sprites and overlay pictures: sprites bright in the middle and black
// at their edges, the digit picture's glyphs in their own cells, the
// panel's shape and alpha, and the noise's spread.
#include <cmath>

#include <gtest/gtest.h>

#include "picture_recipes.h"
#include "stroke_font.h"

namespace {

datagen::Picture paint(const std::string& name) {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(VT_SOURCE_DIR "/tests/tools/fixtures/small_views.txt", recipes, error))
      << error;
  for (datagen::Recipe& recipe : recipes) {
    if (recipe.name != name) continue;
    datagen::Picture picture;
    EXPECT_TRUE(datagen::paintPicture(recipe, picture, error)) << error;
    return picture;
  }
  ADD_FAILURE() << "no recipe " << name;
  return {};
}

double light(const datagen::Colour& c) { return (c.r + c.g + c.b) / 3; }

// The brightest pixel within the given rectangle.
double brightest(const datagen::Picture& picture, int x0, int y0, int x1, int y1) {
  double most = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) most = std::fmax(most, light(picture.at(x, y)));
  return most;
}

}  // namespace

TEST(Sprites, AreBrightInsideAndBlackAllRoundTheirEdges) {
  for (const char* name : {"glow.jpg", "halo.jpg", "dot.jpg", "lensring.jpg", "ghost.jpg", "burst.jpg",
                           "horizon.jpg"}) {
    SCOPED_TRACE(name);
    datagen::Picture sprite = paint(name);
    int w = sprite.width, h = sprite.height;
    double edge = std::fmax(std::fmax(brightest(sprite, 0, 0, w, 1), brightest(sprite, 0, h - 1, w, h)),
                            std::fmax(brightest(sprite, 0, 0, 1, h), brightest(sprite, w - 1, 0, w, h)));
    EXPECT_LT(edge, 0.5 / 255);
    EXPECT_GT(brightest(sprite, 0, 0, w, h), 0.3);
    for (const datagen::Colour& c : sprite.pixels) ASSERT_EQ(c.a, 1.0f);
  }
  // The glow and the dot are brightest in the middle; the atmosphere rim
  // is dark there and bright near its edge.
  for (const char* name : {"glow.jpg", "dot.jpg"}) {
    datagen::Picture sprite = paint(name);
    int half = sprite.width / 2;
    EXPECT_GT(light(sprite.at(half, half)), 0.8) << name;
    EXPECT_GT(light(sprite.at(half, half)), light(sprite.at(half + half / 2, half))) << name;
  }
  datagen::Picture halo = paint("halo.jpg");
  int half = halo.width / 2;
  EXPECT_LT(light(halo.at(half, half)), 0.05);
  int rim = static_cast<int>(half * (1 - 0.88));
  EXPECT_GT(brightest(halo, rim - 1, half - 1, rim + 2, half + 1), 0.5);
}

TEST(DigitPicture, HasEachGlyphInItsOwnCellClearOfTheCellsBorders) {
  datagen::Picture digits = paint("digits.jpg");
  ASSERT_EQ(digits.width, 128);
  const int cell = 32;
  for (int k = 0; k < 16; ++k) {
    SCOPED_TRACE(k);
    int x0 = (k % 4) * cell, y0 = (k / 4) * cell;
    double ink = brightest(digits, x0, y0, x0 + cell, y0 + cell);
    if (k >= datagen::kDigitGlyphCount) {
      EXPECT_EQ(ink, 0) << "cells after the last glyph stay black";
      continue;
    }
    EXPECT_GT(ink, 0.8);
    // Nothing bright near the cell's border, which mipmaps would smear into
    // the neighbouring glyph.
    double border = std::fmax(std::fmax(brightest(digits, x0, y0, x0 + cell, y0 + 2),
                                        brightest(digits, x0, y0 + cell - 2, x0 + cell, y0 + cell)),
                              std::fmax(brightest(digits, x0, y0, x0 + 2, y0 + cell),
                                        brightest(digits, x0 + cell - 2, y0, x0 + cell, y0 + cell)));
    EXPECT_LT(border, 0.1);
  }
  // Digits keep to their box, the middle 42 % of the cell's width: well
  // inside the 28 units that the saver advances per 40-unit cell.
  for (int k = 0; k < 10; ++k) {
    datagen::GlyphStrokes glyph = datagen::digitGlyph(k);
    for (const auto& line : glyph.polylines)
      for (const datagen::Point2& p : line) {
        ASSERT_GE(p.x, 0.0) << k;
        ASSERT_LE(p.x, 1.0) << k;
        ASSERT_GE(p.y, 0.0) << k;
        ASSERT_LE(p.y, 1.0) << k;
      }
  }
}

TEST(StrokeFont, DistancesAreMeasuredToTheStrokesCentreLines) {
  datagen::GlyphStrokes one = datagen::digitGlyph(1);  // a stem at x = 0.6 from 0 to 1
  EXPECT_NEAR(datagen::distanceToStrokes(one, {0.6, 0.5}), 0, 1e-12);
  EXPECT_NEAR(datagen::distanceToStrokes(one, {0.9, 0.3}), 0.3, 1e-12);
  EXPECT_NEAR(datagen::distanceToStrokes(one, {0.6, -0.2}), 0.2, 1e-12);
  datagen::GlyphStrokes colon = datagen::digitGlyph(10);
  EXPECT_EQ(colon.polylines.size(), 2u);
  EXPECT_NEAR(datagen::distanceToStrokes(colon, {0.5, 0.22}), 0, 1e-12);
  EXPECT_TRUE(datagen::digitGlyph(13).polylines.empty());
}

TEST(Panel, IsATranslucentRoundedRectangleWithALightBorderTheSameWayUpAndDown) {
  datagen::Picture panel = paint("panel.tga");
  ASSERT_EQ(panel.width, 64);
  ASSERT_EQ(panel.height, 32);
  EXPECT_EQ(panel.at(0, 0).a, 0.0f);  // rounded corners
  EXPECT_EQ(panel.at(63, 31).a, 0.0f);
  EXPECT_NEAR(panel.at(32, 16).a, 0.68, 0.01);
  EXPECT_LT(light(panel.at(32, 16)), 0.25);  // dark blue-grey
  EXPECT_GT(panel.at(32, 16).b, panel.at(32, 16).r);
  EXPECT_GT(panel.at(32, 2).a, 0.7f);  // the border along the top edge
  EXPECT_GT(light(panel.at(32, 2)), 0.7);
  // Outside, the border's colour with no alpha, so filtering draws no
  // dark seam.
  EXPECT_GT(light(panel.at(32, 0)), 0.7);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      ASSERT_FLOAT_EQ(panel.at(x, y).a, panel.at(x, 31 - y).a);
      ASSERT_FLOAT_EQ(panel.at(x, y).a, panel.at(63 - x, y).a);
    }
}

TEST(Noise, SpreadsGreyAndAlphaEvenly) {
  datagen::Picture noise = paint("noise.tga");
  double grey = 0, alpha = 0, greySquares = 0, alphaSquares = 0, linked = 0;
  for (const datagen::Colour& c : noise.pixels) {
    ASSERT_EQ(c.r, c.g);
    ASSERT_EQ(c.g, c.b);
    grey += c.r;
    alpha += c.a;
    greySquares += c.r * c.r;
    alphaSquares += c.a * c.a;
    linked += c.r * c.a;
  }
  double n = static_cast<double>(noise.pixels.size());
  EXPECT_NEAR(grey / n, 0.5, 0.05);
  EXPECT_NEAR(alpha / n, 0.5, 0.05);
  // Uniform from 0 to 1: variance 1/12; grey and alpha independent.
  EXPECT_NEAR(greySquares / n - std::pow(grey / n, 2), 1.0 / 12, 0.015);
  EXPECT_NEAR(alphaSquares / n - std::pow(alpha / n, 2), 1.0 / 12, 0.015);
  EXPECT_NEAR(linked / n - grey / n * alpha / n, 0, 0.015);
}
