// Turns picture recipes into encoded pictures.
#include "picture_recipes.h"

#include "image_encoders.h"
#include "painters.h"
#include "recipe_sources.h"

namespace datagen {

namespace {

struct PictureKind {
  const char* name;
  Painter paint;
};

constexpr PictureKind kKinds[] = {
    // Maps wrapped on spheres.
    {"sun", paintSun},
    {"cratered", paintCratered},
    {"clouds", paintClouds},
    {"earth", paintEarth},
    {"mars", paintMars},
    {"banded", paintBanded},
    {"pluto", paintPluto},
    {"ring", paintRing},
    {"stars", paintStars},
    {"milkyway", paintMilkyWay},
    // Views rendered from other pictures and meshes.
    {"globe", paintGlobe},
    {"star", paintStar},
    {"asteroids", paintAsteroids},
    {"orrery", paintOrrery},
    // Sprites and overlays.
    {"glow", paintGlow},
    {"halo", paintHalo},
    {"dot", paintDot},
    {"lensring", paintLensRing},
    {"ghost", paintGhost},
    {"burst", paintBurst},
    {"digits", paintDigits},
    {"panel", paintPanel},
    {"noise", paintNoise},
    {"horizon", paintHorizon},
    {"probe", paintProbe},
};

bool endsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// Paints with the job's size replaced by width x height when those are
// given; sources is null for a picture painted for another one.
bool paintWith(Recipe& recipe, const RecipeSources* sources, int width, int height, Picture& picture,
               std::string& error) {
  const PictureKind* kind = nullptr;
  for (const PictureKind& candidate : kKinds)
    if (recipe.kind == candidate.name) kind = &candidate;
  if (kind == nullptr) {
    error = "unknown picture kind \"" + recipe.kind + "\"";
    return false;
  }
  PaintJob job;
  if (!recipe.settings.size("size", job.width, job.height)) return recipe.settings.finish(error);
  if (width > 0 && height > 0) {
    job.width = width;
    job.height = height;
  }
  job.seed = recipe.settings.seed();
  job.sources = sources;
  picture = Picture(job.width, job.height);
  kind->paint(job, recipe.settings, picture);
  return recipe.settings.finish(error);
}

int jpegQuality(Recipe& recipe) { return recipe.settings.integer("quality", 88, 1, 100); }

}  // namespace

bool paintPicture(Recipe& recipe, Picture& picture, std::string& error) {
  RecipeSources sources(recipe.source);
  return paintWith(recipe, &sources, 0, 0, picture, error);
}

bool paintSourcePicture(Recipe& recipe, int width, int height, Picture& picture, std::string& error) {
  if (endsWith(recipe.name, ".jpg")) jpegQuality(recipe);  // read, so that it counts as a known setting
  return paintWith(recipe, nullptr, width, height, picture, error);
}

bool makePictureFile(Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error) {
  bool jpeg = endsWith(recipe.name, ".jpg"), tga = endsWith(recipe.name, ".tga");
  if (!jpeg && !tga) {
    error = "a picture's name must end in .jpg or .tga";
    return false;
  }
  int quality = jpeg ? jpegQuality(recipe) : 0;
  Picture picture;
  if (!paintPicture(recipe, picture, error)) return false;
  std::uint64_t ditherSeed = recipe.settings.seed() ^ 0xD17D17;
  if (tga) {
    bytes = encodeTga(picture, ditherSeed);
    return true;
  }
  return encodeJpeg(picture, quality, ditherSeed, bytes, error);
}

}  // namespace datagen
