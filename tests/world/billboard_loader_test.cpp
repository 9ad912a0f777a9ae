// The billboard block of world files: every keyword and its scaling, the
// defaults, arguments that do not scan, parents by name, the "isfog" detail
// filter, blocks cut short by the end of the data, and registry textures.
#include <string>

#include "flare_test_support.h"
#include "math/random.h"
#include "sphere_test_support.h"
#include "world/billboard.h"

namespace {

using sphere_test::SphereTest;

void expectVector(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

std::string billboardBlock(const std::string& keywordLines) { return "billboard\nbegin\n" + keywordLines + "end\n"; }

class BillboardLoaderTest : public SphereTest {
 protected:
  Billboard& billboardAt(std::size_t index) { return *static_cast<Billboard*>(objects_.at(index)); }
};

TEST_F(BillboardLoaderTest, EveryKeywordSetsItsField) {
  readWorldFiles({billboardBlock("size 7\nrotation 30 0.5\ntiling 3\nFOV 0.2\nalpha 0.4\norient off\nblend\n"
                                 "depth\nsys\nenv V(1 2 3)\noreol V(4 5 6) 7\nflash 2.5 2 1)\n"
                                 "texture textures\\none.jpg\nup V(0 2 0)\nright V(0 0 3)\n"
                                 "position V(8 9 10)\ncolor V(0.1 0.2 0.3)\nxy 2\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  const Billboard& b = billboardAt(0);
  EXPECT_FLOAT_EQ(b.size, 7.0f);
  EXPECT_FLOAT_EQ(b.rollAngle, 30.0f);
  EXPECT_FLOAT_EQ(b.rollSpeed, 30.0f);  // per second divided by 60
  EXPECT_FLOAT_EQ(b.tiling, 3.0f);
  EXPECT_FLOAT_EQ(b.fov, 0.2f);
  EXPECT_FLOAT_EQ(b.alpha, 0.4f);
  EXPECT_TRUE(b.orientOff && b.blend && b.depth && b.sys && b.env && b.oreol && b.flash);
  expectVector(b.offset, {4, 5, 6});  // the oreol line comes after the env line
  EXPECT_FLOAT_EQ(b.oreolRadius, 7.0f);
  EXPECT_FLOAT_EQ(b.flashClock, 2.5f);
  EXPECT_FLOAT_EQ(b.flashHidden, 2.0f);
  EXPECT_FLOAT_EQ(b.flashShown, 1.0f);
  EXPECT_TRUE(b.textured);  // even though the registry lacks the picture
  EXPECT_EQ(b.texture, 0u);
  expectVector(b.up, {0, 1, 0});
  expectVector(b.right, {0, 0, 1});
  expectVector(b.position, {8, 9, 10});
  expectVector(b.tint, {0.1f, 0.2f, 0.3f});
  EXPECT_FLOAT_EQ(b.xy, 2.0f);
  EXPECT_EQ(b.parent, nullptr);
  EXPECT_EQ(progressMessages(), 1);
}

TEST_F(BillboardLoaderTest, AnEmptyBlockKeepsTheDefaultsAndDrawsItsRollSpeed) {
  seedRandom(12345);
  const double r = randomUnit();
  seedRandom(12345);
  readWorldFiles({billboardBlock("") + billboardBlock("") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 2u);
  const Billboard& b = billboardAt(0);
  EXPECT_FLOAT_EQ(b.rollSpeed, static_cast<float>((1.0 - 2.0 * r) * 60.0));
  EXPECT_NE(billboardAt(1).rollSpeed, b.rollSpeed);  // one draw each
  EXPECT_FLOAT_EQ(b.size, 5.0f);
  EXPECT_FLOAT_EQ(b.alpha, 1.0f);
  EXPECT_FLOAT_EQ(b.tiling, 1.0f);
  EXPECT_FLOAT_EQ(b.fov, 0.1f);
  EXPECT_FLOAT_EQ(b.xy, 1.0f);
  EXPECT_FLOAT_EQ(b.oreolRadius, 1.0f);
  EXPECT_FLOAT_EQ(b.rollAngle, 0.0f);
  expectVector(b.up, {0, 1, 0});
  expectVector(b.right, {1, 0, 0});
  expectVector(b.offset, {0, 0, 0});
  expectVector(b.tint, {1, 1, 1});
  expectVector(b.position, {0, 0, 0});
  EXPECT_FALSE(b.env || b.orientOff || b.flash || b.blend || b.depth || b.oreol || b.sys || b.textured);
  EXPECT_TRUE(b.visible);
}

TEST_F(BillboardLoaderTest, ArgumentsThatDoNotScanKeepTheValues) {
  readWorldFiles({billboardBlock("size 7\nsize x\nrotation 30\ntiling\nalpha .\nenv V(1 2)\noreol V(1 2 3)\n"
                                 "flash 1 2)\ntexture\nup V(1 0)\nright V()\nposition V(1 x 3)\ncolor\n"
                                 "xy y\nparent\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  const Billboard& b = billboardAt(0);
  EXPECT_FLOAT_EQ(b.size, 7.0f);
  EXPECT_FLOAT_EQ(b.rollAngle, 0.0f);
  EXPECT_FLOAT_EQ(b.tiling, 1.0f);
  EXPECT_FLOAT_EQ(b.alpha, 1.0f);
  // The flags are set by their keywords alone.
  EXPECT_TRUE(b.env && b.oreol && b.flash);
  expectVector(b.offset, {0, 0, 0});
  EXPECT_FLOAT_EQ(b.oreolRadius, 1.0f);
  EXPECT_FLOAT_EQ(b.flashHidden, 0.0f);
  EXPECT_FALSE(b.textured);
  expectVector(b.up, {0, 1, 0});
  expectVector(b.right, {1, 0, 0});
  expectVector(b.position, {0, 0, 0});
  expectVector(b.tint, {1, 1, 1});
  EXPECT_FLOAT_EQ(b.xy, 1.0f);
  EXPECT_EQ(b.parent, nullptr);
}

TEST_F(BillboardLoaderTest, ParentsAreEarlierNamedObjectsOfTheSameList) {
  const std::string first = "sphere\nbegin earth\nend\n" + billboardBlock("parent earth V(0 0 12)\n") +
                            billboardBlock("parent moon V(1 1 1)\n") + "sphere\nbegin moon\nend\n" +
                            billboardBlock("parent earth\n") + "ENDWORLD\n";
  readWorldFiles({first, billboardBlock("parent moon V(0 0 1)\n") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 6u);
  EXPECT_EQ(billboardAt(1).parent, objects_[0]);
  expectVector(billboardAt(1).offset, {0, 0, 12});
  EXPECT_EQ(billboardAt(2).parent, nullptr);  // defined later
  expectVector(billboardAt(2).offset, {1, 1, 1});
  EXPECT_EQ(billboardAt(4).parent, objects_[0]);  // a name without a vector
  expectVector(billboardAt(4).offset, {0, 0, 0});
  EXPECT_EQ(billboardAt(5).parent, objects_[3]);  // an earlier file of the same list
}

TEST_F(BillboardLoaderTest, IsfogDropsTheBillboardOnlyAtLowDetail) {
  const std::string file = billboardBlock("size 2\nisfog\nsize 3\nposition V(1 2 3)\n") +
                           billboardBlock("size 4\n") + "ENDWORLD\n";
  for (int detail = 0; detail <= 2; ++detail) {
    SCOPED_TRACE(detail);
    settings::Detail = detail;
    sphere_test::deleteAll(objects_);
    headless_test::received().clear();
    readWorldFiles({file});
    EXPECT_EQ(progressMessages(), 2);  // the dropped block sends one too
    if (detail == 0) {
      ASSERT_EQ(objects_.size(), 1u);
      EXPECT_FLOAT_EQ(billboardAt(0).size, 4.0f);
    } else {
      ASSERT_EQ(objects_.size(), 2u);
      EXPECT_FLOAT_EQ(billboardAt(0).size, 3.0f);
      expectVector(billboardAt(0).position, {1, 2, 3});
    }
  }
}

TEST_F(BillboardLoaderTest, BlocksCutShortByTheEndOfTheDataStillGiveABillboard) {
  struct Case {
    const char* file;
    float size;
  };
  const Case cases[] = {
      {"billboard\nsize 3\n", 5.0f},          // no begin: every line is passed over looking for it
      {"billboard\nbegin\nsize 3", 3.0f},     // no end, no final line feed
      {"billboard\nbegin\nsize 3\n", 3.0f},   // no end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    sphere_test::deleteAll(objects_);
    readWorldFiles({c.file});
    ASSERT_EQ(objects_.size(), 1u);
    EXPECT_FLOAT_EQ(billboardAt(0).size, c.size);
  }
}

TEST_F(BillboardLoaderTest, ARegistryTextureIsTakenWithItsAlpha) {
  flare_test::loadRegistryTextures({{"glow.tga", flare_test::glowPicture(8)}},
                                   [this](const std::vector<rar::StoredEntry>& entries) { writeArchive(entries); });
  const Texture* glow = textureRegistry.find("textures\\glow.tga");
  ASSERT_NE(glow, nullptr);
  ASSERT_NE(glow->texture, 0u);
  readWorldFiles({billboardBlock("texture textures\\glow.tga\n") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_EQ(billboardAt(0).texture, glow->texture);
  EXPECT_TRUE(billboardAt(0).textured);
  EXPECT_TRUE(billboardAt(0).alphaTexture);
}

}  // namespace
