// Airless cratered bodies: the Moon, Mercury, Phobos. Highlands shaded
// along an albedo ramp, optional dark lava plains (round impact basins
// flooded with lava, and irregular lowlands), craters with baked-in relief
// and bright ray systems.
#include "craters.h"
#include "noise.h"
#include "painters.h"
#include "surface_fraction.h"

namespace datagen {

namespace {

struct Basin {
  Vec3 centre;
  double radius;  // radians
};

}  // namespace

void paintCratered(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> ramp = settings.colours("colours", {{0.35f, 0.34f, 0.33f}, {0.72f, 0.71f, 0.69f}});
  Colour mare = settings.colour("mare", {0.33f, 0.33f, 0.32f});
  double maria = settings.number("maria", 0);           // share of irregular lowland plains, 0..1
  int basinCount = settings.integer("basins", 0, 0, 64);  // round flooded basins
  double nearSide = settings.number("near_side", 0.5);  // 0..1: how much the plains gather on one face
  CraterPopulation population;
  population.count = settings.integer("craters", 3000, 0, 200000);
  population.minRadius = settings.number("crater_min", 0.3) * kPi / 180;
  population.maxRadius = settings.number("crater_max", 6) * kPi / 180;
  population.depth = settings.number("depth", 0.2);
  population.freshFraction = settings.number("fresh", 0.02);
  population.rayed = settings.integer("rayed", 0, 0, 1000);
  double relief = settings.number("relief", 1.0);
  double mottle = settings.number("mottle", 0.25);
  bool cratersValid = population.minRadius > 0 && population.maxRadius >= population.minRadius;
  if (!cratersValid) settings.fail("\"crater_min\" and \"crater_max\" need 0 < min <= max");

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  Random random(mix64(job.seed + 3));
  const Vec3 nearCentre = spherePoint(kPi, 0.1);

  std::vector<Basin> basins;
  for (int i = 0; i < basinCount; ++i) {
    Vec3 centre = normalize(random.direction() + nearCentre * (1.2 * nearSide));
    basins.push_back({centre, random.range(5, 18) * kPi / 180});
  }
  ScalarGrid plains(job.width, job.height);
  bool hasPlains = maria > 0 || !basins.empty();
  if (hasPlains) {
    ScalarGrid lowland(job.width, job.height);
    for (int y = 0; y < job.height; ++y) {
      for (int x = 0; x < job.width; ++x) {
        Vec3 d = grid.direction(x, y);
        // Lava plains keep away from the poles.
        double field = fbm(noise, warp(noise, d * 1.4, 0.4, {3, 2.0, 0.5}), {6, 2.0, 0.5}) +
                       nearSide * 0.3 * dot(d, nearCentre) - 0.3 * smoothstep(0.8, 1.2, std::fabs(grid.latitude(y)));
        lowland.at(x, y) = static_cast<float>(field);
      }
    }
    double level = maria > 0 ? levelForShare(lowland, grid, maria) : 1e9;
    for (int y = 0; y < job.height; ++y) {
      for (int x = 0; x < job.width; ++x) {
        Vec3 d = grid.direction(x, y);
        double edge = fbm(noise, d * 7 + Vec3{3.3, 2.2, 1.1}, {4, 2.0, 0.5});
        double flooded = smoothstep(level - 0.02, level + 0.08, lowland.at(x, y) + 0.05 * edge);
        for (const Basin& basin : basins) {
          double angle = 2 * std::asin(std::min(1.0, length(d - basin.centre) / 2));
          flooded = std::max(flooded, smoothstep(1.0, 0.75, angle / basin.radius + 0.25 * edge));
        }
        plains.at(x, y) = static_cast<float>(flooded);
      }
    }
  }

  SurfaceLayers layers(job.width, job.height);
  if (cratersValid) addCraters(population, random, grid, layers, hasPlains ? &plains : nullptr);

  for (int y = 0; y < job.height; ++y) {
    for (int x = 0; x < job.width; ++x) {
      Vec3 d = grid.direction(x, y);
      double rough = fbm(noise, d * 48 + Vec3{4.4, 1.1, 9.9}, {4, 2.0, 0.5});
      layers.height.at(x, y) += static_cast<float>(0.0015 * rough * (1 - 0.8 * plains.at(x, y)));
    }
  }

  paintSphere(grid, picture, [&](int x, int y, Vec3 d, double) {
    double t = 0.5 + mottle * fbm(noise, d * 5 + Vec3{2.2, 8.1, 0.3}, {7, 2.0, 0.6});
    Colour c = gradientAt(ramp.data(), static_cast<int>(ramp.size()), t);
    double m = plains.at(x, y);
    if (m > 0) {
      double tone = 1 + 0.22 * fbm(noise, d * 6 + Vec3{7.7, 3.3, 5.5}, {5, 2.0, 0.55});
      c = mix(c, shade(mare, tone), m);
    }
    double light = layers.brightness.at(x, y);
    c = light > 0 ? mix(c, ramp.back(), std::min(1.0, light * 1.6)) : shade(c, 1 + light);
    return shade(c, 1 + relief * (reliefShade(layers.height, grid, x, y, 1.0) - 1));
  });
}

}  // namespace datagen
