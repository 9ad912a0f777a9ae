// RGBA colours in 0..1 and the blending helpers the painters share.
#pragma once

#include <algorithm>
#include <cmath>

namespace datagen {

struct Colour {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 1;
};

inline Colour operator+(Colour p, Colour q) { return {p.r + q.r, p.g + q.g, p.b + q.b, p.a + q.a}; }
// Scales the colour channels only, keeping alpha.
inline Colour shade(Colour p, double s) {
  float f = static_cast<float>(s);
  return {p.r * f, p.g * f, p.b * f, p.a};
}

inline double clamp01(double t) { return std::min(1.0, std::max(0.0, t)); }

inline double smoothstep(double edge0, double edge1, double x) {
  double t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

inline Colour mix(Colour p, Colour q, double t) {
  float f = static_cast<float>(t);
  return {p.r + (q.r - p.r) * f, p.g + (q.g - p.g) * f, p.b + (q.b - p.b) * f, p.a + (q.a - p.a) * f};
}

// The colour at position t in 0..1 along evenly spaced stops.
inline Colour gradientAt(const Colour* stops, int count, double t) {
  if (count <= 0) return {};
  double position = clamp01(t) * (count - 1);
  int index = std::min(count - 2, static_cast<int>(position));
  if (index < 0) return stops[0];
  return mix(stops[index], stops[index + 1], position - index);
}

}  // namespace datagen
