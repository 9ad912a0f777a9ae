// The flare block of world files: every keyword with the sizes scaled to the
// window width, the defaults, arguments that do not scan, parents by name,
// the four lines that "lenseffect" takes whatever they hold, and registry
// textures for the sprite and the lens slots.
#include <string>

#include "flare_test_support.h"
#include "sphere_test_support.h"
#include "world/flare.h"

namespace {

void expectVector(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

std::string flareBlock(const std::string& keywordLines) { return "flare\nbegin\n" + keywordLines + "end\n"; }

class FlareLoaderTest : public sphere_test::SphereTest {
 protected:
  Flare& flareAt(std::size_t index) { return *static_cast<Flare*>(objects_.at(index)); }

  // Three lens pictures and a sprite picture in the registry, shared by the
  // tests of this program (the registry keeps what it loaded).
  void loadPictures() {
    flare_test::loadRegistryTextures(
        {{"sun.tga", flare_test::glowPicture(8)}, {"lens0.tga", flare_test::glowPicture(4)},
         {"lens1.tga", flare_test::glowPicture(4)}, {"lens2.tga", flare_test::glowPicture(4)}},
        [this](const std::vector<rar::StoredEntry>& entries) { writeArchive(entries); });
  }

  static std::uint32_t registryTexture(const char* path) {
    const Texture* entry = textureRegistry.find(path);
    return entry ? entry->texture : 0u;
  }
};

TEST_F(FlareLoaderTest, EveryKeywordSetsItsFieldWithSizesScaledToTheWidth) {
  settings::Width = 1024;
  readWorldFiles({"sphere\nbegin probe\nend\n" +
                  flareBlock("size 20\nflash 0.5)\nlumin 2)\nfocus 0.9)\nparent probe V(1 2 3)\nFOV 0.3\n"
                             "alpha 1 fade: 0.1 0.05\nenv V(0 0 -1)\ntexture textures\\none.tga\n"
                             "position V(4 5 6)\nlenseffect\n\tsize 10\n\ttexture textures\\a.jpg\n"
                             "\ttexture textures\\b.jpg\n\ttexture textures\\c.jpg\nrotation 10 0.5\nxy 1.5\n"
                             "orient V(100 200 0)\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 2u);
  const Flare& f = flareAt(1);
  EXPECT_FLOAT_EQ(f.size, 25.6f);  // 20 at 800 pixels is 25.6 at 1024
  EXPECT_FLOAT_EQ(f.flickerAmount, 0.5f);
  EXPECT_FLOAT_EQ(f.lumin, 2.0f);
  EXPECT_TRUE(f.useFocus);
  EXPECT_FLOAT_EQ(f.focus, 0.9f);
  EXPECT_EQ(f.parent, objects_[0]);
  EXPECT_FLOAT_EQ(f.fov, 0.3f);
  EXPECT_FLOAT_EQ(f.intensity, 1.0f);
  EXPECT_FLOAT_EQ(f.fadeInRate, 6.0f);  // per second divided by 60
  EXPECT_FLOAT_EQ(f.fadeOutRate, 3.0f);
  EXPECT_TRUE(f.env);
  expectVector(f.offset, {0, 0, -1});  // the env line comes after the parent line
  EXPECT_TRUE(f.textured);
  EXPECT_TRUE(f.alphaTexture);
  expectVector(f.position, {4, 5, 6});
  EXPECT_TRUE(f.lensEffect);
  EXPECT_FLOAT_EQ(f.lensSize, 12.8f);
  EXPECT_FLOAT_EQ(f.rotationAngle, 10.0f);
  EXPECT_FLOAT_EQ(f.rotationSpeed, 30.0f);
  EXPECT_FLOAT_EQ(f.xy, 1.5f);
  EXPECT_TRUE(f.orient);
  expectVector(f.orientPoint, {100, 200, 0});
  EXPECT_EQ(progressMessages(), 2);
}

TEST_F(FlareLoaderTest, AnEmptyBlockKeepsTheDefaults) {
  readWorldFiles({flareBlock("") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  const Flare& f = flareAt(0);
  EXPECT_FLOAT_EQ(f.intensity, 0.0f);
  EXPECT_FLOAT_EQ(f.size, 10.0f);
  EXPECT_FLOAT_EQ(f.lensSize, 5.0f);
  EXPECT_FLOAT_EQ(f.fadeInRate, 6.0f);
  EXPECT_FLOAT_EQ(f.fadeOutRate, 6.0f);
  EXPECT_FLOAT_EQ(f.fov, 0.1f);
  EXPECT_FLOAT_EQ(f.rotationAngle, 0.0f);
  EXPECT_FLOAT_EQ(f.rotationSpeed, 24.0f);
  EXPECT_FLOAT_EQ(f.xy, 1.0f);
  EXPECT_FLOAT_EQ(f.flickerAmount, 0.0f);
  EXPECT_FLOAT_EQ(f.focus, 0.0f);
  EXPECT_FLOAT_EQ(f.lumin, 1.0f);
  EXPECT_FALSE(f.seen || f.lensEffect || f.env || f.useFocus || f.orient || f.textured || f.alphaTexture);
  EXPECT_EQ(f.parent, nullptr);
  expectVector(f.offset, {0, 0, 0});
  expectVector(f.orientPoint, {0, 0, 0});
  for (std::uint32_t slot : f.lensTextures) EXPECT_EQ(slot, 0u);
}

TEST_F(FlareLoaderTest, ArgumentsThatDoNotScanKeepTheValues) {
  readWorldFiles({flareBlock("size x\nflash\nlumin -\nfocus\nparent\nFOV V\nalpha 1\nalpha 1 fade: 2\n"
                             "env V(1 2)\ntexture\nposition V(1)\nrotation 5\nxy\norient V()\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  const Flare& f = flareAt(0);
  EXPECT_FLOAT_EQ(f.size, 10.0f);
  EXPECT_FLOAT_EQ(f.flickerAmount, 0.0f);
  EXPECT_FLOAT_EQ(f.lumin, 1.0f);
  EXPECT_FLOAT_EQ(f.fov, 0.1f);
  EXPECT_FLOAT_EQ(f.intensity, 0.0f);
  EXPECT_FLOAT_EQ(f.fadeInRate, 6.0f);
  EXPECT_FLOAT_EQ(f.rotationAngle, 0.0f);
  EXPECT_FLOAT_EQ(f.rotationSpeed, 24.0f);
  EXPECT_FLOAT_EQ(f.xy, 1.0f);
  EXPECT_FALSE(f.textured);
  EXPECT_EQ(f.parent, nullptr);
  expectVector(f.position, {0, 0, 0});
  expectVector(f.offset, {0, 0, 0});
  // The flags are set by their keywords alone.
  EXPECT_TRUE(f.useFocus && f.env && f.orient);
  EXPECT_FLOAT_EQ(f.focus, 0.0f);
}

TEST_F(FlareLoaderTest, LensLinesAreTakenIndentedOrNotAndFillTheSlotsInOrder) {
  loadPictures();
  const std::string lensLines[] = {
      "lenseffect\n\tsize 8\n\ttexture textures\\lens0.tga\n\ttexture textures\\lens1.tga\n"
      "\ttexture textures\\lens2.tga\n",
      "lenseffect\nsize 8\ntexture textures\\lens0.tga\n   texture textures\\lens1.tga\n"
      "texture textures\\lens2.tga\n",
  };
  settings::Width = 400;
  readWorldFiles({flareBlock(lensLines[0]) + flareBlock(lensLines[1]) + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const Flare& f = flareAt(i);
    EXPECT_TRUE(f.lensEffect);
    EXPECT_FLOAT_EQ(f.lensSize, 4.0f);
    EXPECT_EQ(f.lensTextures[0], registryTexture("textures\\lens0.tga"));
    EXPECT_EQ(f.lensTextures[1], registryTexture("textures\\lens1.tga"));
    EXPECT_EQ(f.lensTextures[2], registryTexture("textures\\lens2.tga"));
    EXPECT_NE(f.lensTextures[0], f.lensTextures[2]);
    EXPECT_TRUE(f.alphaTexture);
    EXPECT_FALSE(f.textured);  // the lens lines are not keyword lines
    EXPECT_FLOAT_EQ(f.size, 10.0f);
  }
}

TEST_F(FlareLoaderTest, LenseffectTakesTheNextFourLinesWhateverTheyHold) {
  loadPictures();
  // The fourth line is a position line, taken as the last lens texture: the
  // position stays and the third slot keeps its texture.
  readWorldFiles({flareBlock("lenseffect\n\tsize 2\n\ttexture textures\\lens0.tga\n"
                             "\ttexture textures\\lens1.tga\nposition V(1 2 3)\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  expectVector(flareAt(0).position, {0, 0, 0});
  EXPECT_EQ(flareAt(0).lensTextures[1], registryTexture("textures\\lens1.tga"));
  EXPECT_EQ(flareAt(0).lensTextures[2], 0u);

  // Too few lines: the end line and the next block are consumed, and the
  // flare's block runs on to the next end line.
  sphere_test::deleteAll(objects_);
  headless_test::received().clear();
  readWorldFiles({"flare\nbegin\nlenseffect\n\tsize 2\nend\nflare\nbegin\nsize 3\nend\nENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_FLOAT_EQ(flareAt(0).size, 3.0f * settings::Width / 800.0f);
  EXPECT_EQ(progressMessages(), 1);

  // The data ends right after the keyword.
  sphere_test::deleteAll(objects_);
  readWorldFiles({"flare\nbegin\nlenseffect\n"});
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_TRUE(flareAt(0).lensEffect);
  EXPECT_FLOAT_EQ(flareAt(0).lensSize, 5.0f);
}

TEST_F(FlareLoaderTest, TheSpriteTextureAndUnknownLensNamesFromTheRegistry) {
  loadPictures();
  readWorldFiles({flareBlock("texture textures\\sun.tga\nlenseffect\n\tsize 1\n\ttexture textures\\lens2.tga\n"
                             "\ttexture textures\\none.tga\n\ttexture textures\\lens0.tga\n") +
                  "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  const Flare& f = flareAt(0);
  EXPECT_TRUE(f.textured);
  EXPECT_EQ(f.texture, registryTexture("textures\\sun.tga"));
  EXPECT_NE(f.texture, 0u);
  EXPECT_EQ(f.lensTextures[0], registryTexture("textures\\lens2.tga"));
  EXPECT_EQ(f.lensTextures[1], 0u);  // not in the registry: the slot keeps its value
  EXPECT_EQ(f.lensTextures[2], registryTexture("textures\\lens0.tga"));
}

TEST_F(FlareLoaderTest, ParentsAreEarlierNamedObjectsOfTheSameList) {
  readWorldFiles({flareBlock("parent ship V(1 2 3)\n") + "sphere\nbegin ship\nend\n" +
                  flareBlock("parent ship V(4 5 6)\n") + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 3u);
  EXPECT_EQ(flareAt(0).parent, nullptr);
  expectVector(flareAt(0).offset, {1, 2, 3});
  EXPECT_EQ(flareAt(2).parent, objects_[1]);
  expectVector(flareAt(2).offset, {4, 5, 6});
}

TEST_F(FlareLoaderTest, SetLensTextureGuardsItsSlot) {
  loadPictures();
  Flare flare;
  flare.setLensTexture("textures\\lens1.tga", 3);
  flare.setLensTexture("textures\\lens1.tga", -1);
  for (std::uint32_t slot : flare.lensTextures) EXPECT_EQ(slot, 0u);
  EXPECT_TRUE(flare.alphaTexture);
  flare.setLensTexture("textures\\lens1.tga", 2);
  EXPECT_EQ(flare.lensTextures[2], registryTexture("textures\\lens1.tga"));
}

}  // namespace
