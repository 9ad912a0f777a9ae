// The picture kinds of data/generate/pictures.txt.
//
// Every picture recipe takes size=WxH (powers of two; required) and seed=N;
// a NAME ending in .jpg becomes a baseline JPEG (quality=Q, default 88), one
// ending in .tga an uncompressed 32-bit TGA with alpha. Sphere pictures are
// equirectangular maps, north at the top (sphere_mapping.h). The kinds and
// their own settings, with the defaults written in the painters:
//
//   sun        colours (ramp), spot, granules, spots
//   cratered   colours (albedo ramp), mare, maria (share), basins, near_side,
//              craters, crater_min, crater_max (degrees), depth, fresh,
//              rayed, relief, mottle
//   clouds     colours, streaks, swirl, chevron
//   earth      deep shallow ice cloud mountain jungle savanna desert
//              temperate steppe boreal tundra (colours), land, clouds
//              (shares of the surface), cyclones, ice_latitude, relief
//   mars       colours, dark_colour, cap, dark, north_cap, south_cap
//              (degrees), canyon, craters, relief
//   banded     palette (north to south), turbulence, streaks, stretch,
//              edge, polar_darkening, storm=LAT/LON/WIDTH/HEIGHT/RRGGBB
//              (repeatable; degrees)
//   pluto      colours, belt, heart, belt_longitude, heart_latitude,
//              heart_longitude, heart_size, craters
//   ring       outer (km at the picture's edge), grain,
//              stop=KM/ALPHA/RRGGBB (repeatable, rising radius)
//   stars      count, faintest, brightest, sigma (texels), tints
//   milkyway   core arm nebula (colours), width, centre (degrees), glow,
//              dust, count, sigma
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "param_file.h"
#include "picture.h"

namespace datagen {

// Paints the picture a recipe describes.
bool paintPicture(Recipe& recipe, Picture& picture, std::string& error);

// Paints and encodes it in the format its name asks for.
bool makePictureFile(Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace datagen
