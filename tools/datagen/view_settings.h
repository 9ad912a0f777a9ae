// What the rendered views (the sign pictures) share: reading directions
// from their settings, the near-orthographic camera that frames a body, and
// the diffuse light on a surface.
#pragma once

#include <cmath>
#include <string>

#include "param_file.h"
#include "ray_view.h"

namespace datagen {

// A unit direction written x,y,z; a missing key gives the fallback.
Vec3 directionSetting(Settings& settings, const std::string& key, Vec3 fallback);

// A distant camera on the +z axis looking at the origin, framing the
// square from -1 to 1 in x and y: almost an orthographic view, so bodies of
// radius r fill r of half the picture.
ViewCamera framingCamera();

// The light a surface with the unit normal receives from a unit direction.
inline double diffuse(Vec3 normal, Vec3 towardLight) {
  double c = dot(normal, towardLight);
  return c > 0 ? c : 0;
}

// The picture point of a view ray from framingCamera: where it crosses the
// plane z = 0, in -1..1 units.
inline double framedRadius(const Ray& ray) {
  double t = -ray.origin.z / ray.direction.z;
  Vec3 p = ray.origin + ray.direction * t;
  return std::sqrt(p.x * p.x + p.y * p.y);
}

}  // namespace datagen
