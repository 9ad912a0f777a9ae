// Turns picture recipes into encoded pictures.
#include "picture_recipes.h"

#include "image_encoders.h"
#include "painters.h"

namespace datagen {

namespace {

struct PictureKind {
  const char* name;
  Painter paint;
};

constexpr PictureKind kKinds[] = {
    {"sun", paintSun},       {"cratered", paintCratered}, {"clouds", paintClouds}, {"earth", paintEarth},
    {"mars", paintMars},     {"banded", paintBanded},     {"pluto", paintPluto},   {"ring", paintRing},
    {"stars", paintStars},   {"milkyway", paintMilkyWay},
};

bool endsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

bool paintPicture(Recipe& recipe, Picture& picture, std::string& error) {
  const PictureKind* kind = nullptr;
  for (const PictureKind& candidate : kKinds)
    if (recipe.kind == candidate.name) kind = &candidate;
  if (kind == nullptr) {
    error = "unknown picture kind \"" + recipe.kind + "\"";
    return false;
  }
  PaintJob job;
  if (!recipe.settings.size("size", job.width, job.height)) return recipe.settings.finish(error);
  job.seed = recipe.settings.seed();
  picture = Picture(job.width, job.height);
  kind->paint(job, recipe.settings, picture);
  return recipe.settings.finish(error);
}

bool makePictureFile(Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error) {
  bool jpeg = endsWith(recipe.name, ".jpg"), tga = endsWith(recipe.name, ".tga");
  if (!jpeg && !tga) {
    error = "a picture's name must end in .jpg or .tga";
    return false;
  }
  int quality = jpeg ? recipe.settings.integer("quality", 88, 1, 100) : 0;
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
