// The texel grid of an equirectangular picture wrapped on a sphere: each
// texel's longitude, latitude and direction (sphere_mapping.h), painting
// every texel, and visiting the texels near a point of the sphere.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "picture.h"
#include "sphere_mapping.h"

namespace datagen {

class SphereGrid {
 public:
  SphereGrid(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  // Texel centres: row 0 is the northernmost, column 0 starts at longitude 0.
  double latitude(int y) const { return latitudes_[y]; }
  double longitude(int x) const { return longitudes_[x]; }
  double cosLatitude(int y) const { return cosLatitudes_[y]; }
  Vec3 direction(int x, int y) const {
    return {cosLatitudes_[y] * cosLongitudes_[x], -cosLatitudes_[y] * sinLongitudes_[x], -sinLatitudes_[y]};
  }
  // Angular size of one texel along a meridian, radians.
  double texelAngle() const { return kPi / height_; }

  // Calls visit(x, y, angle) for every texel whose direction lies within
  // `radius` radians of the unit vector `centre`.
  template <class Visit>
  void forEachTexelNear(Vec3 centre, double radius, Visit&& visit) const;

 private:
  int width_, height_;
  std::vector<double> latitudes_, sinLatitudes_, cosLatitudes_;
  std::vector<double> longitudes_, sinLongitudes_, cosLongitudes_;
};

// Sets every texel of the picture to shade(x, y, direction, latitude).
template <class Shade>
void paintSphere(const SphereGrid& grid, Picture& picture, Shade&& shade) {
  for (int y = 0; y < grid.height(); ++y)
    for (int x = 0; x < grid.width(); ++x) picture.at(x, y) = shade(x, y, grid.direction(x, y), grid.latitude(y));
}

template <class Visit>
void SphereGrid::forEachTexelNear(Vec3 centre, double radius, Visit&& visit) const {
  double centreLatitude = latitudeOf(centre), centreLongitude = longitudeOf(centre);
  auto rowOf = [this](double latitude) { return (kPi / 2 - latitude) / kPi * height_ - 0.5; };
  int top = std::max(0, static_cast<int>(std::floor(rowOf(centreLatitude + radius))));
  int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(rowOf(centreLatitude - radius))));
  // The longitudes a cap spans, unless it holds a pole.
  bool wholeRows = centreLatitude + radius >= kPi / 2 || centreLatitude - radius <= -kPi / 2;
  double spread = kPi;
  if (!wholeRows) {
    double s = std::sin(radius) / std::cos(centreLatitude);
    if (s < 1) spread = std::asin(s);
  }
  int first = 0, count = width_;
  if (spread < kPi) {
    first = static_cast<int>(std::floor((centreLongitude - spread) / kTwoPi * width_ - 0.5));
    int last = static_cast<int>(std::ceil((centreLongitude + spread) / kTwoPi * width_ - 0.5));
    count = std::min(width_, last - first + 1);
  }
  for (int y = top; y <= bottom; ++y) {
    for (int i = 0; i < count; ++i) {
      int x = ((first + i) % width_ + width_) % width_;
      Vec3 d = direction(x, y) - centre;
      double angle = 2 * std::asin(std::min(1.0, length(d) / 2));
      if (angle <= radius) visit(x, y, angle);
    }
  }
}

// A float per texel: heights and brightness changes of a painted surface.
struct ScalarGrid {
  int width = 0;
  int height = 0;
  std::vector<float> values;

  ScalarGrid(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}
  float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
  float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
};

// The brightness factor of baked-in relief lighting: heights in radians of
// the sphere, lit from the north-west at a low angle; 1 on level ground.
// strength scales the slopes.
double reliefShade(const ScalarGrid& heights, const SphereGrid& grid, int x, int y, double strength);

}  // namespace datagen
