// Turns mesh recipes into meshes.
#include "mesh_recipes.h"

#include "asteroid.h"
#include "flat_square.h"
#include "uv_sphere.h"

namespace datagen {

bool buildMesh(Recipe& recipe, Mesh& mesh, std::string& error) {
  Settings& settings = recipe.settings;
  if (recipe.kind == "sphere") {
    int segments = settings.integer("segments", 64, 3, 1024);
    int rings = settings.integer("rings", 32, 2, 512);
    if (!settings.finish(error)) return false;
    mesh = buildUvSphere(segments, rings);
    return true;
  }
  if (recipe.kind == "asteroid") {
    AsteroidShape shape;
    shape.level = settings.integer("level", shape.level, 0, 5);
    shape.seed = settings.seed();
    std::vector<double> stretch = settings.numbers("stretch", {1, 1, 1});
    if (stretch.size() != 3 || stretch[0] <= 0 || stretch[1] <= 0 || stretch[2] <= 0)
      settings.fail("\"stretch\" needs three positive numbers");
    else
      shape.stretch = {stretch[0], stretch[1], stretch[2]};
    shape.lumps = settings.number("lumps", shape.lumps);
    shape.roughness = settings.number("roughness", shape.roughness);
    shape.craters = settings.integer("craters", shape.craters, 0, 64);
    shape.craterDepth = settings.number("crater_depth", shape.craterDepth);
    if (!settings.finish(error)) return false;
    mesh = buildAsteroid(shape);
    return true;
  }
  if (recipe.kind == "square") {
    if (!settings.finish(error)) return false;
    mesh = buildFlatSquare();
    return true;
  }
  error = "unknown mesh kind \"" + recipe.kind + "\"";
  return false;
}

}  // namespace datagen
