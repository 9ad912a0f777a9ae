// The picture painters, one per picture kind. Each reads its settings (the
// keys listed in picture_recipes.h) and paints an equirectangular picture of
// the job's size, deterministically from the job's seed.
#pragma once

#include <cstdint>

#include "param_file.h"
#include "picture.h"

namespace datagen {

class RecipeSources;

struct PaintJob {
  int width = 0;
  int height = 0;
  std::uint64_t seed = 0;
  // The recipes a rendered view may draw on; null while a picture is being
  // painted for another one.
  const RecipeSources* sources = nullptr;
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
void paintGlobe(const PaintJob& job, Settings& settings, Picture& picture);
void paintStar(const PaintJob& job, Settings& settings, Picture& picture);
void paintAsteroids(const PaintJob& job, Settings& settings, Picture& picture);
void paintOrrery(const PaintJob& job, Settings& settings, Picture& picture);
void paintGlow(const PaintJob& job, Settings& settings, Picture& picture);
void paintHalo(const PaintJob& job, Settings& settings, Picture& picture);
void paintDot(const PaintJob& job, Settings& settings, Picture& picture);
void paintLensRing(const PaintJob& job, Settings& settings, Picture& picture);
void paintGhost(const PaintJob& job, Settings& settings, Picture& picture);
void paintBurst(const PaintJob& job, Settings& settings, Picture& picture);
void paintDigits(const PaintJob& job, Settings& settings, Picture& picture);
void paintPanel(const PaintJob& job, Settings& settings, Picture& picture);
void paintNoise(const PaintJob& job, Settings& settings, Picture& picture);
void paintHorizon(const PaintJob& job, Settings& settings, Picture& picture);
void paintProbe(const PaintJob& job, Settings& settings, Picture& picture);

}  // namespace datagen
