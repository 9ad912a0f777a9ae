// A small stroked font for the clock's digit picture: the digits 0 to 9, a
// colon, and the two 12-hour markers "AM" and "PM", each a set of
// polylines (lines and elliptic arcs) in a box from 0 to 1 (x right, y up),
// drawn with round pen ends.
#pragma once

#include <vector>

namespace datagen {

struct Point2 {
  double x;
  double y;
};

struct GlyphStrokes {
  std::vector<std::vector<Point2>> polylines;
  double pen = 1;  // the pen's width relative to the font's stroke width
};

// The 13 glyphs of the digit picture in its order: '0'..'9', ':', then
// "AM" and "PM". The marker letters are set smaller, on the digits'
// baseline, and run a little past the box on both sides.
constexpr int kDigitGlyphCount = 13;
GlyphStrokes digitGlyph(int index);

// The distance from p to the nearest point of any stroke's centre line, in
// the units the glyph's points are in.
double distanceToStrokes(const GlyphStrokes& glyph, Point2 p);

}  // namespace datagen
