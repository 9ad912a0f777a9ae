// The equirectangular texel grid and relief lighting.
#include "sphere_grid.h"

namespace datagen {

SphereGrid::SphereGrid(int width, int height) : width_(width), height_(height) {
  for (int y = 0; y < height; ++y) {
    double latitude = kPi / 2 - (y + 0.5) * kPi / height;
    latitudes_.push_back(latitude);
    sinLatitudes_.push_back(std::sin(latitude));
    cosLatitudes_.push_back(std::cos(latitude));
  }
  for (int x = 0; x < width; ++x) {
    double longitude = (x + 0.5) * kTwoPi / width;
    longitudes_.push_back(longitude);
    sinLongitudes_.push_back(std::sin(longitude));
    cosLongitudes_.push_back(std::cos(longitude));
  }
}

double reliefShade(const ScalarGrid& heights, const SphereGrid& grid, int x, int y, double strength) {
  int west = (x + heights.width - 1) % heights.width, east = (x + 1) % heights.width;
  int north = std::max(0, y - 1), south = std::min(heights.height - 1, y + 1);
  double step = grid.texelAngle();
  double eastStep = std::max(grid.cosLatitude(y), 0.05) * kTwoPi / grid.width();
  double slopeEast = (heights.at(east, y) - heights.at(west, y)) / (2 * eastStep);
  double slopeNorth = (heights.at(x, north) - heights.at(x, south)) / ((south - north) * step);
  Vec3 normal = normalize({-slopeEast * strength, -slopeNorth * strength, 1.0});
  const Vec3 light = normalize({-0.5, 0.45, 0.9});
  return std::max(0.0, dot(normal, light)) / light.z;
}

}  // namespace datagen
