// A flat, two-sided square: the carrier of Saturn's face-on ring picture
// (textures\ring.tga).
#pragma once

#include "mesh.h"

namespace datagen {

// The square from (-1, -1, 0) to (1, 1, 0), texture coordinates 0..1 across
// x and y. It is drawn from both sides whatever the face culling: two
// triangles face +z and two face -z, each with its own normals. Under the
// default sphere tilt it lies in the orbital plane, front side up; scaled by
// the ring's outer radius (2.331 Saturn radii for ring.tga) it carries the
// rings around the planet.
Mesh buildFlatSquare();

}  // namespace datagen
