// The picture generator: every kind paints and encodes deterministically,
// pictures decode at their size the right way up, sphere pictures have no
// seam, and the ring's alpha follows its radial profile.
#include <cmath>

#include <gtest/gtest.h>

#include "image_encoders.h"
#include "picture_recipes.h"
#include "tools/jpeg_reader.h"

namespace {

std::vector<datagen::Recipe> smallRecipes() {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(VT_SOURCE_DIR "/tests/tools/fixtures/small_pictures.txt", recipes, error))
      << error;
  return recipes;
}

datagen::Picture paint(const std::string& name) {
  for (datagen::Recipe& recipe : smallRecipes()) {
    if (recipe.name != name) continue;
    datagen::Picture picture;
    std::string error;
    EXPECT_TRUE(datagen::paintPicture(recipe, picture, error)) << error;
    return picture;
  }
  ADD_FAILURE() << "no recipe " << name;
  return {};
}

double difference(const datagen::Colour& a, const datagen::Colour& b) {
  return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
}

}  // namespace

namespace {

// Makes the recipe's file twice: the same bytes, decoding at the recipe's
// size in the format its name asks for.
void expectSameBytesAtItsSize(datagen::Recipe& recipe) {
  SCOPED_TRACE(recipe.name);
  datagen::Recipe again = recipe;
  std::vector<std::uint8_t> first, second;
  std::string error;
  ASSERT_TRUE(datagen::makePictureFile(recipe, first, error)) << error;
  ASSERT_TRUE(datagen::makePictureFile(again, second, error)) << error;
  EXPECT_EQ(first, second);
  int width = 0, height = 0;
  recipe.settings.size("size", width, height);
  if (recipe.name.find(".tga") != std::string::npos) {
    ASSERT_EQ(first.size(), 18u + 4u * width * height);
    const std::uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(width), 0,
                                     static_cast<std::uint8_t>(height), 0, 32, 8};
    EXPECT_TRUE(std::equal(header, header + 18, first.begin()));
  } else {
    DecodedJpeg image;
    ASSERT_TRUE(decodeJpegBytes(first, image));
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.components, 3);
  }
}

}  // namespace

TEST(Pictures, EveryKindEncodesTheSameBytesEachTimeAndDecodesAtItsSize) {
  auto recipes = smallRecipes();
  ASSERT_EQ(recipes.size(), 10u);
  for (datagen::Recipe& recipe : recipes) expectSameBytesAtItsSize(recipe);
  std::vector<datagen::Recipe> views;
  std::string error;
  ASSERT_TRUE(datagen::readRecipeFile(VT_SOURCE_DIR "/tests/tools/fixtures/small_views.txt", views, error)) << error;
  ASSERT_EQ(views.size(), 19u);
  for (datagen::Recipe& recipe : views) expectSameBytesAtItsSize(recipe);
}

TEST(Pictures, SpherePicturesMeetThemselvesAtTheSeam) {
  for (const char* name : {"sun.jpg", "rock.jpg", "clouds.jpg", "earth.jpg", "mars.jpg", "banded.jpg", "pluto.jpg",
                           "milkyway.jpg"}) {
    SCOPED_TRACE(name);
    datagen::Picture picture = paint(name);
    // The step from the last column back to the first is no larger than the
    // typical step between neighbouring columns.
    double seam = 0, inside = 0;
    for (int y = 0; y < picture.height; ++y) {
      seam += difference(picture.at(picture.width - 1, y), picture.at(0, y));
      for (int x = 0; x + 1 < picture.width; ++x) inside += difference(picture.at(x, y), picture.at(x + 1, y));
    }
    inside /= picture.width - 1;
    EXPECT_LT(seam, 2.0 * inside + 1e-3);
  }
}

TEST(Pictures, RingAlphaFollowsTheRadialProfile) {
  datagen::Picture ring = paint("ring.tga");
  ASSERT_EQ(ring.width, 64);
  // Radius in km of texel (x, 32) on the horizontal through the centre.
  auto alphaAtKm = [&](double km) {
    int x = 32 + static_cast<int>(km / 140000.0 * 32);
    return ring.at(x, 32).a;
  };
  EXPECT_EQ(ring.at(32, 32).a, 0.0f);  // the planet's place
  EXPECT_EQ(ring.at(0, 0).a, 0.0f);    // beyond the outer edge
  EXPECT_EQ(alphaAtKm(50000), 0.0f);
  EXPECT_GT(alphaAtKm(104000), 0.6f);
  EXPECT_EQ(alphaAtKm(120000), 0.0f);  // the gap
  EXPECT_GT(alphaAtKm(130000), 0.35f);
  // Rings are round: the same radius has the same alpha in every direction.
  EXPECT_FLOAT_EQ(ring.at(32 + 23, 32).a, ring.at(32, 32 + 23).a);
  // Colour is kept where alpha is 0, so filtering does not darken edges.
  EXPECT_GT(ring.at(32 + 27, 32).r, 0.2f);
}

TEST(PictureEncoders, WriteTheTopRowWhereTheSaverExpectsIt) {
  datagen::Picture picture(8, 8);
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) picture.at(x, y) = y < 4 ? datagen::Colour{1, 0, 0, 1} : datagen::Colour{0, 0, 1, 0.5f};
  }
  // JPEG: the first scanline is the top row (the saver flips it to the top).
  std::vector<std::uint8_t> jpeg;
  std::string error;
  ASSERT_TRUE(datagen::encodeJpeg(picture, 95, 1, jpeg, error)) << error;
  DecodedJpeg image;
  ASSERT_TRUE(decodeJpegBytes(jpeg, image));
  EXPECT_GT(image.pixels[0], 200);  // red on top
  EXPECT_LT(image.pixels[2], 60);
  std::size_t last = image.pixels.size() - 3;
  EXPECT_LT(image.pixels[last], 60);  // blue at the bottom
  EXPECT_GT(image.pixels[last + 2], 200);
  // TGA: the saver takes rows in file order as the bottom row first, pixels
  // stored B, G, R, A.
  std::vector<std::uint8_t> tga = datagen::encodeTga(picture, 1);
  ASSERT_EQ(tga.size(), 18u + 8 * 8 * 4);
  const std::uint8_t firstPixel[4] = {255, 0, 0, 128};
  EXPECT_TRUE(std::equal(firstPixel, firstPixel + 4, tga.begin() + 18));
  const std::uint8_t lastPixel[4] = {0, 0, 255, 255};
  EXPECT_TRUE(std::equal(lastPixel, lastPixel + 4, tga.end() - 4));
}

TEST(PictureRecipes, RejectUnknownKindsBadNamesAndSettings) {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  ASSERT_TRUE(datagen::parseRecipes(
      "a.jpg comet size=8x8\nb.png sun size=8x8\nc.jpg sun size=8x8 quality=101\nd.jpg sun\n"
      "e.tga ring size=16x8 stop=1/1/ffffff stop=2/1/ffffff\nf.jpg banded size=8x8 storm=1/2/3\n",
      recipes, error));
  const char* messages[] = {"unknown picture kind \"comet\"", "a picture's name must end in .jpg or .tga",
                            "\"quality\" needs a whole number from 1 to 100, not \"101\"", "\"size\" is missing",
                            "a ring picture must be square",
                            "\"storm\" needs LAT/LON/WIDTH/HEIGHT/RRGGBB, not \"1/2/3\""};
  for (std::size_t i = 0; i < recipes.size(); ++i) {
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(datagen::makePictureFile(recipes[i], bytes, error)) << recipes[i].name;
    EXPECT_EQ(error, messages[i]);
  }
}
