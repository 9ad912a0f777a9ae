// The sky spheres: a field of stars, and the band of the Milky Way (glowing
// star clouds, dark dust lanes and dense faint stars along the sky's
// equator, meant to be laid over the star field).
#include <vector>

#include "noise.h"
#include "painters.h"
#include "star_field.h"

namespace datagen {

namespace {

const std::vector<Colour> kStarTints = {{0.70f, 0.78f, 1.0f}, {0.88f, 0.92f, 1.0f}, {1.0f, 1.0f, 1.0f},
                                        {1.0f, 1.0f, 1.0f},   {1.0f, 0.94f, 0.82f}, {1.0f, 0.86f, 0.66f},
                                        {1.0f, 0.75f, 0.55f}};

Colour pickTint(Random& random, const std::vector<Colour>& tints) {
  return tints[static_cast<std::size_t>(random.below(static_cast<int>(tints.size())))];
}

double gaussian(Random& random) {
  double u = std::max(random.uniform(), 1e-12), v = random.uniform();
  return std::sqrt(-2 * std::log(u)) * std::cos(kTwoPi * v);
}

}  // namespace

void paintStars(const PaintJob& job, Settings& settings, Picture& picture) {
  int count = settings.integer("count", 12000, 0, 2000000);
  double faintest = settings.number("faintest", 0.22);
  double brightest = settings.number("brightest", 4);
  double sigma = settings.number("sigma", 0.55);  // dot radius in texels
  std::vector<Colour> tints = settings.colours("tints", kStarTints);
  if (sigma <= 0 || faintest <= 0) settings.fail("\"sigma\" and \"faintest\" need positive numbers");

  SphereGrid grid(job.width, job.height);
  Random random(job.seed);
  std::vector<Star> stars;
  for (int i = 0; i < count; ++i) {
    Vec3 direction = random.direction();
    double brightness = drawStarBrightness(random, faintest, brightest);
    stars.push_back({direction, brightness, pickTint(random, tints)});
  }
  for (Colour& c : picture.pixels) c = {0, 0, 0, 1};
  if (sigma > 0) splatStars(stars, sigma, grid, picture);
}

void paintMilkyWay(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour coreGlow = settings.colour("core", {1.0f, 0.84f, 0.62f});
  Colour armGlow = settings.colour("arm", {0.72f, 0.78f, 1.0f});
  Colour nebula = settings.colour("nebula", {1.0f, 0.42f, 0.48f});
  double width = settings.number("width", 12) * kPi / 180;     // half width of the band
  double centre = settings.number("centre", 200) * kPi / 180;  // longitude of the bright bulge
  double glow = settings.number("glow", 0.4);
  double dust = settings.number("dust", 0.8);
  int count = settings.integer("count", 60000, 0, 2000000);
  double sigma = settings.number("sigma", 0.45);
  if (width <= 0 || sigma <= 0) settings.fail("\"width\" and \"sigma\" need positive numbers");
  width = std::max(width, 1e-3);

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  ScalarGrid obscured(job.width, job.height);
  for (Colour& c : picture.pixels) c = {0, 0, 0, 1};
  for (int y = 0; y < job.height; ++y) {
    double latitude = grid.latitude(y);
    // Far from the band there is nothing to paint.
    if (std::fabs(latitude) > 3.5 * width) continue;
    double band = std::exp(-std::pow(latitude / width, 2));
    for (int x = 0; x < job.width; ++x) {
      Vec3 d = grid.direction(x, y);
      double fromCentre = std::fabs(std::remainder(grid.longitude(x) - centre, kTwoPi));
      double bulge = std::exp(-std::pow(fromCentre / 0.7, 2) - std::pow(latitude / (0.8 * width), 2));
      // Star clouds: clumpy glow, finely grained by unresolved stars.
      double clouds = smoothstep(-0.25, 0.45, fbm(noise, warp(noise, d * 3, 0.5, {3, 2.0, 0.5}), {6, 2.0, 0.55}));
      double grain = 0.7 + 0.6 * fbm(noise, d * 160, {2, 2.0, 0.5});
      // Dust: a dark rift wandering along the middle and thin filaments.
      double riftCentre = 0.3 * width * fbm(noise, d * 1.5 + Vec3{5, 1, 7}, {3, 2.0, 0.5});
      double rift = std::exp(-std::pow((latitude - riftCentre) / (0.3 * width), 2));
      double riftBreaks = smoothstep(-0.3, 0.2, fbm(noise, d * 2.5 + Vec3{1, 8, 3}, {4, 2.0, 0.5}));
      double filaments = smoothstep(0.6, 0.9, ridged(noise, warp(noise, d * 6 + Vec3{2, 2, 2}, 0.5, {3, 2.0, 0.5}),
                                                         {5, 2.0, 0.5}));
      double darkening = dust * std::min(1.0, 0.85 * rift * riftBreaks + 0.6 * band * filaments);
      obscured.at(x, y) = static_cast<float>(darkening);
      double light = glow * (band * (0.3 + 0.9 * clouds * clouds) + 1.3 * bulge * (0.6 + 0.4 * clouds)) * grain *
                     (1 - darkening);
      Colour tone = mix(armGlow, coreGlow, std::min(1.0, bulge * 1.4 + 0.2 * clouds));
      double glowPatch = smoothstep(0.6, 0.85, fbm(noise, d * 9 + Vec3{9, 3, 6}, {4, 2.0, 0.5}) + 0.45) * band;
      tone = mix(tone, nebula, 0.6 * glowPatch);
      picture.at(x, y) = shade(tone, light);
    }
  }

  // Dense faint stars crowding the band, thinned where dust hides them.
  Random random(mix64(job.seed + 21));
  std::vector<Star> stars;
  for (int i = 0; i < count; ++i) {
    double latitude = std::max(-kPi / 2, std::min(kPi / 2, width * 0.7 * gaussian(random)));
    double longitude = random.range(0, kTwoPi);
    double brightness = drawStarBrightness(random, 0.05, 1.0);
    Colour tint = pickTint(random, kStarTints);
    int x = std::min(job.width - 1, static_cast<int>(longitude / kTwoPi * job.width));
    int y = std::min(job.height - 1, std::max(0, static_cast<int>((kPi / 2 - latitude) / kPi * job.height)));
    if (random.uniform() < obscured.at(x, y)) continue;
    stars.push_back({spherePoint(longitude, latitude), brightness, tint});
  }
  if (sigma > 0) splatStars(stars, sigma, grid, picture);
}

}  // namespace datagen
