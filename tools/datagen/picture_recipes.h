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
//
// Views rendered from other recipes of the same file (recipe_sources.h),
// bodies lit from the upper left on black; the light is a direction x,y,z
// with x right, y up and z toward the viewer:
//
//   globe      map (a picture recipe), radius (share of half the picture),
//              tilt, lean, facing (degrees: the pole's lean to the right and
//              toward the viewer, the longitude facing the viewer), light,
//              ambient, exposure, haze (colour), haze_strength (0: no air),
//              haze_width (globe radii), ring (a ring picture recipe),
//              ring_outer (globe radii at its edge), samples
//   star       map, radius, tilt, lean, facing, exposure, limb, corona
//              (colour), corona_strength, corona_size (globe radii), samples
//   asteroids  map, meshes (the mesh recipe file beside this one),
//              rock=MESH/X/Y/Z/SIZE/TURN (repeatable; the centre in the
//              picture's -1..1 frame, mesh radii, degrees), light, ambient,
//              exposure, samples
//   orrery     sun (a picture recipe), sun_radius, corona, corona_strength,
//              corona_size, orbit (colour), orbit_strength, orbit_width,
//              elevation (degrees), distance, exposure, map_size (WxH of the
//              planets' maps), samples,
//              planet=MAP/ORBIT/RADIUS/ANGLE[/RINGS] (repeatable)
//
// Sprites, bright on black and black at their edges, and overlays:
//
//   glow       colour, core, core_size, falloff
//   halo       colour, rim, inner, outer, fill
//   dot        colour, power
//   lensring   radius, width, fill, fringe
//   ghost      colour, sides, radius, edge, fill, turn (degrees)
//   burst      colour, streak_colour, rays, ray_width, streak, core_size
//   digits     colour, glow_colour, stroke, glow, glow_size (square)
//   panel      fill, fill_alpha, border, border_alpha, border_width,
//              corner, margin (pixels), sheen
//   noise      grey, alpha (LOW,HIGH each)
//   horizon    air dawn sun ring (colours), horizon, curve, air_height,
//              ring_tilt (degrees)
//   probe      (square; probe_atlas.h)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "param_file.h"
#include "picture.h"

namespace datagen {

// Paints the picture a recipe describes.
bool paintPicture(Recipe& recipe, Picture& picture, std::string& error);

// Paints it for another picture that draws on it (recipe_sources.h): at
// width x height when those are given (not 0), and without drawing on
// further recipes itself.
bool paintSourcePicture(Recipe& recipe, int width, int height, Picture& picture, std::string& error);

// Paints and encodes it in the format its name asks for.
bool makePictureFile(Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace datagen
