// Camera rays and ray intersections for the rendered views.
#include "ray_view.h"

#include <algorithm>
#include <cmath>

#include "sphere_mapping.h"

namespace datagen {

namespace {

Vec3 toVec3(const Float3& f) { return {f[0], f[1], f[2]}; }

Vec3 applyRows(const Vec3 rows[3], Vec3 p) { return {dot(rows[0], p), dot(rows[1], p), dot(rows[2], p)}; }

// The transpose: from view space back into the mesh's own axes.
Vec3 applyColumns(const Vec3 rows[3], Vec3 p) { return rows[0] * p.x + rows[1] * p.y + rows[2] * p.z; }

}  // namespace

ViewCamera::ViewCamera(Vec3 eye, Vec3 target, Vec3 up, double fieldOfView)
    : eye_(eye),
      forward_(normalize(target - eye)),
      right_(normalize(cross(forward_, up))),
      up_(cross(right_, forward_)),
      halfHeight_(std::tan(fieldOfView * kPi / 360)) {}

Ray ViewCamera::ray(double x, double y, double aspect) const {
  Vec3 direction = forward_ + right_ * (x * aspect * halfHeight_) + up_ * (y * halfHeight_);
  return {eye_, normalize(direction)};
}

bool hitSphere(const Ray& ray, Vec3 centre, double radius, double& t) {
  Vec3 offset = ray.origin - centre;
  double b = dot(offset, ray.direction);
  double c = dot(offset, offset) - radius * radius;
  double discriminant = b * b - c;
  if (discriminant < 0) return false;
  double root = std::sqrt(discriminant);
  t = -b - root;
  if (t <= 0) t = -b + root;
  return t > 0;
}

double rayDistance(const Ray& ray, Vec3 centre, double& t) {
  t = std::fmax(0.0, dot(centre - ray.origin, ray.direction));
  return length(ray.origin + ray.direction * t - centre);
}

bool hitPlane(const Ray& ray, Vec3 point, Vec3 normal, double& t) {
  double facing = dot(ray.direction, normal);
  if (std::fabs(facing) < 1e-12) return false;
  t = dot(point - ray.origin, normal) / facing;
  return t > 0;
}

void rotationAbout(Vec3 axis, double degrees, Vec3 rows[3]) {
  Vec3 a = normalize(axis);
  double angle = degrees * kPi / 180, c = std::cos(angle), s = std::sin(angle), k = 1 - c;
  rows[0] = {c + a.x * a.x * k, a.x * a.y * k - a.z * s, a.x * a.z * k + a.y * s};
  rows[1] = {a.y * a.x * k + a.z * s, c + a.y * a.y * k, a.y * a.z * k - a.x * s};
  rows[2] = {a.z * a.x * k - a.y * s, a.z * a.y * k + a.x * s, c + a.z * a.z * k};
}

bool hitMesh(const Ray& ray, const PlacedMesh& placed, MeshHit& hit) {
  if (placed.mesh == nullptr || placed.scale <= 0) return false;
  const Mesh& mesh = *placed.mesh;
  // Intersect in the mesh's own frame, where distances are view distances
  // divided by the scale.
  Ray local{applyColumns(placed.rotation, ray.origin - placed.position) * (1 / placed.scale),
            applyColumns(placed.rotation, ray.direction)};
  bool found = false;
  double nearest = 1e300;
  std::size_t faces = std::min({mesh.vertexIndices.size(), mesh.texcoordIndices.size(), mesh.cornerNormals.size()});
  for (std::size_t f = 0; f < faces; ++f) {
    const Index3& corners = mesh.vertexIndices[f];
    if (corners[0] >= mesh.positions.size() || corners[1] >= mesh.positions.size() ||
        corners[2] >= mesh.positions.size())
      continue;
    Vec3 a = toVec3(mesh.positions[corners[0]]), b = toVec3(mesh.positions[corners[1]]),
         c = toVec3(mesh.positions[corners[2]]);
    // Moller and Trumbore's test.
    Vec3 e1 = b - a, e2 = c - a;
    Vec3 p = cross(local.direction, e2);
    double determinant = dot(e1, p);
    if (std::fabs(determinant) < 1e-15) continue;
    double inverse = 1 / determinant;
    Vec3 s = local.origin - a;
    double w1 = dot(s, p) * inverse;
    if (w1 < 0 || w1 > 1) continue;
    Vec3 q = cross(s, e1);
    double w2 = dot(local.direction, q) * inverse;
    if (w2 < 0 || w1 + w2 > 1) continue;
    double t = dot(e2, q) * inverse;
    if (t <= 1e-9 || t >= nearest) continue;
    nearest = t;
    found = true;
    double w0 = 1 - w1 - w2;
    const auto& normals = mesh.cornerNormals[f];
    Vec3 n = toVec3(normals[0]) * w0 + toVec3(normals[1]) * w1 + toVec3(normals[2]) * w2;
    hit.normal = normalize(applyRows(placed.rotation, n));
    hit.u = hit.v = 0;
    const Index3& uvs = mesh.texcoordIndices[f];
    if (uvs[0] < mesh.texcoords.size() && uvs[1] < mesh.texcoords.size() && uvs[2] < mesh.texcoords.size()) {
      hit.u = mesh.texcoords[uvs[0]][0] * w0 + mesh.texcoords[uvs[1]][0] * w1 + mesh.texcoords[uvs[2]][0] * w2;
      hit.v = mesh.texcoords[uvs[0]][1] * w0 + mesh.texcoords[uvs[1]][1] * w1 + mesh.texcoords[uvs[2]][1] * w2;
    }
  }
  if (found) hit.t = nearest * placed.scale;
  return found;
}

}  // namespace datagen
