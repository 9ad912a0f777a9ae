// The overlay pictures with alpha: the translucent panel behind the
// information text (a dark blue-grey rounded rectangle with a thin light
// border, meant to be stretched over the panel's area) and the grey noise
// with alpha of the static-like transitions.
#include <cmath>

#include "painters.h"
#include "plane_painting.h"
#include "random.h"

namespace datagen {

namespace {

// Signed distance from (x, y) to a rounded rectangle of half sizes (hx, hy)
// and corner radius r centred on the origin; negative inside.
double roundedBoxDistance(double x, double y, double hx, double hy, double r) {
  double qx = std::fabs(x) - (hx - r), qy = std::fabs(y) - (hy - r);
  double outside = std::sqrt(std::pow(std::fmax(qx, 0.0), 2) + std::pow(std::fmax(qy, 0.0), 2));
  return outside + std::fmin(std::fmax(qx, qy), 0.0) - r;
}

}  // namespace

// The saver draws the panel with the picture's rows upside down (its quad
// hangs downward), so the panel is painted the same way up and down.
void paintPanel(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour fill = settings.colour("fill", {0.09f, 0.12f, 0.19f});
  double fillAlpha = settings.number("fill_alpha", 0.68);
  Colour border = settings.colour("border", {0.72f, 0.82f, 0.96f});
  double borderAlpha = settings.number("border_alpha", 0.85);
  double borderWidth = settings.number("border_width", 1.3);  // pixels
  double corner = settings.number("corner", 12);              // corner radius, pixels
  double margin = settings.number("margin", 2);               // clear pixels around the panel
  double sheen = settings.number("sheen", 0.12);              // the fill lightens toward the border
  if (borderWidth <= 0 || corner < 0 || margin < 0) settings.fail("\"border_width\" needs a positive number, \"corner\" and \"margin\" no negative ones");
  double hx = job.width / 2.0 - margin, hy = job.height / 2.0 - margin;
  corner = std::fmin(corner, std::fmin(hx, hy));
  paintPlane(picture, 4, [&](double x, double y) {
    double d = roundedBoxDistance(x - job.width / 2.0, y - job.height / 2.0, hx, hy, corner);
    // Outside, the colour of the border with no alpha: filtering then
    // never draws dark seams along the edge.
    if (d > 0) return Colour{border.r, border.g, border.b, 0};
    if (d > -borderWidth) return Colour{border.r, border.g, border.b, static_cast<float>(borderAlpha)};
    Colour c = mix(fill, border, sheen * std::exp((d + borderWidth) / 6));
    c.a = static_cast<float>(fillAlpha);
    return c;
  });
}

void paintNoise(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<double> grey = settings.numbers("grey", {0, 1});
  std::vector<double> alpha = settings.numbers("alpha", {0, 1});
  if (grey.size() != 2 || alpha.size() != 2) settings.fail("\"grey\" and \"alpha\" need two numbers LOW,HIGH");
  if (grey.size() != 2) grey = {0, 1};
  if (alpha.size() != 2) alpha = {0, 1};
  Random random(job.seed);
  for (Colour& c : picture.pixels) {
    float g = static_cast<float>(clamp01(random.range(grey[0], grey[1])));
    c = {g, g, g, static_cast<float>(clamp01(random.range(alpha[0], alpha[1])))};
  }
}

}  // namespace datagen
