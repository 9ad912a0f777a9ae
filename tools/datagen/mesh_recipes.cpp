// Turns mesh recipes into meshes.
#include "mesh_recipes.h"

#include "asteroid.h"
#include "flat_square.h"
#include "probe.h"
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
  if (recipe.kind == "probe") {
    ProbeShape shape;
    shape.segments = settings.integer("segments", shape.segments, 6, 64);
    shape.dishRadius = settings.number("dish_radius", shape.dishRadius);
    shape.panelSpan = settings.number("panel_span", shape.panelSpan);
    if (shape.dishRadius <= 0.1 || shape.dishRadius > 2 || shape.panelSpan <= 0.1 || shape.panelSpan > 5)
      settings.fail("\"dish_radius\" needs 0.1 < r <= 2 and \"panel_span\" 0.1 < s <= 5");
    if (!settings.finish(error)) return false;
    mesh = buildProbe(shape);
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
