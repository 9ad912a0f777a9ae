// A subdivided icosahedron projected onto the unit sphere: the evenly
// tessellated base of the asteroid shapes.
#pragma once

#include <vector>

#include "mesh.h"
#include "vec3.h"

namespace datagen {

struct UnitIcosphere {
  std::vector<Vec3> points;      // unit vectors, shared between triangles
  std::vector<Index3> triangles; // counter-clockwise seen from outside
};

// level 0 is the icosahedron (12 points, 20 triangles); each level splits
// every triangle into four (level L has 20 * 4^L triangles).
UnitIcosphere buildIcosphere(int level);

}  // namespace datagen
