// Runs a generator over the recipes named on its command line.
#include "generator_main.h"

#include <cstdio>

#include "output_file.h"

namespace datagen {

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int complain(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return kFailed;
}

}  // namespace

int runGenerator(int argc, char** argv, RecipeMaker make) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RECIPES OUTDIR [NAME...]\n", argc > 0 ? argv[0] : "generator");
    return kUsage;
  }
  std::vector<Recipe> recipes;
  std::string error;
  if (!readRecipeFile(argv[1], recipes, error)) return complain(error);
  std::vector<Recipe*> chosen;
  for (int i = 3; i < argc; ++i) {
    Recipe* found = nullptr;
    for (Recipe& recipe : recipes)
      if (recipe.name == argv[i]) found = &recipe;
    if (found == nullptr) return complain(std::string(argv[1]) + ": no recipe for " + argv[i]);
    chosen.push_back(found);
  }
  if (argc == 3)
    for (Recipe& recipe : recipes) chosen.push_back(&recipe);

  std::string outputDir = argv[2];
  for (Recipe* recipe : chosen) {
    std::vector<std::uint8_t> bytes;
    if (!make(*recipe, bytes, error)) {
      return complain(std::string(argv[1]) + ":" + std::to_string(recipe->line) + ": " + recipe->name + ": " + error);
    }
    std::string path = outputDir + "/" + recipe->name;
    if (!makeParentFolders(path, error) || !writeOutputFile(path, bytes, error)) return complain(error);
  }
  return 0;
}

}  // namespace datagen
