// Lumpy asteroid meshes: an icosphere displaced by seeded noise and craters.
#pragma once

#include <cstdint>

#include "mesh.h"
#include "vec3.h"

namespace datagen {

struct AsteroidShape {
  int level = 2;              // icosphere subdivisions
  std::uint64_t seed = 1;
  Vec3 stretch{1, 1, 1};      // scale along the mesh axes (an elongated body)
  double lumps = 0.3;         // amplitude of the large-scale displacement
  double roughness = 0.05;    // amplitude of the fine displacement
  int craters = 6;
  double craterDepth = 0.25;  // depth of a crater relative to its radius
};

// The shape centred on its vertex centroid and scaled to a mean radius of 1.
// Positions are shared, so the surface is closed; corner normals are the
// area-weighted normals of the displaced surface at each vertex; texture
// coordinates are spherical (sphere_mapping.h) from the undisplaced
// direction, with the seam and the poles split per triangle.
Mesh buildAsteroid(const AsteroidShape& shape);

}  // namespace datagen
