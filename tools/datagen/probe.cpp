// Builds the space probe mesh from simple parts.
#include "probe.h"

#include <cmath>
#include <utility>

#include "probe_atlas.h"
#include "sphere_mapping.h"
#include "vec3.h"

namespace datagen {

namespace {

using Texcoord = std::array<float, 2>;

Float3 toFloat3(Vec3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }

// Appends triangles with their own corners: the probe's parts share no
// vertices, so each part keeps its own normals and texture coordinates.
class PartBuilder {
 public:
  explicit PartBuilder(Mesh& mesh) : mesh_(mesh) {}

  // One triangle, wound counter-clockwise seen from the side its corner
  // normals point to.
  void triangle(Vec3 a, Vec3 b, Vec3 c, Vec3 na, Vec3 nb, Vec3 nc, Texcoord ta, Texcoord tb, Texcoord tc) {
    if (dot(cross(b - a, c - a), na + nb + nc) < 0) {
      std::swap(b, c);
      std::swap(nb, nc);
      std::swap(tb, tc);
    }
    auto base = static_cast<std::uint32_t>(mesh_.positions.size());
    auto texBase = static_cast<std::uint32_t>(mesh_.texcoords.size());
    for (Vec3 p : {a, b, c}) mesh_.positions.push_back(toFloat3(p));
    for (Texcoord t : {ta, tb, tc}) mesh_.texcoords.push_back(t);
    mesh_.vertexIndices.push_back({base, base + 1, base + 2});
    mesh_.texcoordIndices.push_back({texBase, texBase + 1, texBase + 2});
    mesh_.cornerNormals.push_back({toFloat3(normalize(na)), toFloat3(normalize(nb)), toFloat3(normalize(nc))});
  }

  // A flat quad a, b, c, d (in order around it) facing along `facing`.
  void flatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 facing, const AtlasRegion& region) {
    Vec3 n = normalize(facing);
    triangle(a, b, c, n, n, n, atlasPoint(region, 0, 0), atlasPoint(region, 1, 0), atlasPoint(region, 1, 1));
    triangle(a, c, d, n, n, n, atlasPoint(region, 0, 0), atlasPoint(region, 1, 1), atlasPoint(region, 0, 1));
  }

  // A box with flat faces; `regions` gives the material of the faces
  // facing -x, +x, -y, +y, -z, +z.
  void box(Vec3 centre, Vec3 half, const AtlasRegion* regions[6]) {
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const double extent[3] = {half.x, half.y, half.z};
    for (int axis = 0; axis < 3; ++axis) {
      Vec3 u = axes[(axis + 1) % 3] * extent[(axis + 1) % 3], v = axes[(axis + 2) % 3] * extent[(axis + 2) % 3];
      for (int side = 0; side < 2; ++side) {
        Vec3 normal = axes[axis] * (side == 0 ? -1.0 : 1.0);
        Vec3 middle = centre + normal * extent[axis];
        flatQuad(middle - u - v, middle + u - v, middle + u + v, middle - u + v, normal, *regions[axis * 2 + side]);
      }
    }
  }

  // A prism of `sides` faces around the line from start to end, with
  // radial (smooth) or per-face (flat) normals, and flat caps.
  void prism(Vec3 start, Vec3 end, double radius, int sides, bool smooth, const AtlasRegion& region) {
    Vec3 axis = normalize(end - start);
    Vec3 helper = std::fabs(axis.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    Vec3 u = normalize(cross(axis, helper)), v = cross(axis, u);
    auto around = [&](int k) {
      double a = kTwoPi * k / sides;
      return u * std::cos(a) + v * std::sin(a);
    };
    for (int k = 0; k < sides; ++k) {
      Vec3 d0 = around(k), d1 = around(k + 1);
      Vec3 flat = normalize(d0 + d1);
      Vec3 n0 = smooth ? d0 : flat, n1 = smooth ? d1 : flat;
      double s0 = static_cast<double>(k) / sides, s1 = static_cast<double>(k + 1) / sides;
      Vec3 a = start + d0 * radius, b = start + d1 * radius, c = end + d1 * radius, d = end + d0 * radius;
      triangle(a, b, c, n0, n1, n1, atlasPoint(region, s0, 0), atlasPoint(region, s1, 0), atlasPoint(region, s1, 1));
      triangle(a, c, d, n0, n1, n0, atlasPoint(region, s0, 0), atlasPoint(region, s1, 1), atlasPoint(region, s0, 1));
    }
    for (int cap = 0; cap < 2; ++cap) {
      Vec3 centre = cap == 0 ? start : end, normal = axis * (cap == 0 ? -1.0 : 1.0);
      for (int k = 1; k + 1 < sides; ++k) {
        Vec3 d0 = around(0), d1 = around(k), d2 = around(k + 1);
        auto at = [&](Vec3 d) { return atlasPoint(region, 0.5 + 0.5 * dot(d, u), 0.5 + 0.5 * dot(d, v)); };
        triangle(centre + d0 * radius, centre + d1 * radius, centre + d2 * radius, normal, normal, normal, at(d0),
                 at(d1), at(d2));
      }
    }
  }

 private:
  Mesh& mesh_;
};

// The dish: a shallow paraboloid opening toward +x, from its vertex at
// `vertexX` to the rim, with faces on both sides.
void addDish(PartBuilder& parts, double vertexX, double rimRadius, double depth, int segments, int rings) {
  auto point = [&](int ring, int k, Vec3& position, Vec3& inner, Texcoord& uv) {
    double r = rimRadius * ring / rings, a = kTwoPi * k / segments;
    double slope = 2 * depth * r / (rimRadius * rimRadius);
    position = {vertexX + depth * (r / rimRadius) * (r / rimRadius), r * std::cos(a), r * std::sin(a)};
    inner = normalize({1, -slope * std::cos(a), -slope * std::sin(a)});
    uv = atlasPoint(kDishRegion, 0.5 + 0.5 * r / rimRadius * std::cos(a), 0.5 + 0.5 * r / rimRadius * std::sin(a));
  };
  // The back first, then the concave front that faces the viewer.
  for (double side : {-1.0, 1.0}) {
    for (int ring = 0; ring < rings; ++ring) {
      for (int k = 0; k < segments; ++k) {
        Vec3 p[4], n[4];
        Texcoord t[4];
        point(ring, k, p[0], n[0], t[0]);
        point(ring + 1, k, p[1], n[1], t[1]);
        point(ring + 1, k + 1, p[2], n[2], t[2]);
        point(ring, k + 1, p[3], n[3], t[3]);
        for (Vec3& normal : n) normal = normal * side;
        parts.triangle(p[0], p[1], p[2], n[0], n[1], n[2], t[0], t[1], t[2]);
        if (ring > 0) parts.triangle(p[0], p[2], p[3], n[0], n[2], n[3], t[0], t[2], t[3]);
      }
    }
  }
}

}  // namespace

Mesh buildProbe(const ProbeShape& shape) {
  Mesh mesh;
  PartBuilder parts(mesh);
  const AtlasRegion* metal[6] = {&kMetalRegion, &kMetalRegion, &kMetalRegion,
                                 &kMetalRegion, &kMetalRegion, &kMetalRegion};
  // The magnetometer boom and its sensor.
  parts.prism({0, 0, 0.3}, {0, 0, 1.45}, 0.015, 6, true, kMetalRegion);
  parts.box({0, 0, 1.49}, {0.04, 0.04, 0.04}, metal);
  // Two wings of solar cells facing +x and -x, each on a short strut.
  const AtlasRegion* wing[6] = {&kCellRegion, &kCellRegion, &kMetalRegion,
                                &kMetalRegion, &kMetalRegion, &kMetalRegion};
  for (double side : {-1.0, 1.0}) {
    parts.prism({0, side * 0.3, 0}, {0, side * 0.52, 0}, 0.025, 6, true, kMetalRegion);
    parts.box({0, side * (0.52 + shape.panelSpan / 2), 0}, {0.012, shape.panelSpan / 2, 0.28}, wing);
  }
  // The body: an eight-sided drum along x in gold foil.
  parts.prism({-0.3, 0, 0}, {0.3, 0, 0}, 0.36, 8, false, kFoilRegion);
  // The dish in front of the body, its feed on the axis held by three struts.
  const double dishVertex = 0.31, depth = 0.16, feedEnd = 0.85;
  addDish(parts, dishVertex, shape.dishRadius, depth, shape.segments, 4);
  parts.prism({dishVertex, 0, 0}, {feedEnd, 0, 0}, 0.025, 6, true, kMetalRegion);
  parts.prism({feedEnd, 0, 0}, {feedEnd + 0.02, 0, 0}, 0.08, 8, false, kMetalRegion);
  for (int k = 0; k < 3; ++k) {
    double a = kTwoPi * (k + 0.25) / 3;
    Vec3 rim{dishVertex + depth, shape.dishRadius * 0.96 * std::cos(a), shape.dishRadius * 0.96 * std::sin(a)};
    parts.prism(rim, {feedEnd, 0, 0}, 0.01, 4, false, kMetalRegion);
  }
  return mesh;
}

}  // namespace datagen
