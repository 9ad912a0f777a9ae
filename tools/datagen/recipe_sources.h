// The other recipes a painter may draw on: pictures of the recipe file its
// own recipe comes from (the maps a rendered view shows), and meshes of a
// mesh recipe file in the same folder (the asteroids of a view). Each is
// made afresh in memory from its recipe, exactly as its own generator run
// would make it, so a view always shows the current pictures and meshes.
#pragma once

#include <string>

#include "mesh.h"
#include "painters.h"
#include "picture.h"

namespace datagen {

class RecipeSources {
 public:
  // recipeFile: the file the drawing recipe was read from; empty when it
  // was parsed from text, which leaves nothing to draw on.
  explicit RecipeSources(std::string recipeFile) : recipeFile_(std::move(recipeFile)) {}

  // Paints the picture recipe `name` of the same file, at its own size or,
  // when width and height are given (not 0), at that size. Pictures that
  // draw on other recipes themselves are refused.
  bool picture(const std::string& name, int width, int height, Picture& picture, std::string& error) const;

  // Builds the mesh recipe `name` of the mesh recipe file `file`, a file
  // name in the same folder as the drawing recipe's file.
  bool mesh(const std::string& file, const std::string& name, Mesh& mesh, std::string& error) const;

 private:
  std::string recipeFile_;
};

// For painters: the picture `name` from the job's sources (at width x height
// when given), or false with the problem recorded in the settings.
bool sourcePicture(const PaintJob& job, Settings& settings, const std::string& name, Picture& picture,
                   int width = 0, int height = 0);

// For painters: the mesh `name` of the mesh recipe file `file`, or false
// with the problem recorded in the settings.
bool sourceMesh(const PaintJob& job, Settings& settings, const std::string& file, const std::string& name,
                Mesh& mesh);

}  // namespace datagen
