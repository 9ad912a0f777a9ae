// A small ray caster for the rendered views (the sign pictures): a pinhole
// camera, supersampled rendering of a square picture, and the intersections
// of rays with spheres, planes and triangle meshes.
//
// View space is right-handed: x to the right, y up and z toward the viewer.
#pragma once

#include "mesh.h"
#include "plane_painting.h"
#include "vec3.h"

namespace datagen {

struct Ray {
  Vec3 origin;
  Vec3 direction;  // unit length
};

class ViewCamera {
 public:
  // A camera at eye looking at target, with up as the picture's up (need
  // not be perpendicular to the view) and the field of view in degrees
  // across the picture's height.
  ViewCamera(Vec3 eye, Vec3 target, Vec3 up, double fieldOfView);

  // The ray through the picture point (x, y), each -1..1, y up; x is
  // scaled by the aspect ratio width / height.
  Ray ray(double x, double y, double aspect) const;

 private:
  Vec3 eye_, forward_, right_, up_;
  double halfHeight_;
};

// Renders the camera's view into the picture: every pixel is the mean of
// samples x samples rays, each coloured by shade(ray).
template <class Shade>
void renderView(const ViewCamera& camera, int samples, Picture& picture, Shade&& shade) {
  double aspect = static_cast<double>(picture.width) / picture.height;
  paintPlane(picture, samples, [&](double x, double y) {
    CentredPoint p = centred(picture, x, y);
    return shade(camera.ray(p.x, p.y, aspect));
  });
}

// The nearest distance t > 0 along the ray at which it enters the sphere.
bool hitSphere(const Ray& ray, Vec3 centre, double radius, double& t);

// The distance between centre and the ray, measured at the ray's point
// nearest to it (the origin when centre lies behind); t is that point's
// distance along the ray.
double rayDistance(const Ray& ray, Vec3 centre, double& t);

// The distance t > 0 at which the ray crosses the plane through point with
// the given normal.
bool hitPlane(const Ray& ray, Vec3 point, Vec3 normal, double& t);

// A mesh placed in view space: each mesh point p is drawn at
// position + rotation * p * scale. The rotation's rows are unit axes.
struct PlacedMesh {
  const Mesh* mesh = nullptr;
  Vec3 position;
  Vec3 rotation[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double scale = 1;
};

struct MeshHit {
  double t = 0;
  Vec3 normal;  // the interpolated corner normal in view space, unit length
  double u = 0;  // the interpolated texture coordinate
  double v = 0;
};

// The rotation by angle degrees about a unit axis, as rows.
void rotationAbout(Vec3 axis, double degrees, Vec3 rows[3]);

// The nearest hit of the ray on the mesh's triangles, seen from either side.
bool hitMesh(const Ray& ray, const PlacedMesh& placed, MeshHit& hit);

}  // namespace datagen
