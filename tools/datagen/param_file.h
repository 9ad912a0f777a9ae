// Generator parameter files: the recipes of every mesh and picture of the
// data archive, kept in data/generate/.
//
// One recipe per line, words separated by blanks:
//
//   NAME KIND key=value key=value ...
//
// NAME is the file to write: a path inside the output folder, its folders
// separated by '/' (sign/earth.jpg). KIND selects the generator, and the
// key=value settings tune it. Values are numbers (12, -0.5), sizes (1024x512),
// colours (RRGGBB in hex) or comma-separated lists of these; a key that a
// kind allows more than once (such as a gas giant's spot) is simply repeated.
// Blank lines and lines whose first non-blank character is '#' are ignored.
// Every key a recipe gives must be one its kind knows, and every value must
// parse: a typo is an error, not a silently ignored setting.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "colour.h"

namespace datagen {

// The settings of one recipe. Reading a key marks it used; finish() then
// reports the first bad value, or a key that nothing read.
class Settings {
 public:
  Settings() = default;
  explicit Settings(std::vector<std::pair<std::string, std::string>> pairs);

  double number(const std::string& key, double fallback);
  // An integer within [low, high].
  int integer(const std::string& key, int fallback, int low, int high);
  // The recipe's "seed", 0 when it gives none.
  std::uint64_t seed();
  // The value as written: names of other recipes.
  std::string text(const std::string& key, const std::string& fallback);
  Colour colour(const std::string& key, Colour fallback);
  std::vector<Colour> colours(const std::string& key, std::vector<Colour> fallback);
  std::vector<double> numbers(const std::string& key, std::vector<double> fallback);
  // Width and height written WxH, each a power of two from 1 to 8192.
  bool size(const std::string& key, int& width, int& height);
  // Every value given for a key that may repeat, in file order.
  std::vector<std::string> repeated(const std::string& key);

  // Records a problem found while interpreting a value.
  void fail(const std::string& message);
  bool finish(std::string& error) const;

 private:
  const std::string* single(const std::string& key);

  std::vector<std::pair<std::string, std::string>> pairs_;
  std::vector<bool> used_;
  std::string error_;
};

struct Recipe {
  std::string name;
  std::string kind;
  Settings settings;
  int line = 0;
  std::string source;  // the recipe file it was read from; empty when parsed from text
};

// Parses the whole text of a parameter file.
bool parseRecipes(const std::string& text, std::vector<Recipe>& recipes, std::string& error);
bool readRecipeFile(const std::string& path, std::vector<Recipe>& recipes, std::string& error);

// Value parsers, also used for the parts of compound values.
bool parseNumber(const std::string& text, double& value);
bool parseColour(const std::string& text, Colour& colour);
std::vector<std::string> splitList(const std::string& text, char separator);

}  // namespace datagen
