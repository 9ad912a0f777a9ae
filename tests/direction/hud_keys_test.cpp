// Scene keys of HUD layers: the template carried from key to key, blocks
// whose terminators are missing, and "hud" blocks of scene scripts read by
// the director.
#include <cstring>
#include <string>

#include "direction/camera.h"
#include "direction/scene_overlays.h"
#include "hud_test_support.h"
#include "world/world_file.h"

namespace hud_test {
namespace {

class HudKeysTest : public HudTest {
 protected:
  void TearDown() override {
    clearTrack(camera.track);
    camera.clearTargets();
    settings::Random = 0;
    HudTest::TearDown();
  }

  // Reads the keys of `script` (its first line is "KEYFRAMES") into the
  // layer; returns the line after the block.
  std::string readKeys(HudLayer& layer, const std::string& script) {
    writeArchive({{"keys.txt", gl_archive_test::bytesOf(script)}});
    ArchiveFile file;
    EXPECT_TRUE(file.open("keys.txt"));
    char line[kScriptLineCapacity];
    file.readLine(line);
    EXPECT_STREQ(line, "KEYFRAMES");
    readHudKeys(layer, file);
    file.readLine(line);
    return line;
  }

  // Plays scenes\earth\s.txt holding `script`.
  void playScene(const std::string& script) {
    settings::Random = 0;
    std::strcpy(camera.sceneDir, "scenes\\earth\\");
    std::strcpy(camera.sceneFile, "s.txt");
    writeArchive({{"scenes\\earth\\s.txt", gl_archive_test::bytesOf(script)}});
    camera.startNextScene();
  }

  HudLayer layer_;
};

TEST_F(HudKeysTest, EveryKeyCopiesTheTemplateAsEarlierLinesLeftIt) {
  layer_.keys = {keyAt(99.0f, 1.0f)};
  const std::string after = readKeys(layer_,
                                     "KEYFRAMES\n"
                                     "keyframe\ntime 2\nquad (10 20 30 40)\ncolor (1 0 0 0)\nproject 500\nend\n"
                                     "lines between keys are skipped\n"
                                     "keyframe\ntime 4\ncolor (1 0 0 1)\nend\n"
                                     "keyframe\n  time 6\nhide\nunproj\ntiling (2 3)\noffset 0.1\nend\n"
                                     "ENDKEYS\nafter\n");
  EXPECT_EQ(after, "after");
  ASSERT_EQ(layer_.keys.size(), 3u);
  const HudKey& first = layer_.keys[0];
  EXPECT_TRUE(first.show);
  EXPECT_TRUE(first.project);
  EXPECT_FLOAT_EQ(first.distance, 500.0f);
  EXPECT_FLOAT_EQ(first.time, 2.0f);
  EXPECT_FLOAT_EQ(first.quad.x, 10.0f);
  EXPECT_FLOAT_EQ(first.quad.height, 40.0f);
  EXPECT_FLOAT_EQ(first.color.a, 0.0f);
  EXPECT_FLOAT_EQ(first.tiling.u, 1.0f);
  EXPECT_FLOAT_EQ(first.offset, 0.0f);

  const HudKey& second = layer_.keys[1];  // projected as well: carried over
  EXPECT_TRUE(second.project);
  EXPECT_FLOAT_EQ(second.distance, 500.0f);
  EXPECT_FLOAT_EQ(second.time, 4.0f);
  EXPECT_FLOAT_EQ(second.quad.width, 30.0f);
  EXPECT_FLOAT_EQ(second.color.r, 1.0f);
  EXPECT_FLOAT_EQ(second.color.a, 1.0f);

  const HudKey& third = layer_.keys[2];
  EXPECT_FALSE(third.show);
  EXPECT_FALSE(third.project);
  EXPECT_FLOAT_EQ(third.time, 6.0f);
  EXPECT_FLOAT_EQ(third.tiling.u, 2.0f);
  EXPECT_FLOAT_EQ(third.tiling.v, 3.0f);
  EXPECT_FLOAT_EQ(third.offset, 0.1f);
  EXPECT_FLOAT_EQ(third.color.a, 1.0f);

  clearHudKeys(layer_);
  EXPECT_TRUE(layer_.keys.empty());
}

TEST_F(HudKeysTest, ArgumentsThatDoNotScanKeepTheTemplateValues) {
  readKeys(layer_,
           "KEYFRAMES\nkeyframe\ntime 1\nquad (1 2 3 4)\noffset 0.5\nend\n"
           "keyframe\ntime x\nquad (5 6)\noffset\nproject far\ncolor (0 0 0)\nend\nENDKEYS\n");
  ASSERT_EQ(layer_.keys.size(), 2u);
  const HudKey& key = layer_.keys[1];
  EXPECT_FLOAT_EQ(key.time, 1.0f);
  EXPECT_FLOAT_EQ(key.quad.x, 1.0f);
  EXPECT_FLOAT_EQ(key.quad.y, 2.0f);
  EXPECT_FLOAT_EQ(key.offset, 0.5f);
  EXPECT_TRUE(key.project);  // the keyword counts, the distance keeps its value
  EXPECT_FLOAT_EQ(key.distance, 0.0f);
  EXPECT_FLOAT_EQ(key.color.r, 1.0f);
}

struct BlockCase {
  const char* script;
  std::size_t keys;
  const char* after;  // the line read after the block
};

TEST_F(HudKeysTest, BlocksEndAtTheirTerminatorOrTheEndOfTheScript) {
  const BlockCase cases[] = {
      {"KEYFRAMES\nENDKEYS\nend\n", 0, "end"},
      {"KEYFRAMES\nkeyframe\ntime 1\nend\nkeyframe\ntime 2\nend\n", 2, ""},  // no ENDKEYS
      {"KEYFRAMES\nkeyframe\ntime 1\nend\nkeyframe\ntime 2", 2, ""},         // the last key has no end
      // A key without its end stops at ENDKEYS instead of reading on into
      // the scene's own lines.
      {"KEYFRAMES\nkeyframe\ntime 1\nENDKEYS\nhend\nend\n", 1, "hend"},
      {"KEYFRAMES\nkeyframes\ntime 1\nendless\nENDKEYSX\nnext\n", 1, "next"},  // keywords are prefixes
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(readKeys(layer_, c.script), c.after);
    EXPECT_EQ(layer_.keys.size(), c.keys);
  }
}

TEST_F(HudKeysTest, SceneGivesKeysAndParentsToTheLayersItNames) {
  HudLayer& frame = addLayer("frame");
  HudLayer& other = addLayer("other");
  other.keys = {keyAt(1.0f, 1.0f), keyAt(2.0f, 1.0f)};
  const std::string keys = "KEYFRAMES\nkeyframe\ntime 1\nend\nkeyframe\ntime 3\nend\nENDKEYS\n";
  playScene(
      "scene\n"
      "hud frame\nparent probe\n" +
      keys +
      "orient moon\nhend\n"
      "hud ghost\nparent moon\n" +
      keys +
      "hend\n"
      "end\n");
  EXPECT_TRUE(other.keys.empty());  // every layer loses its keys at a scene start
  ASSERT_EQ(frame.keys.size(), 2u);
  EXPECT_FLOAT_EQ(frame.keys[1].time, 3.0f);
  EXPECT_EQ(frame.parent, &probe_);
  EXPECT_EQ(camera.lookTarget, nullptr);  // scene keywords are not tested inside the block
  EXPECT_EQ(findHudLayerByName("ghost"), nullptr);
  EXPECT_EQ(findHudLayerByName("other"), &other);

  // The parent stays for later scenes; a name without an object changes nothing.
  playScene("scene\nhud frame\nparent nothing\nhend\nend\n");
  EXPECT_EQ(frame.parent, &probe_);
  EXPECT_TRUE(frame.keys.empty());
  playScene("scene\nhud frame\nparent moon\nhend\nend\n");
  EXPECT_EQ(frame.parent, &moon_);
}

}  // namespace
}  // namespace hud_test
