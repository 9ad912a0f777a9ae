// How pictures wrap around the sphere meshes: the one mapping that the mesh
// generator and the picture painters share.
//
// The saver draws a sphere with a fixed tilt, by default 90 degrees about x
// ("orient V(1 0 0) 90"), which turns mesh coordinates (x, y, z) into world
// coordinates (x, -z, y). The meshes therefore have their poles on the mesh's
// z axis with north at -z: after the default tilt north points along world +y
// and the equator lies in the orbital plane x-z.
//
// Longitude runs eastward from the mesh's +x axis. The point at longitude lon
// and latitude lat is (cos lat cos lon, -cos lat sin lon, -sin lat). Texture
// coordinates are u = lon / 360 degrees and v = (lat + 90 degrees) / 180
// degrees. The saver takes a picture's top row as v = 1, so a picture is an
// equirectangular map as one would draw it: north at the top, longitude 0 at
// the left edge, east to the right. Seen from outside with north up, the
// globe shows the picture the right way round, not mirrored.
//
// Spin: the saver's default spin axis (0, 1, 0) lies in these meshes'
// equatorial plane. A body that turns about its pole is given
// "rotation V(0 0 -1) ANGLE SPEED": with a positive speed it turns eastward
// (counter-clockwise seen from above the north pole), as the planets do.
#pragma once

#include <cmath>

#include "vec3.h"

namespace datagen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

// The unit vector at a longitude and latitude in radians.
inline Vec3 spherePoint(double longitude, double latitude) {
  double c = std::cos(latitude);
  return {c * std::cos(longitude), -c * std::sin(longitude), -std::sin(latitude)};
}

inline double latitudeOf(Vec3 direction) {
  Vec3 d = normalize(direction);
  return std::asin(std::fmax(-1.0, std::fmin(1.0, -d.z)));
}

// Longitude in [0, 2 pi); 0 at the poles, where it has no meaning.
inline double longitudeOf(Vec3 direction) {
  double longitude = std::atan2(-direction.y, direction.x);
  return longitude < 0 ? longitude + kTwoPi : longitude;
}

}  // namespace datagen
