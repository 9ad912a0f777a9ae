// The picture the space probe wears (textures\probe.jpg): four materials in
// the four quarters of one square picture, shared by the probe's mesh
// (which maps its parts into them) and the picture's painter.
#pragma once

#include <array>

namespace datagen {

// A quarter of the picture in texture coordinates (u right, v up, the
// picture's top at v = 1).
struct AtlasRegion {
  double u0, v0, u1, v1;
};

constexpr AtlasRegion kFoilRegion{0.0, 0.5, 0.5, 1.0};   // gold insulation foil, top left
constexpr AtlasRegion kCellRegion{0.5, 0.5, 1.0, 1.0};   // solar cells, top right
constexpr AtlasRegion kDishRegion{0.0, 0.0, 0.5, 0.5};   // the white dish, bottom left
constexpr AtlasRegion kMetalRegion{0.5, 0.0, 1.0, 0.5};  // bare grey metal, bottom right

// Texture coordinates of the point (s, t), each 0..1, inside a region; a
// margin keeps filtered mipmaps from mixing neighbouring regions.
inline std::array<float, 2> atlasPoint(const AtlasRegion& region, double s, double t) {
  constexpr double kMargin = 0.03;
  double u = region.u0 + (region.u1 - region.u0) * (kMargin + (1 - 2 * kMargin) * s);
  double v = region.v0 + (region.v1 - region.v0) * (kMargin + (1 - 2 * kMargin) * t);
  return {static_cast<float>(u), static_cast<float>(v)};
}

}  // namespace datagen
