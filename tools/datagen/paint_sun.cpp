// The sun: a bright photosphere of fine granules over larger boiling cells
// and mottling, with a few sunspot groups ringed by bright faculae.
#include <vector>

#include "noise.h"
#include "painters.h"
#include "random.h"
#include "sphere_grid.h"

namespace datagen {

void paintSun(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> ramp = settings.colours(
      "colours", {{0.80f, 0.30f, 0.03f}, {1.0f, 0.58f, 0.12f}, {1.0f, 0.80f, 0.32f}, {1.0f, 0.95f, 0.70f}});
  Colour spot = settings.colour("spot", {0.30f, 0.10f, 0.02f});
  double granules = settings.number("granules", 40);  // granule cells per unit of the sphere's radius
  int spots = settings.integer("spots", 5, 0, 64);

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  Random random(mix64(job.seed + 17));
  struct Spot {
    Vec3 centre;
    double size;  // radians
  };
  std::vector<Spot> spotList;
  for (int i = 0; i < spots; ++i) {
    // Sunspots keep to the activity belts between 8 and 35 degrees; each
    // group is a leading spot and a few smaller followers.
    double latitude = random.range(8, 35) * kPi / 180 * (random.uniform() < 0.5 ? -1 : 1);
    double longitude = random.range(0, kTwoPi);
    double size = random.range(0.025, 0.05);
    spotList.push_back({spherePoint(longitude, latitude), size});
    int followers = random.below(4);
    for (int k = 0; k < followers; ++k) {
      double along = random.range(1.5, 4.0) * size, aside = random.range(-1.0, 1.0) * size;
      spotList.push_back({spherePoint(longitude - along, latitude + aside), size * random.range(0.3, 0.6)});
    }
  }

  paintSphere(grid, picture, [&](int, int, Vec3 d, double) {
    Vec3 p = warp(noise, d * granules, 0.3, {2, 2.0, 0.5});
    CellDistances fine = cellular(p, job.seed);
    double granule = smoothstep(0.0, 0.4, fine.second - fine.nearest);
    CellDistances large = cellular(warp(noise, d * 7, 0.4, {3, 2.0, 0.5}), job.seed + 1);
    double cell = smoothstep(0.0, 0.5, large.second - large.nearest);
    double mottle = fbm(noise, d * 3.0, {6, 2.0, 0.55});
    double t = 0.5 + 0.16 * granule + 0.12 * cell + 0.5 * mottle;

    double spotDarkness = 0, umbra = 0, faculae = 0;
    if (!spotList.empty()) {
      double ragged = 1 + 0.3 * fbm(noise, d * 60, {3, 2.0, 0.5});
      for (const Spot& s : spotList) {
        double angle = 2 * std::asin(std::min(1.0, length(d - s.centre) / 2)) * ragged;
        spotDarkness = std::max(spotDarkness, smoothstep(s.size, s.size * 0.6, angle));
        umbra = std::max(umbra, smoothstep(s.size * 0.5, s.size * 0.3, angle));
        faculae += std::exp(-std::pow(angle / (s.size * 3), 2));
      }
    }
    t += 0.12 * std::min(1.0, faculae) * (0.5 + 0.5 * granule);
    Colour c = gradientAt(ramp.data(), static_cast<int>(ramp.size()), t);
    c = mix(c, mix(ramp[0], spot, 0.3), 0.75 * spotDarkness);
    return mix(c, spot, umbra);
  });
}

}  // namespace datagen
