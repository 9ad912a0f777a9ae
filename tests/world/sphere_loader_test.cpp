// The sphere block of world files: keywords, loader state across spheres and
// files, the detail filter, and blocks that are short or hostile.
#include <cmath>
#include <string>

#include "sphere_test_support.h"

namespace sphere_test {
namespace {

void expectVector(Vector3 actual, Vector3 expected, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

std::string sphereBlock(const std::string& name, const std::string& keywordLines) {
  return "sphere\nbegin " + name + "\n" + keywordLines + "end\n";
}

using SphereLoaderTest = SphereTest;

TEST_F(SphereLoaderTest, OneBlockGivesOneNamedSphereAndOneProgressMessage) {
  readWorldFiles({"sphere\nbegin earth\nradius 5\nend\nENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_STREQ(sphereAt(0).name, "earth");
  EXPECT_EQ(progressMessages(), 1);
}

struct PositionCase {
  const char* lines;
  Vector3 stored;
  bool orbits;
};

TEST_F(SphereLoaderTest, PositionIsShiftedWhileTheSphereStillOrbits) {
  const PositionCase cases[] = {
      {"position V(5000 0 0)\n", {3000, 0, 0}, true},
      {"orbit\nposition V(5000 0 0)\n", {5000, 0, 0}, false},
      {"position V(5000 0 0)\norbit\n", {3000, 0, 0}, false},
  };
  std::string file;
  for (const PositionCase& c : cases) file += sphereBlock("body", c.lines);
  readWorldFiles({file + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 3u);

  sceneClock = 73.0f;
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(cases[i].lines);
    Sphere& sphere = sphereAt(i);
    expectVector(sphere.basePosition, cases[i].stored);
    expectVector(sphere.position, cases[i].stored);
    EXPECT_EQ(sphere.orbit, cases[i].orbits);
    sphere.update(0.0);
    if (cases[i].orbits) {
      EXPECT_GT(std::fabs(sphere.position.z), 100.0f);
    } else {
      expectVector(sphere.position, cases[i].stored);
    }
  }
}

TEST_F(SphereLoaderTest, MoonSpeedsShrinkWithinAFileAndStartAgainInTheNext) {
  const std::string moons = sphereBlock("a", "moon\n") + sphereBlock("b", "moon\n") + "sphere\nbegin\nend\n" +
                            sphereBlock("c", "moon\n") + "ENDWORLD\n";
  readWorldFiles({moons, sphereBlock("d", "moon\n") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 5u);
  const float expected[] = {2.0f, 1.5f, 0.5f, 1.125f, 2.0f};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(sphereAt(i).moonSpeed, expected[i]) << i;
  EXPECT_FALSE(sphereAt(2).moon);
  EXPECT_TRUE(sphereAt(4).moon);
}

TEST_F(SphereLoaderTest, FlashingSpheresOfAFileStartAQuarterSecondApart) {
  std::string file;
  for (int i = 0; i < 5; ++i) file += sphereBlock("f" + std::to_string(i), "flash\n");
  readWorldFiles({file + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 5u);
  const bool on[] = {true, true, false, false, false};
  const float elapsed[] = {0.0f, 0.25f, 0.0f, 0.25f, 0.5f};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_TRUE(sphereAt(i).flash);
    EXPECT_EQ(sphereAt(i).flashOn, on[i]) << i;
    EXPECT_FLOAT_EQ(sphereAt(i).flashElapsed, elapsed[i]) << i;
    EXPECT_FLOAT_EQ(sphereAt(i).flashDuration, 0.5f) << i;
  }
}

TEST_F(SphereLoaderTest, AnAlphaTextureIsInheritedByLaterSpheresOfTheFileOnly) {
  const std::string first = sphereBlock("plain", "texture textures\\mars.jpg\n") +
                            sphereBlock("ring", "texture textures\\ring.tga\n") +
                            sphereBlock("after", "texture textures\\moon.jpg\n") + sphereBlock("bare", "") +
                            sphereBlock("shell", "atmo\n") + "ENDWORLD\n";
  readWorldFiles({first, sphereBlock("next", "") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 6u);
  const bool alpha[] = {false, true, true, true, false, false};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(sphereAt(i).alphaTexture, alpha[i]) << sphereAt(i).name;
  EXPECT_TRUE(sphereAt(0).textured);
  EXPECT_FALSE(sphereAt(3).textured);
}

TEST_F(SphereLoaderTest, KeywordsSetTheirFieldsAndListsAndBadArgumentsKeepValues) {
  sphereMeshList = 11;
  envMeshList = 12;
  haloList = 13;
  customGeometryList = 14;
  const std::string file =
      sphereBlock("full",
                  "radius 7.5\nFOV 2\nalpha 0.25\ntiling 3\nperiod 10\nlight\ndepth\nwire\nsys\nuranmoon\nplt\n"
                  "mask\nrnd\nrotation V(0 0 1) 30 4\norient V(0 1 0) 45\ncolor V(0.1 0.2 0.3)\n") +
      sphereBlock("sky", "env\n") + sphereBlock("halo", "texture textures\\ring.tga\natmo\n") +
      sphereBlock("custom", "env\nlist\n") + sphereBlock("geo", "atmo\ngeo\n") +
      sphereBlock("junk", "radius abc\nalpha\nrotation V(1 2) 3 4\norient V(1 2 3)\ncolor V(1 x 3)\n"
                          "position V(1 2)\nparent\ntexture\n") +
      "ENDWORLD\n";
  readWorldFiles({file});
  ASSERT_EQ(objects_.size(), 6u);

  const Sphere& full = sphereAt(0);
  EXPECT_FLOAT_EQ(full.radius, 7.5f);
  EXPECT_FLOAT_EQ(full.fov, 2.0f);
  EXPECT_FLOAT_EQ(full.alpha, 0.25f);
  EXPECT_FLOAT_EQ(full.tiling, 3.0f);
  EXPECT_FLOAT_EQ(full.period, 10.0f);
  EXPECT_TRUE(full.light && full.depth && full.wire && full.sys && full.uranmoon && full.plt && full.mask &&
              full.rnd);
  EXPECT_FALSE(full.env || full.atmo || full.flash || full.moon);
  expectVector(full.spinAxis, {0, 0, 1});
  EXPECT_FLOAT_EQ(full.spinAngle, 30.0f);
  EXPECT_FLOAT_EQ(full.spinSpeed, 4.0f);
  expectVector(full.orientAxis, {0, 1, 0});
  EXPECT_FLOAT_EQ(full.orientAngle, 45.0f);
  expectVector(full.color, {0.1f, 0.2f, 0.3f});
  EXPECT_EQ(full.displayList, 11u);

  EXPECT_TRUE(sphereAt(1).env);
  EXPECT_FLOAT_EQ(sphereAt(1).spinSpeed, 0.0f);
  EXPECT_EQ(sphereAt(1).displayList, 12u);
  EXPECT_TRUE(sphereAt(2).atmo);
  EXPECT_FALSE(sphereAt(2).alphaTexture);
  EXPECT_EQ(sphereAt(2).displayList, 13u);
  EXPECT_EQ(sphereAt(3).displayList, 14u);
  EXPECT_EQ(sphereAt(4).displayList, 11u);

  const Sphere& junk = sphereAt(5);
  const Sphere defaults;
  EXPECT_FLOAT_EQ(junk.radius, defaults.radius);
  EXPECT_FLOAT_EQ(junk.alpha, defaults.alpha);
  expectVector(junk.spinAxis, defaults.spinAxis);
  EXPECT_FLOAT_EQ(junk.spinSpeed, defaults.spinSpeed);
  expectVector(junk.orientAxis, defaults.orientAxis);
  EXPECT_FLOAT_EQ(junk.orientAngle, defaults.orientAngle);
  expectVector(junk.color, defaults.color);
  expectVector(junk.basePosition, {0, 0, 0});
  EXPECT_EQ(junk.parent, nullptr);
  EXPECT_FALSE(junk.textured);
}

TEST_F(SphereLoaderTest, NamesAreCutAndParentsAreEarlierObjectsOfTheList) {
  const std::string file = sphereBlock("sun", "") + sphereBlock("planet", "parent sun\n") +
                           sphereBlock("early", "parent late\n") + sphereBlock("late", "") + "sphere\nbegin\nend\n" +
                           sphereBlock("averyveryverylongname", "") + "ENDWORLD\n";
  readWorldFiles({file});
  ASSERT_EQ(objects_.size(), 6u);
  EXPECT_EQ(sphereAt(1).parent, objects_[0]);
  EXPECT_EQ(sphereAt(2).parent, nullptr);
  EXPECT_STREQ(sphereAt(4).name, "");
  EXPECT_STREQ(sphereAt(5).name, "averyveryveryl");
}

TEST_F(SphereLoaderTest, FilterDropsTheSphereBelowHighDetailAndTheRestOfItsBlockIsIgnored) {
  const std::string file = sphereBlock("kept", "") +
                           sphereBlock("glow", "radius 9\nfilter\nradius 11\nsphere\nbegin inner\nend\n") +
                           sphereBlock("after", "") + "ENDWORLD\n";
  struct DetailCase {
    std::int32_t detail;
    std::vector<std::string> names;
    int messages;
  };
  const DetailCase cases[] = {
      {0, {"kept", "inner", "after"}, 4},
      {1, {"kept", "inner", "after"}, 4},
      {2, {"kept", "glow", "after"}, 3},
  };
  for (const DetailCase& c : cases) {
    SCOPED_TRACE(c.detail);
    settings::Detail = c.detail;
    headless_test::received().clear();
    deleteAll(objects_);
    readWorldFiles({file});
    ASSERT_EQ(objects_.size(), c.names.size());
    for (std::size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(sphereAt(i).name, c.names[i]);
    EXPECT_EQ(progressMessages(), c.messages);
  }
  EXPECT_FLOAT_EQ(sphereAt(1).radius, 11.0f);  // at High the lines after "filter" apply
}

TEST_F(SphereLoaderTest, ShortAndHostileBlocksStopAtTheEndOfTheData) {
  const std::string longLine = "position V(" + std::string(200, '9') + " 1 2)";
  const std::string garbage = "sphere\nbegin x\nradius 1e999999\nalpha -nan\nperiod 0x\n" + longLine + "\n" +
                              std::string(200, 'r') + "\ncolor V(1e40 -1e40 nan)\nrotation V(";
  const std::string cases[] = {
      "sphere",
      "sphere\n",
      "sphere\nradius 3\nsomething",
      "sphere\nbegin " + std::string(300, 'n'),
      "sphere\nbegin a\nradius 2",
      garbage,
      std::string("sphere\nbegin\0end\n", 17),
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    deleteAll(objects_);
    readWorldFiles({text});
    ASSERT_EQ(objects_.size(), 1u);
    EXPECT_LT(std::strlen(sphereAt(0).name), static_cast<std::size_t>(WorldObject::kNameCapacity));
  }
  EXPECT_STREQ(sphereAt(0).name, "");
}

}  // namespace
}  // namespace sphere_test
