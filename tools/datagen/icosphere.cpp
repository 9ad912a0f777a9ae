// Builds the subdivided icosahedron.
#include "icosphere.h"

#include <map>
#include <utility>

namespace datagen {

UnitIcosphere buildIcosphere(int level) {
  UnitIcosphere sphere;
  const double t = (1.0 + std::sqrt(5.0)) / 2.0;
  const Vec3 corners[12] = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                            {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
  for (const Vec3& c : corners) sphere.points.push_back(normalize(c));
  sphere.triangles = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                      {11, 10, 2}, {10, 7, 6}, {7, 1, 8},   {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                      {3, 8, 9},  {4, 9, 5},  {2, 4, 11},  {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
  // The icosahedron is convex: a face winds outward when its normal points
  // away from the centre.
  for (Index3& triangle : sphere.triangles) {
    Vec3 a = sphere.points[triangle[0]], b = sphere.points[triangle[1]], c = sphere.points[triangle[2]];
    if (dot(cross(b - a, c - a), a + b + c) < 0) std::swap(triangle[1], triangle[2]);
  }

  for (int step = 0; step < level; ++step) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> midpoints;
    auto midpoint = [&](std::uint32_t i, std::uint32_t j) {
      auto key = i < j ? std::make_pair(i, j) : std::make_pair(j, i);
      auto found = midpoints.find(key);
      if (found != midpoints.end()) return found->second;
      auto index = static_cast<std::uint32_t>(sphere.points.size());
      sphere.points.push_back(normalize(sphere.points[i] + sphere.points[j]));
      midpoints.emplace(key, index);
      return index;
    };
    std::vector<Index3> finer;
    finer.reserve(sphere.triangles.size() * 4);
    for (const Index3& tri : sphere.triangles) {
      std::uint32_t ab = midpoint(tri[0], tri[1]), bc = midpoint(tri[1], tri[2]), ca = midpoint(tri[2], tri[0]);
      finer.push_back({tri[0], ab, ca});
      finer.push_back({ab, tri[1], bc});
      finer.push_back({ca, bc, tri[2]});
      finer.push_back({ab, bc, ca});
    }
    sphere.triangles = std::move(finer);
  }
  return sphere;
}

}  // namespace datagen
