// Recipe files: line grammar, typed settings and the errors a typo causes.
#include "param_file.h"

#include <gtest/gtest.h>

using datagen::Colour;
using datagen::Recipe;
using datagen::Settings;

namespace {

std::vector<Recipe> parseOk(const std::string& text) {
  std::vector<Recipe> recipes;
  std::string error;
  EXPECT_TRUE(datagen::parseRecipes(text, recipes, error)) << error;
  return recipes;
}

std::string parseError(const std::string& text) {
  std::vector<Recipe> recipes;
  std::string error;
  EXPECT_FALSE(datagen::parseRecipes(text, recipes, error));
  return error;
}

}  // namespace

TEST(RecipeFile, ReadsNameKindAndSettingsSkippingCommentsAndBlankLines) {
  auto recipes = parseOk("# a comment\n\n   \n  earth.jpg earth size=64x32 seed=4\r\n  # indented comment\nring.tga ring\n");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].name, "earth.jpg");
  EXPECT_EQ(recipes[0].kind, "earth");
  EXPECT_EQ(recipes[0].line, 4);
  EXPECT_EQ(recipes[1].name, "ring.tga");
  int width = 0, height = 0;
  EXPECT_TRUE(recipes[0].settings.size("size", width, height));
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(recipes[0].settings.seed(), 4u);
  std::string error;
  EXPECT_TRUE(recipes[0].settings.finish(error)) << error;
}

TEST(RecipeFile, RejectsMalformedLinesWithTheLineNumber) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"ok.jpg sun\nlonely.jpg\n", "line 2: a recipe needs a name and a kind"},
      {"a.jpg sun size=8x8 seed\n", "line 1: \"seed\" is not key=value"},
      {"a.jpg sun =5\n", "line 1: \"=5\" is not key=value"},
      {"a.jpg sun\nb.jpg sun\na.jpg moon\n", "line 3: \"a.jpg\" is already made on line 1"},
      {"../escape.jpg sun\n", "line 1: \"../escape.jpg\" is not a plain file name"},
      {"sub/../up.jpg sun\n", "line 1: \"sub/../up.jpg\" is not a plain file name"},
      {"/root.jpg sun\n", "line 1: \"/root.jpg\" is not a plain file name"},
      {"sub//twice.jpg sun\n", "line 1: \"sub//twice.jpg\" is not a plain file name"},
      {"sub/.hidden.jpg sun\n", "line 1: \"sub/.hidden.jpg\" is not a plain file name"},
      {"sub/ sun\n", "line 1: \"sub/\" is not a plain file name"},
      {"sub\\dir.jpg sun\n", "line 1: \"sub\\dir.jpg\" is not a plain file name"},
  };
  for (const Case& c : cases) EXPECT_EQ(parseError(c.text), c.message) << c.text;
}

TEST(RecipeFile, NamesMayLeadIntoFoldersOfTheOutputFolder) {
  auto recipes = parseOk("sign/earth.jpg globe size=8x8\nsign/moon.jpg globe size=8x8\n");
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].name, "sign/earth.jpg");
  EXPECT_EQ(parseError("sign/earth.jpg globe\nsign/earth.jpg star\n"),
            "line 2: \"sign/earth.jpg\" is already made on line 1");
}

TEST(RecipeFile, RecipesReadFromAFileKnowIt) {
  std::vector<Recipe> recipes;
  std::string error;
  const std::string path = VT_SOURCE_DIR "/tests/tools/fixtures/small_meshes.txt";
  ASSERT_TRUE(datagen::readRecipeFile(path, recipes, error)) << error;
  ASSERT_FALSE(recipes.empty());
  EXPECT_EQ(recipes[0].source, path);
  EXPECT_EQ(parseOk("a.jpg sun\n")[0].source, "");
}

TEST(RecipeSettings, ParsesTypedValuesAndFallsBackWhenAbsent) {
  Settings s({{"n", "-2.5"}, {"i", "7"}, {"c", "ff8000"}, {"list", "000000,FFFFFF"}, {"nums", "1,2.5,-3"},
              {"storm", "a"}, {"storm", "b"}});
  EXPECT_DOUBLE_EQ(s.number("n", 0), -2.5);
  EXPECT_DOUBLE_EQ(s.number("missing", 9), 9);
  EXPECT_EQ(s.integer("i", 0, 0, 10), 7);
  Colour c = s.colour("c", {});
  EXPECT_FLOAT_EQ(c.r, 1.0f);
  EXPECT_NEAR(c.g, 128 / 255.0, 1e-6);
  EXPECT_FLOAT_EQ(c.b, 0.0f);
  auto list = s.colours("list", {});
  ASSERT_EQ(list.size(), 2u);
  EXPECT_FLOAT_EQ(list[1].g, 1.0f);
  EXPECT_EQ(s.numbers("nums", {}), (std::vector<double>{1, 2.5, -3}));
  EXPECT_EQ(s.repeated("storm"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(s.text("c", ""), "ff8000");
  EXPECT_EQ(s.text("absent", "fallback"), "fallback");
  std::string error;
  EXPECT_TRUE(s.finish(error)) << error;
}

TEST(RecipeSettings, ReportsTheFirstBadValueOrUnusedKey) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> pairs;
    const char* message;
  } cases[] = {
      {{{"n", "12x"}}, "\"n\" needs a number, not \"12x\""},
      {{{"n", "nan"}}, "\"n\" needs a number, not \"nan\""},
      {{{"i", "11"}}, "\"i\" needs a whole number from 0 to 10, not \"11\""},
      {{{"i", "2.5"}}, "\"i\" needs a whole number from 0 to 10, not \"2.5\""},
      {{{"c", "12345"}}, "\"c\" needs a colour RRGGBB, not \"12345\""},
      {{{"c", "12345g"}}, "\"c\" needs a colour RRGGBB, not \"12345g\""},
      {{{"size", "100x64"}}, "\"size\" needs WIDTHxHEIGHT in powers of two up to 8192, not \"100x64\""},
      {{{"size", "16384x64"}}, "\"size\" needs WIDTHxHEIGHT in powers of two up to 8192, not \"16384x64\""},
      {{{"n", "1"}, {"n", "2"}}, "\"n\" is given twice"},
      {{{"colour", "ffffff"}}, "unknown setting \"colour\""},
  };
  for (const Case& c : cases) {
    Settings s(c.pairs);
    s.number("n", 0);
    s.integer("i", 0, 0, 10);
    s.colour("c", {});
    int w = 0, h = 0;
    if (c.pairs[0].first == "size") s.size("size", w, h);
    std::string error;
    EXPECT_FALSE(s.finish(error));
    EXPECT_EQ(error, c.message);
  }
}
