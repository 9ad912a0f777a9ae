// Impact craters stamped into the height and brightness layers of a
// cratered surface (the Moon, Mercury, Phobos, and fainter on Mars and
// Pluto).
#pragma once

#include "random.h"
#include "sphere_grid.h"

namespace datagen {

struct SurfaceLayers {
  ScalarGrid height;      // radians of the sphere; 0 is the mean surface
  ScalarGrid brightness;  // added to the albedo, about -0.3..0.5

  SurfaceLayers(int columns, int rows) : height(columns, rows), brightness(columns, rows) {}
};

struct CraterPopulation {
  int count = 0;
  double minRadius = 0.005;  // radians
  double maxRadius = 0.08;
  double depth = 0.2;        // bowl depth relative to the radius
  double freshFraction = 0;  // share of craters with bright floors and rays
  int rayed = 0;             // extra young craters, large enough to show their rays
};

// Adds `count` + `rayed` craters at random places. Crater sizes follow a power law
// (many small, few large); large craters get central peaks. Where `smooth`
// (0..1 per texel, may be null) is high at a crater's centre, the crater is
// shallower: lava plains have few deep craters.
void addCraters(const CraterPopulation& population, Random& random, const SphereGrid& grid, SurfaceLayers& layers,
                const ScalarGrid* smooth);

}  // namespace datagen
