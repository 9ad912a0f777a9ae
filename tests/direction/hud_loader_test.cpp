// "hud.txt": the keywords of a layer block, textures by their ending,
// projection onto objects of the world on show, and files whose terminators
// are missing or whose lines do not scan.
#include <cstring>
#include <string>

#include "hud_test_support.h"
#include "platform/headless/headless.h"

namespace hud_test {
namespace {

using HudLoaderTest = HudTest;

TEST_F(HudLoaderTest, LayerWithoutKeywordsHasTheInitialState) {
  HudLayerList& layers = loadScript("hud plain\nend\nHUD_END\n");
  ASSERT_EQ(layers.size(), 1u);
  const HudLayer& layer = *layers[0];
  EXPECT_STREQ(layer.name, "plain");
  EXPECT_TRUE(layer.show);
  EXPECT_FALSE(layer.projected || layer.alphaBlend || layer.textured || layer.freeze || layer.noise);
  EXPECT_FLOAT_EQ(layer.offset, 0.0f);
  EXPECT_FLOAT_EQ(layer.tiling.u, 1.0f);
  EXPECT_FLOAT_EQ(layer.tiling.v, 1.0f);
  EXPECT_FLOAT_EQ(layer.color.a, 1.0f);
  EXPECT_TRUE(layer.keys.empty());
  EXPECT_EQ(layer.parent, nullptr);
  EXPECT_EQ(layer.texture, 0u);
}

TEST_F(HudLoaderTest, EveryKeywordSetsItsFieldAndLayersKeepFileOrder) {
  HudLayerList& layers = loadScript(
      "some words before the first block\n"
      "hud frame\n"
      "freeze\nnoise\nhide\n"
      "color (0.1 0.2 0.3 0.4)\n"
      "tiling (2 3)\n"
      "offset 0.25\n"
      "quad (10 20 300 400)\n"
      "  project moon 1500\n"
      "end\n"
      "between blocks\n"
      "hud second\nshow\nend\n"
      "HUD_END\n");
  ASSERT_EQ(layers.size(), 2u);
  const HudLayer& frame = *layers[0];
  EXPECT_STREQ(frame.name, "frame");
  EXPECT_TRUE(frame.freeze);
  EXPECT_TRUE(frame.noise);
  EXPECT_FALSE(frame.show);
  EXPECT_FLOAT_EQ(frame.color.r, 0.1f);
  EXPECT_FLOAT_EQ(frame.color.g, 0.2f);
  EXPECT_FLOAT_EQ(frame.color.b, 0.3f);
  EXPECT_FLOAT_EQ(frame.color.a, 0.4f);
  EXPECT_FLOAT_EQ(frame.tiling.u, 2.0f);
  EXPECT_FLOAT_EQ(frame.tiling.v, 3.0f);
  EXPECT_FLOAT_EQ(frame.offset, 0.25f);
  EXPECT_FLOAT_EQ(frame.quad.x, 10.0f);
  EXPECT_FLOAT_EQ(frame.quad.y, 20.0f);
  EXPECT_FLOAT_EQ(frame.quad.width, 300.0f);
  EXPECT_FLOAT_EQ(frame.quad.height, 400.0f);
  EXPECT_TRUE(frame.projected);
  EXPECT_EQ(frame.parent, &moon_);
  EXPECT_FLOAT_EQ(frame.distance, 1500.0f);
  EXPECT_STREQ(layers[1]->name, "second");
  EXPECT_TRUE(layers[1]->show);
  EXPECT_EQ(findHudLayer(layers, "second"), layers[1]);
  EXPECT_EQ(findHudLayer(layers, "Second"), nullptr);
  EXPECT_EQ(findHudLayer(layers, "fram"), nullptr);
}

TEST_F(HudLoaderTest, ProjectionNeedsAnObjectOfTheWorldOnShow) {
  HudLayerList& layers = loadScript("hud a\nproject comet 700\nend\nhud b\nproject probe\nend\nHUD_END\n");
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_FALSE(layers[0]->projected);
  EXPECT_EQ(layers[0]->parent, nullptr);
  EXPECT_FLOAT_EQ(layers[0]->distance, 700.0f);  // the number counts even so
  EXPECT_TRUE(layers[1]->projected);
  EXPECT_EQ(layers[1]->parent, &probe_);

  currentWorld = nullptr;
  HudLayerList without;
  loadHudLayers(without, "hud.txt");
  ASSERT_EQ(without.size(), 2u);
  EXPECT_FALSE(without[1]->projected);
  for (HudLayer* layer : without) delete layer;
}

struct TextureCase {
  const char* line;
  bool textured;
  bool alphaBlend;
  bool hasTexture;
  bool messageShown;
};

TEST_F(HudLoaderTest, TextureIsLoadedByTheLastThreeCharactersOfItsEntryName) {
  const TextureCase cases[] = {
      {"texture textures\\frame.tga", true, true, true, false},
      {"texture textures\\absent.tga", true, true, false, false},
      {"texture textures\\absent.jpg", true, false, true, true},  // a name without an image
      {"texture textures\\frame.TGA", true, false, false, false},
      {"texture textures\\frame.png", true, false, false, false},
      {"texture", true, false, false, false},
      {"texture ga", true, false, false, false},
  };
  std::string script;
  for (const TextureCase& c : cases) script += std::string("hud t\n") + c.line + "\nend\n";
  const std::vector<std::uint8_t> pixels(4 * 4, 200);
  HudLayerList& layers = loadScript(script + "HUD_END\n", {{"textures\\frame.tga", tgaBytes(2, 2, pixels)}});
  ASSERT_EQ(layers.size(), std::size(cases));
  for (std::size_t i = 0; i < layers.size(); ++i) {
    SCOPED_TRACE(cases[i].line);
    EXPECT_EQ(layers[i]->textured, cases[i].textured);
    EXPECT_EQ(layers[i]->alphaBlend, cases[i].alphaBlend);
    EXPECT_EQ(layers[i]->texture != 0, cases[i].hasTexture);
  }
  const auto& boxes = platform::headless::recordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "ARCH:Can't load JPG file: textures\\absent.jpg");
  EXPECT_EQ(boxes[0].second, "Error");
  EXPECT_FALSE(gl_archive_test::readTexture(layers[0]->texture).rgba.empty());
}

TEST_F(HudLoaderTest, LinesThatDoNotScanLeaveTheFieldsAsTheyWere) {
  const std::string longName(200, 'n');
  HudLayerList& layers = loadScript("hud " + longName +
                                    "\n"
                                    "quad (1 2 3 4)\nquad (9 9 9)\nquad\n"
                                    "color (0.5 0.5 0.5 0.5)\ncolor (x)\n"
                                    "tiling (4 4)\ntiling (7)\n"
                                    "offset 0.1\noffset zero\n"
                                    "project\n"
                                    "hideaway\n\tshow\nfreezer\n" +
                                    std::string(300, 'q') + "\nend\nHUD_END\n");
  ASSERT_EQ(layers.size(), 1u);
  const HudLayer& layer = *layers[0];
  EXPECT_EQ(std::strlen(layer.name), 15u);
  EXPECT_FLOAT_EQ(layer.quad.x, 1.0f);
  EXPECT_FLOAT_EQ(layer.quad.height, 4.0f);
  EXPECT_FLOAT_EQ(layer.color.g, 0.5f);
  EXPECT_FLOAT_EQ(layer.tiling.u, 4.0f);
  EXPECT_FLOAT_EQ(layer.tiling.v, 4.0f);
  EXPECT_FLOAT_EQ(layer.offset, 0.1f);
  EXPECT_FALSE(layer.projected);
  EXPECT_FALSE(layer.show);   // "hideaway" begins with "hide"; the tab keeps "\tshow" from matching
  EXPECT_TRUE(layer.freeze);  // "freezer" begins with "freeze"
}

struct TerminatorCase {
  const char* script;
  std::size_t layers;
  const char* lastName;
};

TEST_F(HudLoaderTest, MissingTerminatorsEndAsIfTheyHadBeenRead) {
  const TerminatorCase cases[] = {
      {"hud a\nend\nhud b\nend\n", 2, "b"},                     // no HUD_END
      {"hud a\nend\nhud b\nquad (1 2 3 4)", 2, "b"},            // the last block has no end
      {"hud a\nend\nHUD_END\nhud b\nend\n", 1, "a"},            // nothing after HUD_END is read
      {"hud a\nshow\nHUD_END\nhud b\nend\nHUD_END\n", 1, "a"},  // HUD_END inside a block ends both
      {"", 0, ""},
      {"hud\nend\nHUD_END\n", 1, ""},  // a block without a name
  };
  for (const TerminatorCase& c : cases) {
    SCOPED_TRACE(c.script);
    HudLayerList& layers = loadScript(c.script);
    ASSERT_EQ(layers.size(), c.layers);
    if (c.layers) {
      EXPECT_STREQ(layers.back()->name, c.lastName);
    }
    for (HudLayer* layer : layers) delete layer;
    layers.clear();
  }
}

TEST_F(HudLoaderTest, MissingScriptGivesNoLayers) {
  useArchive({{"other.txt", gl_archive_test::bytesOf("hud a\nend\n")}});
  loadHudLayers(layers_, "hud.txt");
  EXPECT_TRUE(layers_.empty());
}

}  // namespace
}  // namespace hud_test
