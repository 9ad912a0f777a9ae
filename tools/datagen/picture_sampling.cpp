// Bilinear sampling of painted pictures.
#include "picture_sampling.h"

#include <cmath>

#include "sphere_mapping.h"

namespace datagen {

namespace {

int wrap(int i, int n) { return ((i % n) + n) % n; }
int clampIndex(int i, int n) { return i < 0 ? 0 : (i >= n ? n - 1 : i); }

}  // namespace

Colour sampleBilinear(const Picture& picture, double x, double y, bool wrapColumns) {
  if (picture.width <= 0 || picture.height <= 0) return {0, 0, 0, 0};
  // Far-off coordinates only ever clamp or wrap; keep them small enough to
  // convert to int.
  x = std::fmax(-1e6, std::fmin(1e6, x - 0.5));
  y = std::fmax(-1e6, std::fmin(1e6, y - 0.5));
  double fx = std::floor(x), fy = std::floor(y);
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  auto column = [&](int i) { return wrapColumns ? wrap(i, picture.width) : clampIndex(i, picture.width); };
  int c0 = column(x0), c1 = column(x0 + 1);
  int r0 = clampIndex(y0, picture.height), r1 = clampIndex(y0 + 1, picture.height);
  Colour top = mix(picture.at(c0, r0), picture.at(c1, r0), tx);
  Colour bottom = mix(picture.at(c0, r1), picture.at(c1, r1), tx);
  return mix(top, bottom, ty);
}

Colour sampleMap(const Picture& map, double longitude, double latitude) {
  double x = longitude / kTwoPi * map.width;
  double y = (kPi / 2 - latitude) / kPi * map.height;
  return sampleBilinear(map, x, y, true);
}

}  // namespace datagen
