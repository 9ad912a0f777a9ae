// World files, the world list and environments read from scripts.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless_fixture.h"
#include "resources/load_progress.h"
#include "resources/scoped_data_archive.h"
#include "world/environment.h"
#include "world/sphere.h"
#include "world/world.h"
#include "world/world_file.h"

namespace {

using archive_test::ScopedDataArchive;

class WorldListTest : public headless_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    setLoadProgressWindow(makeGlWindow());
  }
  void TearDown() override {
    setLoadProgressWindow(0);
    HeadlessTest::TearDown();
  }
  static long progressMessages() {
    return std::count_if(headless_test::received().begin(), headless_test::received().end(),
                         [](const platform::Message& m) { return m.message == kLoadProgressMessage; });
  }
};

TEST(WorldLines, ClassifiedByTheirFirstCharacters) {
  const std::pair<const char*, WorldLine> cases[] = {
      {"sphere", WorldLine::Sphere},         {"spherex", WorldLine::Sphere},
      {"billboard", WorldLine::Billboard},   {"flare", WorldLine::Flare},
      {"mesh", WorldLine::Mesh},             {"flame", WorldLine::Flame},
      {"psyche", WorldLine::ParticleSystem}, {"ps", WorldLine::ParticleSystem},
      {"ENDWORLD", WorldLine::EndWorld},     {"geometry meshes\\a.dat", WorldLine::Geometry},
      {"dir x", WorldLine::Dir},             {"endworld", WorldLine::Other},
      {"", WorldLine::Other},                {"\tsphere", WorldLine::Other},
  };
  for (const auto& [line, kind] : cases) EXPECT_EQ(classifyLine(line), kind) << line;
}

TEST_F(WorldListTest, OneSphereBlockGivesOneObjectAndOneProgressMessage) {
  ScopedDataArchive archive({{"w.txt", "sphere\nbegin earth\nradius 5\nend\nENDWORLD\nsphere\nbegin late\nend\n"}});
  ObjectList list;
  readWorldFile(list, "w.txt");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_STREQ(list[0]->name, "earth");
  EXPECT_EQ(progressMessages(), 1);
}

TEST_F(WorldListTest, UnknownLinesSendNothingAndGeometrySendsOne) {
  ScopedDataArchive archive({{"w.txt", "dir scenes\nhello\n\ngeometry meshes\\none.dat\nbillboard\nbegin\nend\n"}});
  ObjectList list;
  readWorldFile(list, "w.txt");  // no ENDWORLD: the end of the data ends it
  EXPECT_EQ(progressMessages(), 2);
}

TEST_F(WorldListTest, WorldsReadTheirFilesInOrderAndParentsResolveAcrossThem) {
  ScopedDataArchive archive({
      {"env.txt", "env deep\nfirstpass sky.txt\nend\nenv far\npostpass sky.txt\nend\nENV_END\n"},
      {"sky.txt", "sphere\nbegin sky\nenv\nend\nENDWORLD\n"},
      {"a.txt", "sphere\nbegin planet\nend\nENDWORLD\n"},
      {"b.txt", "sphere\nbegin moon\nparent planet\nend\nsphere\nbegin stray\nparent nowhere\nend\nENDWORLD\n"},
      {"worlds.txt",
       "junk outside\nworld system\nsystem\nenv deep\nscenedir scenes\\system\\\nobjects a.txt\nobjects b.txt\nend\n"
       "world bare\nend\nWORLD_END\nworld never\nend\n"},
  });
  EnvironmentList environments;
  loadEnvironments(environments, "env.txt");
  ASSERT_EQ(environments.size(), 2u);
  EXPECT_STREQ(environments[0]->name, "deep");
  EXPECT_EQ(environments[0]->firstPass.size(), 1u);
  EXPECT_TRUE(environments[0]->postPass.empty());
  EXPECT_TRUE(environments[1]->firstPass.empty());
  EXPECT_EQ(environments[1]->postPass.size(), 1u);

  WorldList worlds;
  loadWorlds(worlds, environments, "worlds.txt");
  ASSERT_EQ(worlds.size(), 2u);
  World& system = *worlds[0];
  EXPECT_STREQ(system.name, "system");
  EXPECT_TRUE(system.system);
  EXPECT_STREQ(system.sceneDir, "scenes\\system\\");
  EXPECT_EQ(system.firstPass, &environments[0]->firstPass);
  ASSERT_EQ(system.objects.size(), 3u);
  EXPECT_EQ(system.objects[1]->parent, system.objects[0]);
  EXPECT_EQ(system.objects[2]->parent, nullptr);

  World& bare = *worlds[1];
  EXPECT_FALSE(bare.system);
  EXPECT_STREQ(bare.sceneDir, "");
  EXPECT_TRUE(bare.firstPass->empty());
  EXPECT_TRUE(bare.postPass->empty());
  EXPECT_EQ(findWorldByName(worlds, "bare"), &bare);
  EXPECT_EQ(findWorldByName(worlds, "never"), nullptr);

  buildAsteroidWorld(worlds, environments);
  ASSERT_EQ(worlds.size(), 3u);
  EXPECT_STREQ(worlds[2]->name, "aster");
  EXPECT_STREQ(worlds[2]->sceneDir, "scenes\\space\\");
  EXPECT_EQ(worlds[2]->postPass, &environments[1]->postPass);
}

TEST_F(WorldListTest, ScriptsWithoutTerminatorsStopAtTheEnd) {
  ScopedDataArchive archive({
      {"env.txt", "env open\nfirstpass w.txt"},
      {"w.txt", "sphere\nbegin"},
      {"worlds.txt", "world loose\nobjects w.txt"},
  });
  EnvironmentList environments;
  loadEnvironments(environments, "env.txt");
  ASSERT_EQ(environments.size(), 1u);
  WorldList worlds;
  loadWorlds(worlds, environments, "worlds.txt");
  ASSERT_EQ(worlds.size(), 1u);
  EXPECT_EQ(worlds[0]->objects.size(), 1u);
}

TEST_F(WorldListTest, LongNamesAreCutToTheirFields) {
  ScopedDataArchive archive({{"worlds.txt", "world abcdefghijklmnopqrstuvwxyz\nscenedir " + std::string(120, 'd') + "\nend\n"},
                             {"w.txt", "sphere\nbegin abcdefghijklmnopqrstuvwxyz\nend\n"}});
  WorldList worlds;
  loadWorlds(worlds, {}, "worlds.txt");
  ASSERT_EQ(worlds.size(), 1u);
  EXPECT_EQ(std::string(worlds[0]->name), "abcdefghijklmnopqrs");
  EXPECT_EQ(std::string(worlds[0]->sceneDir), std::string(49, 'd'));
  ObjectList list;
  readWorldFile(list, "w.txt");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(std::string(list[0]->name), "abcdefghijklmn");
}

TEST_F(WorldListTest, MissingEntriesReadAsEmpty) {
  ScopedDataArchive archive({});
  EnvironmentList environments;
  loadEnvironments(environments, "env.txt");
  WorldList worlds;
  loadWorlds(worlds, environments, "worlds.txt");
  ObjectList list;
  readWorldFile(list, "dynamic.txt");
  EXPECT_TRUE(environments.empty());
  EXPECT_TRUE(worlds.empty());
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(progressMessages(), 0);
}

}  // namespace
