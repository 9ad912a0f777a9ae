// The particle-system block of world files: keywords, the order of "time"
// and "dens", particle counts that are not sensible, Low detail, and blocks
// cut short by the end of the data.
#include <string>

#include "sphere_test_support.h"
#include "world/particle_system.h"

namespace sphere_test {
namespace {

class ParticleLoaderTest : public SphereTest {
 protected:
  ParticleSystem& systemAt(std::size_t index) { return *static_cast<ParticleSystem*>(objects_.at(index)); }
};

TEST_F(ParticleLoaderTest, KeywordsSetTheirFields) {
  readWorldFiles(
      {"psyche\nbegin spark\ntexture textures\\spark.jpg\nsize 40\nflash\ndens 12\ntime 0.5\n"
       "point1 V(1 2 3)\npoint2 V(4 5 6)\nrot V(0 0 1)\nend\nENDWORLD\n"});
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_EQ(progressMessages(), 1);
  const ParticleSystem& system = systemAt(0);
  EXPECT_STREQ(system.name, "");
  EXPECT_TRUE(system.textured);
  EXPECT_FALSE(system.alphaTexture);
  EXPECT_FLOAT_EQ(system.size, 40.0f);
  EXPECT_EQ(system.emitterKind, ParticleSystem::kFlash);
  EXPECT_EQ(system.count, 12);
  EXPECT_EQ(system.positions.size(), 12u);
  EXPECT_FLOAT_EQ(system.period, 0.5f);
  expectVector(system.point1, {1, 2, 3});
  expectVector(system.point2, {4, 5, 6});
  expectVector(system.right, {0, 0, 1});
  expectVector(system.position, {0, 0, 0});
}

struct KindCase {
  const char* lines;
  std::int32_t kind;
};

TEST_F(ParticleLoaderTest, TheLastKindLineDecidesAndABlockWithoutOneGetsNoKind) {
  const KindCase cases[] = {
      {"", ParticleSystem::kNoKind},           {"line\n", ParticleSystem::kLine},
      {"circ\n", ParticleSystem::kCirc},       {"flash\n", ParticleSystem::kFlash},
      {"line\ncirc\n", ParticleSystem::kCirc}, {"flashes\n", ParticleSystem::kFlash},
      {"linear\n", ParticleSystem::kLine},
  };
  std::string file;
  for (const KindCase& c : cases) file += std::string("ps\nbegin\n") + c.lines + "end\n";
  readWorldFiles({file + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(systemAt(i).emitterKind, cases[i].kind) << cases[i].lines;
}

struct DensityCase {
  const char* lines;
  std::int32_t count;
  float period;
};

TEST_F(ParticleLoaderTest, DensMakesTheParticlesAtOnceAndResetsThePeriod) {
  const DensityCase cases[] = {
      {"time 5\ndens 10\n", 10, 0.0f},
      {"dens 10\ntime 5\n", 10, 5.0f},
      {"dens 4\ntime 5\ndens 6\n", 6, 0.0f},
      {"dens 0\n", 0, 0.0f},
      {"dens -5\n", 0, 0.0f},
      {"dens 99999999999999999999\n", ParticleSystem::kMaxParticles, 0.0f},
      {"time 5\ndens abc\n", 0, 5.0f},   // does not scan: nothing is made
      {"time 5\ndensity 3\n", 0, 5.0f},  // matches "dens" but does not scan
      {"dens7\n", 7, 0.0f},
  };
  std::string file;
  for (const DensityCase& c : cases) file += std::string("ps\nbegin\nline\n") + c.lines + "end\n";
  readWorldFiles({file + "ENDWORLD\n"});
  ASSERT_EQ(objects_.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].lines);
    const ParticleSystem& system = systemAt(i);
    EXPECT_EQ(system.count, cases[i].count);
    const auto entries = static_cast<std::size_t>(cases[i].count);
    EXPECT_EQ(system.positions.size(), entries);
    EXPECT_EQ(system.velocities.size(), entries);
    EXPECT_EQ(system.accelerations.size(), entries);
    EXPECT_EQ(system.life.size(), entries);
    EXPECT_EQ(system.maxLife.size(), entries);
    EXPECT_FLOAT_EQ(system.period, cases[i].period);
  }
}

TEST_F(ParticleLoaderTest, AtLowDetailABlockMakesNoSystemAndItsLinesHaveNoEffect) {
  const std::string file = "ps\nbegin\nline\ndens 5\nend\nsphere\nbegin after\nend\nENDWORLD\n";
  for (std::int32_t detail : {0, 1, 2}) {
    SCOPED_TRACE(detail);
    settings::Detail = detail;
    deleteAll(objects_);
    headless_test::received().clear();
    readWorldFiles({file});
    EXPECT_EQ(progressMessages(), 2);
    ASSERT_EQ(objects_.size(), detail == 0 ? 1u : 2u);
    EXPECT_STREQ(objects_.back()->name, "after");
  }
}

TEST_F(ParticleLoaderTest, BlocksCutShortByTheEndOfTheDataStillEndTheFile) {
  for (const char* text : {"ps", "ps\nbegin", "ps\nbegin\ndens 3\ntime", "ps\nps\nps\n", "ps\nbegin\ndens"}) {
    SCOPED_TRACE(text);
    deleteAll(objects_);
    readWorldFiles({text});
    EXPECT_EQ(objects_.size(), 1u);
  }
}

}  // namespace
}  // namespace sphere_test
