// The rendered views of the sign pictures: globes turned as asked and seen
// unmirrored, rays meeting spheres, rings and meshes where they should,
// and views drawing on the other recipes of their file.
#include <cmath>

#include <gtest/gtest.h>

#include "flat_square.h"
#include "globe.h"
#include "picture_recipes.h"
#include "recipe_sources.h"
#include "view_settings.h"

namespace {

const std::string kViews = VT_SOURCE_DIR "/tests/tools/fixtures/small_views.txt";

// A map whose colour tells the longitude (red east of 0 up to 180, blue
// beyond) and the hemisphere (green in the north).
datagen::Picture quarterMap() {
  datagen::Picture map(64, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x)
      map.at(x, y) = {x < 32 ? 1.0f : 0.0f, y < 16 ? 1.0f : 0.0f, x < 32 ? 0.0f : 1.0f, 1};
  return map;
}

datagen::Vec3 onSphere(double x, double y) { return {x, y, std::sqrt(std::fmax(0.0, 1 - x * x - y * y))}; }

bool reddish(const datagen::Colour& c) { return c.r > 0.9f && c.b < 0.1f; }
bool bluish(const datagen::Colour& c) { return c.b > 0.9f && c.r < 0.1f; }

datagen::Recipe viewRecipe(const std::string& name) {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(kViews, recipes, error)) << error;
  for (datagen::Recipe& recipe : recipes)
    if (recipe.name == name) return recipe;
  ADD_FAILURE() << "no recipe " << name;
  return {};
}

}  // namespace

TEST(Globes, ShowTheFacingLongitudeWithEastToTheRightAndNorthUp) {
  datagen::Picture map = quarterMap();
  datagen::Globe globe;
  globe.map = &map;
  datagen::orientGlobe(globe, 0, 0, 170);
  // Longitude 170 in the middle; a little east of it (to the right) lies
  // past 180, a little west still before it.
  EXPECT_TRUE(reddish(globe.surface(onSphere(0, 0))));
  EXPECT_TRUE(bluish(globe.surface(onSphere(0.4, 0))));
  EXPECT_TRUE(reddish(globe.surface(onSphere(-0.4, 0))));
  EXPECT_GT(globe.surface(onSphere(0, 0.5)).g, 0.9f);
  EXPECT_LT(globe.surface(onSphere(0, -0.5)).g, 0.1f);

  // Leaning the pole toward the viewer shows the north at the middle; a
  // tilt of 90 degrees lays the pole to the right.
  datagen::orientGlobe(globe, 0, 60, 0);
  EXPECT_GT(globe.surface(onSphere(0, 0)).g, 0.9f);
  datagen::orientGlobe(globe, 90, 0, 0);
  EXPECT_NEAR(globe.north.x, 1, 1e-9);
  EXPECT_GT(globe.surface(onSphere(0.5, 0)).g, 0.9f);
  EXPECT_LT(globe.surface(onSphere(-0.5, 0)).g, 0.1f);
  // The axes stay a right-handed frame.
  EXPECT_NEAR(datagen::length(datagen::cross(globe.north, globe.east0) - globe.east90), 0, 1e-9);
}

TEST(Rays, MeetSpheresPlanesAndMeshesWhereTheyAre) {
  datagen::Ray ray{{0, 0, 10}, {0, 0, -1}};
  double t = 0;
  ASSERT_TRUE(datagen::hitSphere(ray, {0, 0, 0}, 2, t));
  EXPECT_DOUBLE_EQ(t, 8);
  EXPECT_FALSE(datagen::hitSphere(ray, {3, 0, 0}, 2, t));
  EXPECT_FALSE(datagen::hitSphere({{0, 0, 10}, {0, 0, 1}}, {0, 0, 0}, 2, t));  // behind
  ASSERT_TRUE(datagen::hitSphere({{0, 0, 0}, {0, 0, 1}}, {0, 0, 0}, 2, t));    // from inside
  EXPECT_DOUBLE_EQ(t, 2);
  EXPECT_DOUBLE_EQ(datagen::rayDistance(ray, {3, 4, 0}, t), 5);
  EXPECT_DOUBLE_EQ(t, 10);
  ASSERT_TRUE(datagen::hitPlane(ray, {0, 0, 1}, {0, 0, 1}, t));
  EXPECT_DOUBLE_EQ(t, 9);

  // The flat square of side 2 scaled by 3 and stood up to face the camera.
  datagen::Mesh square = datagen::buildFlatSquare();
  datagen::PlacedMesh placed;
  placed.mesh = &square;
  placed.position = {1, 0, 0};
  placed.scale = 3;
  datagen::MeshHit hit;
  ASSERT_TRUE(datagen::hitMesh({{2.5, 1.5, 10}, {0, 0, -1}}, placed, hit));
  EXPECT_NEAR(hit.t, 10, 1e-9);
  EXPECT_NEAR(hit.u, 0.75, 1e-6);  // (1.5, 1.5) of the scaled square's corner at 3
  EXPECT_NEAR(hit.v, 0.75, 1e-6);
  EXPECT_NEAR(std::fabs(hit.normal.z), 1, 1e-6);
  EXPECT_FALSE(datagen::hitMesh({{4.5, 0, 10}, {0, 0, -1}}, placed, hit));
  // Turned a quarter about y, the square is seen edge-on and missed.
  datagen::rotationAbout({0, 1, 0}, 90, placed.rotation);
  EXPECT_FALSE(datagen::hitMesh({{2.5, 1.5, 10}, {0, 0, -1}}, placed, hit));
}

TEST(Rings, LieInTheEquatorAndShadeWhatTheyCover) {
  datagen::Picture ring(8, 8);
  for (datagen::Colour& c : ring.pixels) c = {1, 1, 1, 0.5f};
  datagen::Globe globe;
  globe.radius = 1;
  datagen::orientGlobe(globe, 0, 90, 0);  // pole toward the viewer: rings face-on
  datagen::RingDisc disc{&globe, &ring, 2};
  double t = 0;
  datagen::Colour c;
  ASSERT_TRUE(disc.hit({{1.5, 0, 10}, {0, 0, -1}}, t, c));
  EXPECT_NEAR(t, 10, 1e-9);
  EXPECT_FLOAT_EQ(c.a, 0.5f);
  EXPECT_FALSE(disc.hit({{2.5, 0, 10}, {0, 0, -1}}, t, c));  // beyond the picture's edge
  EXPECT_DOUBLE_EQ(disc.shade({1.5, 0, -1}, {0, 0, 1}), 0.5);
  EXPECT_DOUBLE_EQ(disc.shade({1.5, 0, -1}, {1, 0, 0}), 0);  // light along the plane
}

TEST(Views, DrawOnTheMapsAndMeshesOfTheirRecipeFiles) {
  for (const char* name : {"globe.jpg", "ringed.jpg", "star.jpg", "rocks.jpg", "system.jpg"}) {
    SCOPED_TRACE(name);
    datagen::Recipe recipe = viewRecipe(name);
    datagen::Picture picture;
    std::string error;
    ASSERT_TRUE(datagen::paintPicture(recipe, picture, error)) << error;
    // Something bright in the middle, black all round the edge.
    double middle = 0, edge = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const datagen::Colour& p = picture.at(x, y);
        double light = p.r + p.g + p.b;
        bool onEdge = x == 0 || y == 0 || x == picture.width - 1 || y == picture.height - 1;
        if (onEdge) edge = std::fmax(edge, light);
        if (std::abs(2 * x + 1 - picture.width) < picture.width / 3 && std::abs(2 * y + 1 - picture.height) < picture.height / 3)
          middle = std::fmax(middle, light);
      }
    }
    EXPECT_GT(middle, 0.5);
    EXPECT_LT(edge, 0.01);
  }
}

TEST(Views, ReportMissingOrNestedSourcesAndRecipesWithoutAFile) {
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"v.jpg globe size=8x8 map=nothing.jpg", kViews + " has no recipe \"nothing.jpg\""},
      {"v.jpg globe size=8x8 map=globe.jpg",
       "globe.jpg: \"rock.jpg\" cannot be drawn on by a picture that is itself drawn on"},
      {"v.jpg globe size=8x8", "\"map\" is missing"},
      {"v.jpg asteroids size=8x8 map=rock.jpg meshes=../meshes.txt rock=lump.dat/0/0/0/1/0",
       "\"../meshes.txt\" is not a recipe file name"},
      {"v.jpg asteroids size=8x8 map=rock.jpg meshes=small_meshes.txt rock=lump.dat/0/0/0/-1/0",
       "\"rock\" needs MESH/X/Y/Z/SIZE/TURN with a positive size, not \"lump.dat/0/0/0/-1/0\""},
      {"v.jpg orrery size=8x8 sun=sun.jpg planet=rock.jpg/0.5/0.1", 
       "\"planet\" needs MAP/ORBIT/RADIUS/ANGLE[/RINGS] with positive sizes, not \"rock.jpg/0.5/0.1\""},
  };
  for (const Case& c : cases) {
    std::vector<datagen::Recipe> recipes;
    std::string error;
    ASSERT_TRUE(datagen::parseRecipes(c.text, recipes, error)) << error;
    recipes[0].source = kViews;
    datagen::Picture picture;
    EXPECT_FALSE(datagen::paintPicture(recipes[0], picture, error)) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
  }
  std::vector<datagen::Recipe> loose;
  std::string error;
  ASSERT_TRUE(datagen::parseRecipes("v.jpg globe size=8x8 map=rock.jpg", loose, error));
  datagen::Picture picture;
  EXPECT_FALSE(datagen::paintPicture(loose[0], picture, error));
  EXPECT_EQ(error, "\"rock.jpg\" cannot be found: the recipe was not read from a file");
}

TEST(RecipeSources, PaintAnotherRecipeAtItsOwnOrAGivenSize) {
  datagen::RecipeSources sources(kViews);
  datagen::Picture own, small;
  std::string error;
  ASSERT_TRUE(sources.picture("rock.jpg", 0, 0, own, error)) << error;
  EXPECT_EQ(own.width, 64);
  EXPECT_EQ(own.height, 32);
  ASSERT_TRUE(sources.picture("rock.jpg", 16, 8, small, error)) << error;
  EXPECT_EQ(small.width, 16);
  EXPECT_EQ(small.height, 8);
  datagen::Mesh mesh;
  ASSERT_TRUE(sources.mesh("small_meshes.txt", "lump.dat", mesh, error)) << error;
  EXPECT_EQ(mesh.vertexIndices.size(), 80u);  // an icosphere of level 1
  EXPECT_FALSE(sources.mesh("small_meshes.txt", "none.dat", mesh, error));
}
