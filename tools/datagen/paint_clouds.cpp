// A world wrapped in cloud: Venus. Soft zonal streaks bent into the
// sideways "Y" of its super-rotating upper atmosphere, swirled by warped noise.
#include "noise.h"
#include "painters.h"
#include "sphere_grid.h"

namespace datagen {

void paintClouds(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> ramp = settings.colours(
      "colours", {{0.62f, 0.48f, 0.26f}, {0.84f, 0.72f, 0.46f}, {0.95f, 0.88f, 0.66f}, {1.0f, 0.97f, 0.86f}});
  double streaks = settings.number("streaks", 7);  // bands from pole to pole
  double swirl = settings.number("swirl", 0.9);
  double chevron = settings.number("chevron", 0.35);  // how far the bands bend towards the poles

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  paintSphere(grid, picture, [&](int x, int, Vec3 d, double latitude) {
    // Streaks follow latitude, bent into a chevron that opens westward.
    double longitude = grid.longitude(x);
    double bend = chevron * std::cos(longitude) * (1 - std::fabs(latitude) / (kPi / 2));
    Vec3 stretched{d.x * 1.6, d.y * 1.6, d.z * 5.0};
    Vec3 flow = warp(noise, stretched, swirl, {5, 2.0, 0.5});
    double bands = std::sin((std::fabs(latitude) + bend) * streaks + 2.2 * fbm(noise, flow, {4, 2.0, 0.5}));
    double billows = fbm(noise, warp(noise, d * 3.0, 0.6, {4, 2.0, 0.5}), {6, 2.0, 0.55});
    double t = 0.55 + 0.18 * bands + 0.35 * billows;
    // Bright hazy collars around the poles.
    t += 0.15 * smoothstep(0.9, 1.35, std::fabs(latitude));
    return gradientAt(ramp.data(), static_cast<int>(ramp.size()), t);
  });
}

}  // namespace datagen
