// Map lookups and orientation of globes, and their ring systems.
#include "globe.h"

#include <cmath>

#include "picture_sampling.h"
#include "sphere_mapping.h"

namespace datagen {

namespace {

Vec3 turnAbout(Vec3 v, Vec3 axis, double degrees) {
  Vec3 rows[3];
  rotationAbout(axis, degrees, rows);
  return {dot(rows[0], v), dot(rows[1], v), dot(rows[2], v)};
}

}  // namespace

Colour Globe::surface(Vec3 normal) const {
  if (map == nullptr) return {0.5f, 0.5f, 0.5f, 1};
  double latitude = std::asin(std::fmax(-1.0, std::fmin(1.0, dot(normal, north))));
  double longitude = std::atan2(dot(normal, east90), dot(normal, east0));
  if (longitude < 0) longitude += kTwoPi;
  return sampleMap(*map, longitude, latitude);
}

void orientGlobe(Globe& globe, double tilt, double lean, double facing) {
  // A clockwise tilt in the picture turns about the axis pointing away
  // from the viewer.
  Vec3 north = turnAbout({0, 1, 0}, {0, 0, -1}, tilt);
  Vec3 sideways = normalize(cross(north, {0, 0, 1}));
  north = normalize(turnAbout(north, sideways, lean));
  // The direction on the equator that faces the viewer holds `facing`;
  // longitude 0 lies `facing` degrees west of it.
  Vec3 front = normalize(Vec3{0, 0, 1} - north * dot(north, {0, 0, 1}));
  Vec3 east = cross(north, front);
  double f = facing * kPi / 180;
  globe.north = north;
  globe.east0 = front * std::cos(f) - east * std::sin(f);
  globe.east90 = cross(north, globe.east0);
}

bool RingDisc::hit(const Ray& ray, double& t, Colour& colour) const {
  if (globe == nullptr || picture == nullptr || outer <= 0) return false;
  if (!hitPlane(ray, globe->centre, globe->north, t)) return false;
  Vec3 offset = ray.origin + ray.direction * t - globe->centre;
  double span = outer * globe->radius;
  double x = (dot(offset, globe->east0) / span * 0.5 + 0.5) * picture->width;
  double y = (0.5 - dot(offset, globe->east90) / span * 0.5) * picture->height;
  if (x < 0 || y < 0 || x > picture->width || y > picture->height) return false;
  colour = sampleBilinear(*picture, x, y, false);
  return true;
}

double RingDisc::shade(Vec3 point, Vec3 towardLight) const {
  double t = 0;
  Colour colour;
  if (!hit({point, towardLight}, t, colour)) return 0;
  return colour.a;
}

}  // namespace datagen
