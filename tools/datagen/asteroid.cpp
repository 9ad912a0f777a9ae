// Builds asteroid meshes.
#include "asteroid.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "icosphere.h"
#include "noise.h"
#include "random.h"
#include "sphere_mapping.h"

namespace datagen {

namespace {

struct Crater {
  Vec3 centre;
  double radius;  // radians
};

// Radial displacement of the unit direction p.
double surfaceRadius(const AsteroidShape& shape, const GradientNoise& noise, const std::vector<Crater>& craters,
                     Vec3 p) {
  double r = 1.0 + shape.lumps * fbm(noise, p * 1.1, {4, 2.0, 0.5}) +
             shape.roughness * fbm(noise, p * 4.3 + Vec3{3.1, 7.4, 1.9}, {3, 2.0, 0.5});
  for (const Crater& crater : craters) {
    double angle = std::acos(std::max(-1.0, std::min(1.0, dot(p, crater.centre))));
    double d = angle / crater.radius;
    double depth = shape.craterDepth * crater.radius;
    if (d < 1) r -= depth * (1 - d * d);
    r += 0.3 * depth * std::exp(-((d - 1) / 0.22) * ((d - 1) / 0.22));
  }
  // However deep the settings, the surface stays outside the centre.
  return std::max(r, 0.2);
}

Float3 toFloat3(Vec3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }

// Spherical texture coordinates for the three corners of a triangle, so that
// none of its u values wraps around the seam.
std::array<std::array<float, 2>, 3> triangleTexcoords(const Vec3 (&corners)[3]) {
  double u[3], v[3];
  bool atPole[3];
  for (int i = 0; i < 3; ++i) {
    atPole[i] = std::fabs(corners[i].x) < 1e-9 && std::fabs(corners[i].y) < 1e-9;
    u[i] = longitudeOf(corners[i]) / kTwoPi;
    v[i] = latitudeOf(corners[i]) / kPi + 0.5;
  }
  double low = 2, high = -1;
  for (int i = 0; i < 3; ++i) {
    if (atPole[i]) continue;
    low = std::min(low, u[i]);
    high = std::max(high, u[i]);
  }
  if (high - low > 0.5)
    for (int i = 0; i < 3; ++i)
      if (!atPole[i] && u[i] < 0.5) u[i] += 1.0;
  for (int i = 0; i < 3; ++i) {
    if (!atPole[i]) continue;
    double sum = 0;
    int count = 0;
    for (int j = 0; j < 3; ++j) {
      if (atPole[j]) continue;
      sum += u[j];
      ++count;
    }
    u[i] = count > 0 ? sum / count : 0.0;
  }
  std::array<std::array<float, 2>, 3> result;
  for (int i = 0; i < 3; ++i) result[i] = {static_cast<float>(u[i]), static_cast<float>(v[i])};
  return result;
}

}  // namespace

Mesh buildAsteroid(const AsteroidShape& shape) {
  UnitIcosphere base = buildIcosphere(shape.level);
  GradientNoise noise(shape.seed);
  Random random(mix64(shape.seed + 0x5EED));
  std::vector<Crater> craters;
  for (int i = 0; i < shape.craters; ++i) {
    Vec3 centre = random.direction();
    craters.push_back({centre, random.range(0.22, 0.55)});
  }

  std::vector<Vec3> points;
  Vec3 centroid;
  for (const Vec3& p : base.points) {
    Vec3 displaced = p * surfaceRadius(shape, noise, craters, p);
    displaced = {displaced.x * shape.stretch.x, displaced.y * shape.stretch.y, displaced.z * shape.stretch.z};
    points.push_back(displaced);
    centroid = centroid + displaced;
  }
  centroid = centroid * (1.0 / points.size());
  double meanRadius = 0;
  for (Vec3& p : points) {
    p = p - centroid;
    meanRadius += length(p);
  }
  meanRadius /= points.size();
  for (Vec3& p : points) p = p * (1.0 / meanRadius);

  std::vector<Vec3> normals(points.size());
  for (const Index3& tri : base.triangles) {
    Vec3 faceNormal = cross(points[tri[1]] - points[tri[0]], points[tri[2]] - points[tri[0]]);
    for (std::uint32_t i : tri) normals[i] = normals[i] + faceNormal;
  }

  Mesh mesh;
  for (const Vec3& p : points) mesh.positions.push_back(toFloat3(p));
  std::map<std::array<float, 2>, std::uint32_t> texcoordIndex;
  for (const Index3& tri : base.triangles) {
    const Vec3 corners[3] = {base.points[tri[0]], base.points[tri[1]], base.points[tri[2]]};
    auto uvs = triangleTexcoords(corners);
    Index3 texIndices;
    std::array<Float3, 3> cornerNormals;
    for (int corner = 0; corner < 3; ++corner) {
      auto inserted = texcoordIndex.emplace(uvs[corner], static_cast<std::uint32_t>(mesh.texcoords.size()));
      if (inserted.second) mesh.texcoords.push_back(uvs[corner]);
      texIndices[corner] = inserted.first->second;
      cornerNormals[corner] = toFloat3(normalize(normals[tri[corner]]));
    }
    mesh.vertexIndices.push_back(tri);
    mesh.texcoordIndices.push_back(texIndices);
    mesh.cornerNormals.push_back(cornerNormals);
  }
  return mesh;
}

}  // namespace datagen
