// Star brightness and splatting.
#include "star_field.h"

namespace datagen {

double drawStarBrightness(Random& random, double faintest, double brightest) {
  double u = std::max(random.uniform(), 1e-12);
  return std::min(brightest, faintest * std::pow(u, -1.0 / 1.5));
}

void splatStars(const std::vector<Star>& stars, double sigma, const SphereGrid& grid, Picture& picture) {
  const double core = sigma * grid.texelAngle();
  for (const Star& star : stars) {
    bool halo = star.brightness > 1;
    double haloRadius = 3.5 * core;
    double haloStrength = halo ? 0.04 * star.brightness : 0;
    double reach = (halo ? 3.5 : 3.0) * (halo ? haloRadius : core);
    grid.forEachTexelNear(star.direction, reach, [&](int x, int y, double angle) {
      double a = angle / core, h = angle / haloRadius;
      double light = star.brightness * std::exp(-0.5 * a * a) + haloStrength * std::exp(-0.5 * h * h);
      Colour& pixel = picture.at(x, y);
      pixel.r += static_cast<float>(light * star.tint.r);
      pixel.g += static_cast<float>(light * star.tint.g);
      pixel.b += static_cast<float>(light * star.tint.b);
    });
  }
}

}  // namespace datagen
