// The shapes of the stroked digit font.
#include "stroke_font.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kArcSteps = 48;

using Polyline = std::vector<Point2>;

// An elliptic arc around (cx, cy) from angle a0 to a1 in degrees
// (counter-clockwise when a1 > a0).
Polyline arc(double cx, double cy, double rx, double ry, double a0, double a1) {
  Polyline points;
  int steps = std::max(2, static_cast<int>(kArcSteps * std::fabs(a1 - a0) / 360.0));
  for (int i = 0; i <= steps; ++i) {
    double a = (a0 + (a1 - a0) * i / steps) * kPi / 180;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return points;
}

// The polyline continued by more points.
Polyline joined(Polyline first, const Polyline& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

// A point on its own: a round dot of the pen's width.
Polyline dot(double x, double y) { return {{x, y}}; }

// The glyph turned half around within the box (a 6 into a 9).
GlyphStrokes turned(GlyphStrokes glyph) {
  for (Polyline& line : glyph.polylines)
    for (Point2& p : line) p = {1 - p.x, 1 - p.y};
  return glyph;
}

// Letters of a marker: each drawn in a box of its own width, placed side by
// side from x = left at height `size`, starting on the baseline.
GlyphStrokes letters(const std::vector<std::vector<Polyline>>& shapes, double left, double size, double width,
                     double gap) {
  GlyphStrokes glyph;
  glyph.pen = 0.72;
  double x0 = left;
  for (const std::vector<Polyline>& shape : shapes) {
    for (const Polyline& line : shape) {
      Polyline placed;
      for (const Point2& p : line) placed.push_back({x0 + p.x * width, p.y * size});
      glyph.polylines.push_back(placed);
    }
    x0 += width + gap;
  }
  return glyph;
}

const std::vector<Polyline> kLetterA = {{{0, 0}, {0.5, 1}, {1, 0}}, {{0.22, 0.38}, {0.78, 0.38}}};
const std::vector<Polyline> kLetterM = {{{0, 0}, {0, 1}, {0.5, 0.38}, {1, 1}, {1, 0}}};
const std::vector<Polyline> kLetterP = {
    joined({{0, 0}, {0, 1}, {0.5, 1}}, joined(arc(0.5, 0.75, 0.42, 0.25, 90, -90), {{0, 0.5}}))};

GlyphStrokes digitShape(int digit) {
  GlyphStrokes glyph;
  auto& lines = glyph.polylines;
  switch (digit) {
    case 0:
      lines.push_back(arc(0.5, 0.5, 0.5, 0.5, 90, 450));
      break;
    case 1:
      lines.push_back({{0.22, 0.78}, {0.6, 1.0}, {0.6, 0.0}});
      break;
    case 2: {
      Polyline top = arc(0.5, 0.72, 0.48, 0.28, 165, -32);
      lines.push_back(joined(top, {{0.0, 0.0}, {1.0, 0.0}}));
      break;
    }
    case 3:
      lines.push_back(joined(arc(0.48, 0.77, 0.44, 0.23, 155, -90), arc(0.5, 0.27, 0.5, 0.27, 90, -155)));
      lines.push_back({{0.3, 0.54}, {0.48, 0.54}});
      break;
    case 4:
      lines.push_back({{0.74, 0.0}, {0.74, 1.0}, {0.0, 0.3}, {1.0, 0.3}});
      break;
    case 5: {
      Polyline bowl = arc(0.48, 0.33, 0.52, 0.33, 135, -150);
      lines.push_back(joined({{0.92, 1.0}, {0.14, 1.0}}, bowl));
      break;
    }
    case 6:
      lines.push_back(arc(0.5, 0.31, 0.5, 0.31, 0, 360));
      lines.push_back(arc(0.62, 0.31, 0.62, 0.69, 62, 180));
      break;
    case 7:
      lines.push_back({{0.0, 1.0}, {1.0, 1.0}, {0.34, 0.0}});
      break;
    case 8:
      lines.push_back(arc(0.5, 0.77, 0.42, 0.23, -90, 270));
      lines.push_back(arc(0.5, 0.27, 0.5, 0.27, 90, 450));
      break;
    case 9:
      return turned(digitShape(6));
    default:
      break;
  }
  return glyph;
}

double distanceToSegment(Point2 p, Point2 a, Point2 b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::min(1.0, std::max(0.0, t));
  double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

GlyphStrokes digitGlyph(int index) {
  if (index >= 0 && index <= 9) return digitShape(index);
  if (index == 10) {
    GlyphStrokes colon;
    colon.pen = 1.3;
    colon.polylines = {dot(0.5, 0.22), dot(0.5, 0.68)};
    return colon;
  }
  // The markers follow the seconds, so they may start left of the box and
  // run beyond it to the right.
  if (index == 11) return letters({kLetterA, kLetterM}, -0.05, 0.5, 0.52, 0.16);
  if (index == 12) return letters({kLetterP, kLetterM}, 0.0, 0.5, 0.46, 0.2);
  return {};
}

double distanceToStrokes(const GlyphStrokes& glyph, Point2 p) {
  double nearest = 1e300;
  for (const Polyline& line : glyph.polylines) {
    if (line.size() == 1) nearest = std::min(nearest, distanceToSegment(p, line[0], line[0]));
    for (std::size_t i = 1; i < line.size(); ++i) nearest = std::min(nearest, distanceToSegment(p, line[i - 1], line[i]));
  }
  return nearest;
}

}  // namespace datagen
