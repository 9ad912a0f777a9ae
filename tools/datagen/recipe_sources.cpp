// Makes the pictures and meshes other recipes name.
#include "recipe_sources.h"

#include <filesystem>
#include <vector>

#include "mesh_recipes.h"
#include "param_file.h"
#include "picture_recipes.h"

namespace datagen {

namespace {

bool findRecipe(const std::string& file, const std::string& name, Recipe& found, std::string& error) {
  if (file.empty()) {
    error = "\"" + name + "\" cannot be found: the recipe was not read from a file";
    return false;
  }
  std::vector<Recipe> recipes;
  if (!readRecipeFile(file, recipes, error)) return false;
  for (Recipe& recipe : recipes) {
    if (recipe.name == name) {
      found = recipe;
      return true;
    }
  }
  error = file + " has no recipe \"" + name + "\"";
  return false;
}

}  // namespace

bool RecipeSources::picture(const std::string& name, int width, int height, Picture& picture,
                            std::string& error) const {
  Recipe recipe;
  if (!findRecipe(recipeFile_, name, recipe, error)) return false;
  if (!paintSourcePicture(recipe, width, height, picture, error)) {
    error = name + ": " + error;
    return false;
  }
  return true;
}

bool RecipeSources::mesh(const std::string& file, const std::string& name, Mesh& mesh, std::string& error) const {
  // A plain file name only: the mesh recipes sit beside the picture recipes.
  if (file.empty() || file.find('/') != std::string::npos || file[0] == '.') {
    error = "\"" + file + "\" is not a recipe file name";
    return false;
  }
  std::string path = recipeFile_.empty() ? std::string()
                                         : (std::filesystem::path(recipeFile_).parent_path() / file).string();
  Recipe recipe;
  if (!findRecipe(path, name, recipe, error)) return false;
  if (!buildMesh(recipe, mesh, error)) {
    error = name + ": " + error;
    return false;
  }
  return true;
}

namespace {

bool refuseNested(const PaintJob& job, Settings& settings, const std::string& name) {
  if (job.sources != nullptr) return false;
  settings.fail("\"" + name + "\" cannot be drawn on by a picture that is itself drawn on");
  return true;
}

}  // namespace

bool sourcePicture(const PaintJob& job, Settings& settings, const std::string& name, Picture& picture, int width,
                   int height) {
  if (refuseNested(job, settings, name)) return false;
  std::string error;
  if (job.sources->picture(name, width, height, picture, error)) return true;
  settings.fail(error);
  return false;
}

bool sourceMesh(const PaintJob& job, Settings& settings, const std::string& file, const std::string& name,
                Mesh& mesh) {
  if (refuseNested(job, settings, name)) return false;
  std::string error;
  if (job.sources->mesh(file, name, mesh, error)) return true;
  settings.fail(error);
  return false;
}

}  // namespace datagen
