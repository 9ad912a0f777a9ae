// The picture the space probe wears (probe_atlas.h): crinkled gold foil,
// a grid of dark blue solar cells, the white dish seen face-on with its
// panel seams, and grey metal.
#include <cmath>

#include "noise.h"
#include "painters.h"
#include "probe_atlas.h"
#include "random.h"

namespace datagen {

namespace {

bool inside(const AtlasRegion& region, double u, double v) {
  return u >= region.u0 && u < region.u1 && v >= region.v0 && v < region.v1;
}

// (u, v) as 0..1 across the region.
void local(const AtlasRegion& region, double u, double v, double& s, double& t) {
  s = (u - region.u0) / (region.u1 - region.u0);
  t = (v - region.v0) / (region.v1 - region.v0);
}

Colour foil(const GradientNoise& noise, double s, double t) {
  // Crumpled sheets: sharp ridges catch the light, folds between them.
  Vec3 p = warp(noise, {s * 7, t * 7, 0.5}, 0.35, {3, 2.0, 0.5});
  double crinkle = ridged(noise, p * 2.2, {5, 2.2, 0.6});
  double sheen = 0.5 + 0.7 * crinkle + 0.15 * fbm(noise, {s * 3, t * 3, 4.5}, {3, 2.0, 0.5});
  return shade({0.86f, 0.64f, 0.24f}, std::fmin(1.3, sheen));
}

Colour cells(const GradientNoise& noise, double s, double t) {
  // 6 x 10 cells with thin silver gaps; each cell a slightly different blue.
  double cs = s * 6, ct = t * 10;
  double fs = cs - std::floor(cs), ft = ct - std::floor(ct);
  double gap = std::fmin(std::fmin(fs, 1 - fs) / 0.06, std::fmin(ft, 1 - ft) / 0.1);
  double tone = 0.85 + 0.3 * noise({std::floor(cs) * 0.37 + 0.5, std::floor(ct) * 0.37 + 0.5, 2.5});
  Colour cell = shade({0.1f, 0.16f, 0.38f}, tone);
  return mix({0.7f, 0.72f, 0.75f}, cell, smoothstep(0.6, 1.0, gap));
}

Colour dish(const GradientNoise& noise, double s, double t) {
  double x = s * 2 - 1, y = t * 2 - 1;
  double r = std::sqrt(x * x + y * y), a = std::atan2(y, x);
  // Eight panels meeting at the middle, and two rings of seams.
  double sector = std::fabs(std::remainder(a, 2 * 3.14159265358979323846 / 8)) * r;
  double seams = std::fmin(sector / 0.012, std::fmin(std::fabs(r - 0.4), std::fabs(r - 0.75)) / 0.012);
  double tone = 0.9 + 0.05 * fbm(noise, {x * 6, y * 6, 7.5}, {3, 2.0, 0.5});
  return shade({0.92f, 0.92f, 0.89f}, tone * (0.75 + 0.25 * smoothstep(0.5, 1.5, seams)));
}

Colour metal(const GradientNoise& noise, double s, double t) {
  // Brushed along s.
  double grain = fbm(noise, {s * 3, t * 60, 9.5}, {3, 2.0, 0.5});
  return shade({0.6f, 0.61f, 0.64f}, 0.85 + 0.2 * grain);
}

}  // namespace

void paintProbe(const PaintJob& job, Settings& settings, Picture& picture) {
  if (job.width != job.height) settings.fail("a probe picture must be square");
  GradientNoise noise(job.seed);
  for (int y = 0; y < job.height; ++y) {
    for (int x = 0; x < job.width; ++x) {
      double u = (x + 0.5) / job.width, v = 1 - (y + 0.5) / job.height, s = 0, t = 0;
      Colour c;
      if (inside(kFoilRegion, u, v)) {
        local(kFoilRegion, u, v, s, t);
        c = foil(noise, s, t);
      } else if (inside(kCellRegion, u, v)) {
        local(kCellRegion, u, v, s, t);
        c = cells(noise, s, t);
      } else if (inside(kDishRegion, u, v)) {
        local(kDishRegion, u, v, s, t);
        c = dish(noise, s, t);
      } else {
        local(kMetalRegion, u, v, s, t);
        c = metal(noise, s, t);
      }
      c.a = 1;
      picture.at(x, y) = c;
    }
  }
}

}  // namespace datagen
