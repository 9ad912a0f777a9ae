// The picture painters, one per picture kind. Each reads its settings (the
// keys listed in picture_recipes.h) and paints an equirectangular picture of
// the job's size, deterministically from the job's seed.
#pragma once

#include <cstdint>

#include "param_file.h"
#include "picture.h"

namespace datagen {

struct PaintJob {
  int width = 0;
  int height = 0;
  std::uint64_t seed = 0;
};

using Painter = void (*)(const PaintJob& job, Settings& settings, Picture& picture);

void paintSun(const PaintJob& job, Settings& settings, Picture& picture);
void paintCratered(const PaintJob& job, Settings& settings, Picture& picture);
void paintClouds(const PaintJob& job, Settings& settings, Picture& picture);
void paintEarth(const PaintJob& job, Settings& settings, Picture& picture);
void paintMars(const PaintJob& job, Settings& settings, Picture& picture);
void paintBanded(const PaintJob& job, Settings& settings, Picture& picture);
void paintPluto(const PaintJob& job, Settings& settings, Picture& picture);
void paintRing(const PaintJob& job, Settings& settings, Picture& picture);
void paintStars(const PaintJob& job, Settings& settings, Picture& picture);
void paintMilkyWay(const PaintJob& job, Settings& settings, Picture& picture);

}  // namespace datagen
