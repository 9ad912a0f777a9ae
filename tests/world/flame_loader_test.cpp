// The flame block of world files: keywords and their formats, the size that
// starts at 2000, prefix matches, parents, and blocks cut short.
#include <string>

#include "sphere_test_support.h"
#include "world/flame.h"

namespace sphere_test {
namespace {

class FlameLoaderTest : public SphereTest {
 protected:
  Flame& flameAt(std::size_t index) { return *static_cast<Flame*>(objects_.at(index)); }
};

TEST_F(FlameLoaderTest, KeywordsSetTheirFields) {
  readWorldFiles(
      {"sphere\nbegin sun\nend\n"
       "flame\nbegin ignored words\ntexture textures\\flame.tga\nsize 5\nangle 1\nell 2\noffset 0.5\n"
       "orient V(1 2 3)\ncolorfrom V(1 0.5 0)\ncolorto V(0 0.5 1)\nparent sun\nend\nENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 2u);
  EXPECT_EQ(progressMessages(), 2);
  const Flame& flame = flameAt(1);
  EXPECT_STREQ(flame.name, "");
  EXPECT_TRUE(flame.textured);
  EXPECT_TRUE(flame.alphaTexture);
  EXPECT_FLOAT_EQ(flame.radius, 2005.0f);
  EXPECT_FLOAT_EQ(flame.slope, 1.0f);
  EXPECT_FLOAT_EQ(flame.ellipseRatio, 2.0f);
  EXPECT_FLOAT_EQ(flame.offset, 0.5f);
  expectVector(flame.center, {1, 2, 3});
  expectVector(flame.colorFrom, {1, 0.5f, 0});
  expectVector(flame.colorTo, {0, 0.5f, 1});
  EXPECT_EQ(flame.parentRef, objects_[0]);
}

struct SizeCase {
  const char* lines;
  float radius, ratio;
};

TEST_F(FlameLoaderTest, ASizeLineStartsAt2000AndPrefixesMatchLongerWords) {
  const SizeCase cases[] = {
      {"", 0.8f, 1.0f},
      {"size 0\n", 2000.0f, 1.0f},
      {"size 120.5\n", 2120.5f, 1.0f},
      {"size x\n", 0.8f, 1.0f},            // does not scan: the default stays
      {"sizeable 3\n", 0.8f, 1.0f},        // matches "size", but "size %f" does not scan it
      {"ell 3\nellipse 2\n", 0.8f, 3.0f},  // "ellipse" matches "ell" and does not scan either
      {"ell2.5\n", 0.8f, 2.5f},
  };
  std::string file;
  for (const SizeCase& c : cases) file += std::string("flame\nbegin\n") + c.lines + "end\n";
  readWorldFiles({file + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].lines);
    EXPECT_FLOAT_EQ(flameAt(i).radius, cases[i].radius);
    EXPECT_FLOAT_EQ(flameAt(i).ellipseRatio, cases[i].ratio);
  }
}

TEST_F(FlameLoaderTest, ParentsAreEarlierNamedObjectsOfTheSameList) {
  readWorldFiles(
      {"flame\nbegin\nparent later\nend\nsphere\nbegin later\nend\nflame\nbegin\nparent nobody\nend\n"
       "flame\nbegin\nparent\nend\nENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 4u);
  EXPECT_EQ(flameAt(0).parentRef, nullptr);
  EXPECT_EQ(flameAt(2).parentRef, nullptr);
  EXPECT_EQ(flameAt(3).parentRef, nullptr);
}

TEST_F(FlameLoaderTest, BlocksCutShortByTheEndOfTheDataStillEndTheFile) {
  for (const char* text : {"flame", "flame\nbegin", "flame\nbegin\nsize 3\noffset", "flame\nflame\n"}) {
    SCOPED_TRACE(text);
    deleteAll(objects_);
    readWorldFiles({text});
    EXPECT_EQ(objects_.size(), 1u);
  }
}

}  // namespace
}  // namespace sphere_test
