// The scene director: reading a scene script in one pass and choosing the
// scene after it, with and without the random destination order.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "direction/camera.h"
#include "direction/scene_director.h"
#include "direction/scene_state.h"
#include "math/random.h"
#include "math/random_control.h"
#include "platform/headless_fixture.h"
#include "resources/scoped_data_archive.h"
#include "shell/run_state.h"
#include "shell/settings.h"
#include "world/sphere.h"
#include "world/world.h"

namespace {

using archive_test::ScopedDataArchive;
using random_test::stateBeforeDraw;

const char kTwoKeys[] =
    "KEYFRAMES\nkeyframe\ntime 0\nposition V(0 0 0)\nquaternion Q(0 0 0 1)\nend\n"
    "keyframe\ntime 10\nposition V(10 0 0)\nquaternion Q(0 0 0 1)\nend\nENDKEYS\n";

class SceneDirectorTest : public headless_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    makeGlWindow();
    settings::Random = 0;
    for (auto& flag : visitedDestinations) flag = 0;
    worldList.clear();
    earth_ = addWorld("earth", "scenes\\earth\\");
    mars_ = addWorld("mars", "scenes\\mars\\");
    system_ = addWorld("system", "scenes\\system\\");
    currentWorld = earth_;
    camera.worldPending = false;
    std::strcpy(camera.sceneDir, "scenes\\earth\\");
    std::strcpy(camera.sceneFile, "s.txt");
    std::strcpy(camera.nextName, "earth");
  }
  void TearDown() override {
    worldList.clear();
    currentWorld = nullptr;
    settings::Random = 0;
    HeadlessTest::TearDown();
  }

  World* addWorld(const char* name, const char* sceneDir) {
    auto* world = new World();
    copyCut(world->name, World::kNameCapacity, name);
    copyCut(world->sceneDir, World::kSceneDirCapacity, sceneDir);
    worldList.push_back(world);
    return world;
  }

  static Sphere* addSphere(World& world, const char* name, bool isMoon = false) {
    auto* sphere = new Sphere();
    sphere->setName(name);
    sphere->moon = isMoon;
    world.objects.push_back(sphere);
    return sphere;
  }

  // Plays scenes\earth\s.txt holding `script`.
  static void play(const std::string& script) {
    std::strcpy(camera.sceneDir, "scenes\\earth\\");
    std::strcpy(camera.sceneFile, "s.txt");
    ScopedDataArchive archive({{"scenes\\earth\\s.txt", script}});
    camera.startNextScene();
  }

  World* earth_ = nullptr;
  World* mars_ = nullptr;
  World* system_ = nullptr;
};

TEST_F(SceneDirectorTest, NextNamesTheScriptOfAVariant) {
  play("scene\nnext saturn\nend\n");
  EXPECT_STREQ(camera.nextName, "saturn");
  EXPECT_STREQ(camera.sceneFile, "saturn0.txt");
  EXPECT_STREQ(camera.sceneDir, "scenes\\earth\\");

  // "random 2.1" allows three variants: the highest draw picks the third.
  seedRandom(stateBeforeDraw(32767));
  play("scene\nrandom 2.1\nnext saturn\nend\n");
  EXPECT_STREQ(camera.sceneFile, "saturn2.txt");
}

TEST(VariantPick, FactorBoundsThePick) {
  struct Case {
    float factor;
    int draw;
    int variant;
  };
  const Case cases[] = {{1.9f, 32767, 0}, {3.0f, 0, 0}, {3.0f, 16383, 1}, {3.0f, 32767, 2},
                        {8.9f, 32767, 7}, {0.5f, 32767, 0}, {100.0f, 32767, 0}};
  for (const Case& c : cases) {
    seedRandom(stateBeforeDraw(c.draw));
    EXPECT_EQ(pickVariant(c.factor), c.variant) << c.factor << " " << c.draw;
  }
}

TEST_F(SceneDirectorTest, WorldLineSwitchesAtTheNextSceneStart) {
  play("scene\nworld mars\nnext mars\nend\n");
  EXPECT_EQ(currentWorld, earth_);
  EXPECT_TRUE(camera.worldPending);
  EXPECT_STREQ(camera.sceneDir, "scenes\\mars\\");
  EXPECT_STREQ(camera.sceneFile, "mars0.txt");

  ScopedDataArchive archive({{"scenes\\mars\\mars0.txt", "scene\nend\n"}});
  camera.startNextScene();
  EXPECT_EQ(currentWorld, mars_);
  EXPECT_FALSE(camera.worldPending);
}

TEST_F(SceneDirectorTest, RandomOrderVisitsEveryDestinationOnceThenTheSun) {
  settings::Random = 1;
  for (int i = 0; i < 9; ++i) visitedDestinations[i] = 1;
  play("scene\nnext mars\nworld mars\nend\n");
  EXPECT_STREQ(camera.sceneDir, "scenes\\earth\\");
  EXPECT_STREQ(camera.sceneFile, "pluto0.txt");
  EXPECT_STREQ(camera.nextName, "pluto");
  EXPECT_EQ(visitedDestinations[9], 1);

  play("scene\nend\n");
  EXPECT_STREQ(camera.sceneFile, "sun0.txt");
  EXPECT_STREQ(camera.nextName, "sun");
  for (auto flag : visitedDestinations) EXPECT_EQ(flag, 0);
}

TEST_F(SceneDirectorTest, RandomPickWrapsPastTheLastDestination) {
  settings::Random = 1;
  visitedDestinations[9] = 1;
  seedRandom(stateBeforeDraw(32767));  // 10, taken as 9: visited, so 0
  play("scene\nend\n");
  EXPECT_STREQ(camera.sceneFile, "mercury0.txt");
  EXPECT_EQ(visitedDestinations[0], 1);
}

TEST_F(SceneDirectorTest, RandomOrderLeavesTheSystemWorldToItsScripts) {
  settings::Random = 1;
  currentWorld = system_;
  std::strcpy(camera.sceneDir, "scenes\\system\\");
  ScopedDataArchive archive({{"scenes\\system\\s.txt", "scene\nnext earth\nend\n"}});
  camera.startNextScene();
  EXPECT_STREQ(camera.sceneFile, "earth0.txt");
  EXPECT_STREQ(camera.sceneDir, "scenes\\system\\");
}

TEST_F(SceneDirectorTest, MissingScriptIsReportedAndLeavesAnEndlessScene) {
  ScopedDataArchive archive({});
  camera.startNextScene();
  const auto& boxes = platform::headless::recordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "Scene: scenes\\earth\\s.txt not open");
  EXPECT_EQ(boxes[0].second, "ARCHIVE Error");
  EXPECT_TRUE(camera.track.keys.empty());
}

TEST_F(SceneDirectorTest, TransitionsFogAndParticlesAreSetPerScene) {
  play("scene\nfout 28 30\nfback 0 2\nwout 5 6\nwback 7 8\nsoffice\nexpfog 0.5\nexpfog 0.25\nend\n");
  EXPECT_FLOAT_EQ(fadeOutWindow.start, 28.0f);
  EXPECT_FLOAT_EQ(fadeOutWindow.end, 30.0f);
  EXPECT_FLOAT_EQ(fadeBackWindow.end, 2.0f);
  EXPECT_FLOAT_EQ(wipeOutWindow.start, 5.0f);
  EXPECT_FLOAT_EQ(wipeBackWindow.end, 8.0f);
  EXPECT_EQ(particlesEnabled, 0);
  EXPECT_EQ(fogEnabled, 1);
  GLfloat density = 0.0f;
  glGetFloatv(GL_FOG_DENSITY, &density);
  EXPECT_FLOAT_EQ(density, 0.25f);

  play("scene\nend\n");
  EXPECT_FLOAT_EQ(fadeOutWindow.start, -1.0f);
  EXPECT_FLOAT_EQ(wipeBackWindow.end, -1.0f);
  EXPECT_EQ(particlesEnabled, 1);
  EXPECT_EQ(fogEnabled, 0);

  play("scene\nfogcolor V(0.1 0.2 0.3)\nend\n");
  EXPECT_EQ(fogEnabled, 1);
  GLfloat color[4] = {};
  glGetFloatv(GL_FOG_COLOR, color);
  EXPECT_FLOAT_EQ(color[2], 0.3f);
}

TEST_F(SceneDirectorTest, ObjectLinesResolveInTheCurrentWorld) {
  Sphere* planet = addSphere(*earth_, "planet");
  Sphere* luna = addSphere(*earth_, "luna", true);
  addSphere(*mars_, "elsewhere");
  play("scene\nphase planet 45\norient planet\nmoon luna 30\ncrosslook planet luna 5\n"
       "phase elsewhere 10\norient nobody\ncrosslook planet nobody 3\nend\n");
  EXPECT_FLOAT_EQ(planet->orbitPhase, 45.0f);
  EXPECT_EQ(camera.lookTarget, planet);
  EXPECT_TRUE(luna->visible);
  EXPECT_FLOAT_EQ(luna->orbitPhase, -30.0f);
  EXPECT_EQ(camera.crossFrom, planet);
  EXPECT_EQ(camera.crossTo, luna);
  EXPECT_FLOAT_EQ(camera.crossDistance, 5.0f);

  // The next scene hides the moons again and forgets the targets.
  play("scene\nend\n");
  EXPECT_FALSE(luna->visible);
  EXPECT_EQ(camera.lookTarget, nullptr);
  EXPECT_EQ(camera.crossFrom, nullptr);
}

TEST_F(SceneDirectorTest, PlanetsStartAtRandomPhasesUnlessAPhaseLineSetsThem) {
  Sphere* mars = addSphere(*earth_, "mars");
  Sphere* pluto = addSphere(*earth_, "pluto");
  seedRandom(stateBeforeDraw(16384));
  play("scene\nend\n");
  EXPECT_NEAR(mars->orbitPhase, 16384 / 32767.0 * 360.0, 1e-3);
  EXPECT_FLOAT_EQ(pluto->orbitPhase, 0.0f);  // pluto keeps its phase
  play("scene\nphase mars 12\nend\n");
  EXPECT_FLOAT_EQ(mars->orbitPhase, 12.0f);
}

TEST_F(SceneDirectorTest, KeyframeBlocksAppendToOneTrack) {
  play(std::string("scene\n") + kTwoKeys + kTwoKeys + "end\n");
  EXPECT_EQ(camera.track.keys.size(), 4u);
  play("scene\nend\n");
  EXPECT_TRUE(camera.track.keys.empty());
}

TEST_F(SceneDirectorTest, HudBlocksKeepTheirLinesToThemselves) {
  play(std::string("scene\nhud frame\nparent planet\n") + kTwoKeys + "fout 1 2\nhend\nnext mars\nend\n");
  EXPECT_TRUE(camera.track.keys.empty());
  EXPECT_FLOAT_EQ(fadeOutWindow.start, -1.0f);
  EXPECT_STREQ(camera.sceneFile, "mars0.txt");
}

TEST_F(SceneDirectorTest, ScriptsWithoutSceneOrEndStopAtTheEnd) {
  play("next mars\n");  // no scene line: nothing applies
  EXPECT_STREQ(camera.sceneFile, "s.txt");
  play("scene\nnext mars\nfout 1 2");  // no end line
  EXPECT_STREQ(camera.sceneFile, "mars0.txt");
  EXPECT_FLOAT_EQ(fadeOutWindow.end, 2.0f);
}

}  // namespace
