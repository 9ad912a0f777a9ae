// The mesh kinds of data/generate/meshes.txt and the settings each takes:
//
//   sphere    segments=64 rings=32
//             a unit UV sphere (uv_sphere.h)
//   asteroid  level=2 seed=1 stretch=1,1,1 lumps=0.3 roughness=0.05
//             craters=6 crater_depth=0.25
//             a lumpy body of mean radius 1 (asteroid.h)
//   probe     segments=20 dish_radius=0.62 panel_span=1.2
//             a space probe with a dish, solar wings and a boom (probe.h)
//   square    (no settings)
//             a flat two-sided square of half-side 1 for the ring picture
//             (flat_square.h)
#pragma once

#include <string>

#include "mesh.h"
#include "param_file.h"

namespace datagen {

// Builds the mesh a recipe describes; false with a message for an unknown
// kind or a bad setting.
bool buildMesh(Recipe& recipe, Mesh& mesh, std::string& error);

}  // namespace datagen
