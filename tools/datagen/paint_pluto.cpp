// Pluto: beige and brown terrain, a dark red-brown belt along the equator,
// and the bright heart-shaped plain with its pattern of ice cells.
#include "craters.h"
#include "noise.h"
#include "painters.h"

namespace datagen {

void paintPluto(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> ramp =
      settings.colours("colours", {{0.45f, 0.33f, 0.24f}, {0.72f, 0.58f, 0.44f}, {0.88f, 0.80f, 0.68f}});
  Colour darkBelt = settings.colour("belt", {0.25f, 0.13f, 0.08f});
  Colour heartColour = settings.colour("heart", {0.96f, 0.93f, 0.88f});
  double heartLatitude = settings.number("heart_latitude", 20) * kPi / 180;
  double heartLongitude = settings.number("heart_longitude", 180) * kPi / 180;
  double heartSize = settings.number("heart_size", 30);  // degrees from the centre to a lobe's top
  double beltLongitude = settings.number("belt_longitude", 110) * kPi / 180;  // the largest dark patch
  CraterPopulation population;
  population.count = settings.integer("craters", 500, 0, 200000);
  population.minRadius = 0.4 * kPi / 180;
  population.maxRadius = 4 * kPi / 180;
  population.depth = 0.12;
  if (heartSize <= 0 || heartSize >= 80) settings.fail("\"heart_size\" needs 0 < degrees < 80");
  double heartScale = std::tan(std::min(std::max(heartSize, 1.0), 79.0) * kPi / 180);

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  Random random(mix64(job.seed + 11));
  SurfaceLayers layers(job.width, job.height);
  addCraters(population, random, grid, layers, nullptr);

  // Tangent frame at the heart's centre.
  const Vec3 centre = spherePoint(heartLongitude, heartLatitude);
  const Vec3 east = normalize(spherePoint(heartLongitude + 0.01, heartLatitude) - spherePoint(heartLongitude - 0.01, heartLatitude));
  const Vec3 north = cross(centre, east);

  paintSphere(grid, picture, [&](int x, int y, Vec3 d, double latitude) {
    double t = 0.55 + 0.3 * fbm(noise, warp(noise, d * 2.2, 0.5, {4, 2.0, 0.5}), {7, 2.0, 0.55});
    Colour c = gradientAt(ramp.data(), static_cast<int>(ramp.size()), t);
    // The dark belt along the equator, broken into patches; the largest
    // lies west of the heart.
    double west = std::remainder(grid.longitude(x) - beltLongitude, kTwoPi);
    double patches = smoothstep(-0.15, 0.25, fbm(noise, d * 1.6 + Vec3{4, 4, 4}, {6, 2.0, 0.55})) +
                     0.8 * std::exp(-std::pow(west / 0.7, 2));
    double ragged = latitude + 0.12 * fbm(noise, d * 5 + Vec3{2, 6, 1}, {5, 2.0, 0.5});
    double belt = std::exp(-std::pow(ragged / (16 * kPi / 180), 2)) * patches;
    c = mix(c, shade(darkBelt, 1 + 0.35 * fbm(noise, d * 8, {4, 2.0, 0.5})), 0.9 * smoothstep(0.3, 0.8, belt));
    // Paler, yellowish high latitudes.
    c = mix(c, ramp.back(), 0.5 * smoothstep(0.8, 1.3, latitude));

    double facing = dot(d, centre);
    if (facing > 0.1) {
      double hx = dot(d, east) / facing / heartScale, hy = dot(d, north) / facing / heartScale;
      hx += 0.14 * fbm(noise, d * 6 + Vec3{1, 2, 3}, {5, 2.0, 0.55});
      hy += 0.14 * fbm(noise, d * 6 + Vec3{3, 2, 1}, {5, 2.0, 0.55});
      // The heart curve x^2 + (y - cbrt(x^2))^2 = 1: lobes up, tip down.
      double lift = hy - std::cbrt(hx * hx);
      double f = hx * hx + lift * lift - 1;
      double heart = smoothstep(0.06, -0.06, f);
      if (heart > 0) {
        CellDistances cells = cellular(d * 70, job.seed + 7);
        double lanes = smoothstep(0.0, 0.12, cells.second - cells.nearest);
        // The eastern lobe is a little duller than the smooth western plain.
        Colour ice = shade(heartColour, (0.93 + 0.07 * lanes) * (1 - 0.08 * smoothstep(-0.3, 0.3, hx)));
        c = mix(c, ice, heart);
      }
    }
    c = shade(c, 1 + layers.brightness.at(x, y) * 0.5);
    return shade(c, reliefShade(layers.height, grid, x, y, 0.7));
  });
}

}  // namespace datagen
