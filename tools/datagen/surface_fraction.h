// Thresholds that cover a given share of a sphere's surface: a noise field
// cut at the level above which `share` of the area lies (texels weighted by
// the area they cover), so that "30% land" holds whatever the noise does.
#pragma once

#include "sphere_grid.h"

namespace datagen {

double levelForShare(const ScalarGrid& field, const SphereGrid& grid, double share);

}  // namespace datagen
