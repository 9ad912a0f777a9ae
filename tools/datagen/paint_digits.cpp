// The digit picture of the clock and the frame counter: a 4 x 4 grid of
// equal cells, glyph k in column k mod 4 and row k div 4 counted from the
// top-left ('0'..'9', ':', "AM", "PM"; the last three cells stay black).
// The saver draws each cell as a 40-unit square but advances only 28 units,
// so glyphs keep to the middle of their cells. Strokes are light blue-white
// with a faint glow, antialiased by their exact distance, on black: the
// saver adds the picture to the screen.
#include <cmath>

#include "painters.h"
#include "stroke_font.h"

namespace datagen {

namespace {

constexpr int kColumns = 4;

// Where the glyph box sits in its cell, as shares of the cell.
constexpr double kBoxWidth = 0.42;
constexpr double kBoxHeight = 0.64;
constexpr double kBoxBottom = 0.18;

// The glyph's strokes in picture pixels (x right, y down) for its cell.
GlyphStrokes placeInCell(const GlyphStrokes& glyph, int index, double cellWidth, double cellHeight) {
  double left = (index % kColumns + (1 - kBoxWidth) / 2) * cellWidth;
  double bottom = (index / kColumns + 1 - kBoxBottom) * cellHeight;
  GlyphStrokes placed = glyph;
  for (auto& line : placed.polylines)
    for (Point2& p : line) p = {left + p.x * kBoxWidth * cellWidth, bottom - p.y * kBoxHeight * cellHeight};
  return placed;
}

}  // namespace

void paintDigits(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour ink = settings.colour("colour", {0.86f, 0.93f, 1.0f});
  Colour glowColour = settings.colour("glow_colour", {0.35f, 0.58f, 1.0f});
  double stroke = settings.number("stroke", 0.075);    // pen width, a share of the cell's width
  double glow = settings.number("glow", 0.3);          // brightness of the glow next to the stroke
  double glowSize = settings.number("glow_size", 0.04);  // how far it reaches, a share of the cell
  if (stroke <= 0 || stroke > 0.3 || glowSize <= 0) settings.fail("\"stroke\" needs 0 < w <= 0.3, \"glow_size\" a positive number");
  if (job.width != job.height) settings.fail("a digit picture must be square");
  for (Colour& c : picture.pixels) c = {0, 0, 0, 1};

  double cellWidth = static_cast<double>(job.width) / kColumns, cellHeight = static_cast<double>(job.height) / kColumns;
  double reach = std::fmax(glowSize, 1e-3) * cellWidth;
  for (int index = 0; index < kDigitGlyphCount; ++index) {
    GlyphStrokes glyph = placeInCell(digitGlyph(index), index, cellWidth, cellHeight);
    double halfPen = 0.5 * stroke * glyph.pen * cellWidth;
    int x0 = static_cast<int>((index % kColumns) * cellWidth), y0 = static_cast<int>((index / kColumns) * cellHeight);
    for (int y = y0; y < y0 + static_cast<int>(cellHeight); ++y) {
      for (int x = x0; x < x0 + static_cast<int>(cellWidth); ++x) {
        double d = distanceToStrokes(glyph, {x + 0.5, y + 0.5}) - halfPen;
        // Coverage of the pixel by the pen's edge, then the glow outside.
        double coverage = std::fmin(1.0, std::fmax(0.0, 0.5 - d));
        double halo = d > 0 ? glow * std::exp(-d / reach) : glow;
        Colour c = shade(ink, coverage) + shade(glowColour, halo * (1 - coverage));
        c.a = 1;
        picture.at(x, y) = c;
      }
    }
  }
}

}  // namespace datagen
