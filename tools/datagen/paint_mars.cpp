// Mars: rust-red deserts with darker albedo regions, cratered southern
// highlands and smooth northern plains, a great canyon below the equator
// and white polar caps.
#include "craters.h"
#include "noise.h"
#include "painters.h"
#include "surface_fraction.h"

namespace datagen {

void paintMars(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> ramp =
      settings.colours("colours", {{0.42f, 0.20f, 0.11f}, {0.70f, 0.34f, 0.18f}, {0.85f, 0.55f, 0.34f}});
  Colour darkTone = settings.colour("dark_colour", {0.33f, 0.22f, 0.16f});
  Colour capColour = settings.colour("cap", {0.95f, 0.93f, 0.90f});
  double dark = settings.number("dark", 0.25);       // share of dark albedo regions
  double northCap = settings.number("north_cap", 8);  // cap radius, degrees
  double southCap = settings.number("south_cap", 5);
  double canyon = settings.number("canyon", 1.0);     // canyon strength; 0 for none
  CraterPopulation population;
  population.count = settings.integer("craters", 1500, 0, 200000);
  population.minRadius = 0.35 * kPi / 180;
  population.maxRadius = 5 * kPi / 180;
  population.depth = 0.12;
  double relief = settings.number("relief", 0.8);

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  Random random(mix64(job.seed + 5));

  ScalarGrid albedo(job.width, job.height), lowlands(job.width, job.height);
  for (int y = 0; y < job.height; ++y) {
    double latitude = grid.latitude(y);
    for (int x = 0; x < job.width; ++x) {
      Vec3 d = grid.direction(x, y);
      // Dark markings gather in a belt south of the equator.
      double belt = 0.25 * std::exp(-std::pow((latitude * 180 / kPi + 15) / 25, 2));
      albedo.at(x, y) = static_cast<float>(fbm(noise, warp(noise, d * 1.6, 0.5, {4, 2.0, 0.5}), {7, 2.0, 0.55}) + belt);
      double north = smoothstep(-0.1, 0.45, std::sin(latitude) + 0.4 * fbm(noise, d * 1.3 + Vec3{6, 1, 2}, {4, 2.0, 0.5}));
      lowlands.at(x, y) = static_cast<float>(north);
    }
  }
  double darkLevel = levelForShare(albedo, grid, dark);

  SurfaceLayers layers(job.width, job.height);
  addCraters(population, random, grid, layers, &lowlands);

  const double canyonLatitude = -8 * kPi / 180;
  const double canyonStart = 265 * kPi / 180, canyonEnd = 320 * kPi / 180;
  for (int y = 0; y < job.height && canyon > 0; ++y) {
    for (int x = 0; x < job.width; ++x) {
      double longitude = grid.longitude(x);
      double along = smoothstep(canyonStart, canyonStart + 0.1, longitude) * smoothstep(canyonEnd, canyonEnd - 0.15, longitude);
      if (along <= 0) continue;
      Vec3 d = grid.direction(x, y);
      double centre = canyonLatitude + 0.03 * fbm(noise, d * 8 + Vec3{2, 9, 4}, {3, 2.0, 0.5});
      double across = (grid.latitude(y) - centre) / (0.012 + 0.008 * along);
      double trough = along * std::exp(-across * across);
      layers.height.at(x, y) -= static_cast<float>(0.004 * canyon * trough);
      layers.brightness.at(x, y) -= static_cast<float>(0.12 * canyon * trough);
    }
  }

  paintSphere(grid, picture, [&](int x, int y, Vec3 d, double latitude) {
    double t = 0.62 + 0.28 * fbm(noise, d * 4 + Vec3{5, 5, 1}, {6, 2.0, 0.55}) - 0.12 * lowlands.at(x, y);
    Colour c = gradientAt(ramp.data(), static_cast<int>(ramp.size()), t);
    double darkness = smoothstep(darkLevel - 0.15, darkLevel + 0.2, albedo.at(x, y));
    c = mix(c, shade(darkTone, 1 + 0.3 * fbm(noise, d * 10, {3, 2.0, 0.5})), 0.65 * darkness);
    c = shade(c, 1 + layers.brightness.at(x, y));
    c = shade(c, 1 + relief * (reliefShade(layers.height, grid, x, y, 1.0) - 1));
    // Polar caps with ragged edges.
    double degrees = latitude * 180 / kPi;
    double edge = 20 * fbm(noise, d * 3 + Vec3{8, 8, 8}, {6, 2.0, 0.55});
    double fromPole = 90 - std::fabs(degrees);
    double capRadius = degrees > 0 ? northCap : southCap;
    double cap = smoothstep(capRadius + 1.0, capRadius - 1.0, fromPole - edge);
    return mix(c, capColour, cap);
  });
}

}  // namespace datagen
