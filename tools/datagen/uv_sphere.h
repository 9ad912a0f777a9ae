// The unit UV sphere of meshes\sphere.dat and meshes\env.dat.
#pragma once

#include "mesh.h"

namespace datagen {

// A unit sphere of `segments` columns of longitude and `rings` bands of
// latitude, mapped as sphere_mapping.h describes. Positions are shared; the
// texture coordinates repeat the seam column at u = 1, so no triangle wraps
// from u = 1 back to 0, and each pole triangle takes the u of its column's
// middle. Corner normals are the positions (smooth shading). Faces wind
// counter-clockwise seen from outside.
Mesh buildUvSphere(int segments, int rings);

}  // namespace datagen
