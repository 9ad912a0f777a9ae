// Reading painted pictures back: bilinear samples of flat pictures and of
// equirectangular maps (sphere_mapping.h), for the painters that render
// views of other pictures.
#pragma once

#include "picture.h"

namespace datagen {

// The bilinear sample at picture coordinates x (right) and y (down) in
// texels, texel centres at +0.5. Columns wrap around when wrapColumns is set
// and clamp otherwise; rows clamp. An empty picture samples as transparent
// black.
Colour sampleBilinear(const Picture& picture, double x, double y, bool wrapColumns);

// The colour of an equirectangular map (north at the top, longitude 0 at
// the left edge) at a longitude and latitude in radians.
Colour sampleMap(const Picture& map, double longitude, double latitude);

}  // namespace datagen
