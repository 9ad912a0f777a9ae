// Crater profiles and ray systems.
#include "craters.h"

#include <vector>

namespace datagen {

namespace {

struct Ray {
  double direction;  // radians around the crater centre
  double width;      // radians around the centre
  double length;     // in crater radii
  double phase;      // breaks the ray into streaks
};

double square(double v) { return v * v; }

// Angular difference folded into -pi..pi.
double angleBetween(double a, double b) {
  double d = std::fmod(a - b, kTwoPi);
  if (d > kPi) d -= kTwoPi;
  if (d < -kPi) d += kTwoPi;
  return d;
}

// Adds one crater's relief, and its bright or dark markings.
void stampCrater(Vec3 centre, double radius, double age, bool fresh, const CraterPopulation& population,
                 Random& random, const SphereGrid& grid, SurfaceLayers& layers, const ScalarGrid* smooth) {
  double depth = population.depth * radius * (0.25 + 0.75 * square(1 - age));
  double plains = 0;
  if (smooth != nullptr) {
    double lat = latitudeOf(centre), lon = longitudeOf(centre);
    int cx = std::min(grid.width() - 1, static_cast<int>(lon / kTwoPi * grid.width()));
    int cy = std::min(grid.height() - 1, std::max(0, static_cast<int>((kPi / 2 - lat) / kPi * grid.height())));
    plains = smooth->at(cx, cy);
    depth *= 1.0 - 0.85 * plains;
  }
  double rimWidth = 0.12 + 0.3 * age;
  double size = radius / population.maxRadius;
  double floorRadius = 0.55 * smoothstep(0.15, 0.6, size);  // large craters have flat floors
  bool peak = size > 0.3;

  // A tangent frame at the centre, for the directions of rays.
  Vec3 east = normalize(cross(std::fabs(centre.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0}, centre));
  Vec3 north = cross(centre, east);
  std::vector<Ray> rays;
  if (fresh) {
    int count = 24 + random.below(30);
    for (int k = 0; k < count; ++k)
      rays.push_back({random.range(0, kTwoPi), random.range(0.008, 0.04), random.range(3.0, 12.0),
                      random.range(0, kTwoPi)});
  }
  double reach = radius * (fresh ? 12.0 : 2.0 + 2 * rimWidth);
  grid.forEachTexelNear(centre, reach, [&](int x, int y, double angle) {
    double d = angle / radius;
    double h = 0;
    if (d < 1) h += depth * (std::max(d, floorRadius) * std::max(d, floorRadius) - 1) / (1 - floorRadius * floorRadius * 0.5);
    h += 0.3 * depth * std::exp(-square((d - 1) / rimWidth));
    // The ejecta blanket falls off from the rim outward; inside the rim
    // it lifts the bowl by the same amount, so the surface has no step.
    if (d < 2.5) h += 0.08 * depth * square(1 - std::max(0.0, d - 1) / 1.5);
    if (peak && d < 0.5) h += 0.35 * depth * std::exp(-square(d / 0.12));
    layers.height.at(x, y) += static_cast<float>(h);

    double light = 0;
    if (fresh) {
      light += 0.3 * std::exp(-square((d - 1.0) / 0.7));
      if (d > 0.9) {
        Vec3 dir = grid.direction(x, y);
        double around = std::atan2(dot(dir, north), dot(dir, east));
        for (const Ray& ray : rays) {
          // Rays narrow in angle as they run out, so their width on the
          // ground stays about the same.
          double across = angleBetween(around, ray.direction) * d / (ray.width * 3);
          if (std::fabs(across) >= 3) continue;
          double streaks = 0.6 + 0.4 * std::sin(d * 3.1 + ray.phase);
          light += 0.22 * std::exp(-across * across) * std::exp(-(d - 1) / ray.length * 2.5) * streaks;
        }
      }
    } else {
      // Worn craters: slightly darker floors, lighter rims.
      if (d < 1) light -= 0.05 * (1 - age) * (1 - plains);
      light += 0.04 * (1 - age) * std::exp(-square((d - 1) / rimWidth));
    }
    layers.brightness.at(x, y) += static_cast<float>(light);
  });
}

}  // namespace

void addCraters(const CraterPopulation& population, Random& random, const SphereGrid& grid, SurfaceLayers& layers,
                const ScalarGrid* smooth) {
  const double exponent = 2.0;  // cumulative size distribution N(>r) ~ r^-exponent
  const double lowTerm = std::pow(population.minRadius, -exponent);
  const double highTerm = std::pow(population.maxRadius, -exponent);
  for (int i = 0; i < population.count + population.rayed; ++i) {
    Vec3 centre = random.direction();
    double radius = std::pow(lowTerm + random.uniform() * (highTerm - lowTerm), -1.0 / exponent);
    double age = random.uniform();  // old craters are worn shallow, with broad rims
    bool fresh = random.uniform() < population.freshFraction;
    if (i >= population.count) {
      // The prominent young craters, sized to show their rays.
      double low = 3 * population.minRadius, high = std::max(low, 0.25 * population.maxRadius);
      radius = low * std::pow(high / low, random.uniform());
      fresh = true;
    }
    if (fresh) age = 0;
    stampCrater(centre, radius, age, fresh, population, random, grid, layers, smooth);
  }
}

}  // namespace datagen
