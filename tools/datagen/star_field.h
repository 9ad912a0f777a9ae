// Stars as small gaussian dots on an equirectangular sky. Each dot is
// measured by angle on the sphere, so it is round on the sky sphere however
// wide it is in the picture near the poles, and it wraps across the seam.
#pragma once

#include <vector>

#include "random.h"
#include "sphere_grid.h"

namespace datagen {

struct Star {
  Vec3 direction;     // unit vector
  double brightness;  // peak, 1 is full white; brighter stars saturate wider
  Colour tint;
};

// A brightness drawn from the power law of stars in space (the number of
// stars brighter than b goes as b^-1.5), from faintest up to brightest.
double drawStarBrightness(Random& random, double faintest, double brightest);

// Adds every star to the picture. sigma is the dot's radius (one standard
// deviation) in texels along a meridian; bright stars get a faint halo.
void splatStars(const std::vector<Star>& stars, double sigma, const SphereGrid& grid, Picture& picture);

}  // namespace datagen
