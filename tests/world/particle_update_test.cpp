// The particle systems' physics over simulated time: seeding, the line's
// re-emission, the circ's bursts, the flash's sweep and bolts, and long runs
// of every kind that must keep their particles finite, their count fixed
// and their arrays where they are.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "math/random.h"
#include "math/random_control.h"
#include "world/particle_system.h"

namespace {

float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool finite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

ParticleSystem systemOf(std::int32_t kind, std::int32_t count) {
  ParticleSystem system;
  system.emitterKind = kind;
  system.initParticles(count);
  return system;
}

// The next `n` draws r, without disturbing the generator's sequence.
std::vector<double> upcomingDraws(std::uint32_t state, int n) {
  seedRandom(state);
  std::vector<double> draws;
  for (int k = 0; k < n; ++k) draws.push_back(randomUnit());
  seedRandom(state);
  return draws;
}

TEST(ParticleSeed, InitParticlesPlacesEveryParticle250UnitsFromTheSystem) {
  ParticleSystem system;
  system.position = {10, 20, 30};
  system.rollAngle = 5;
  system.elapsed = 3;
  system.period = 2;
  system.initParticles(50);
  EXPECT_EQ(system.count, 50);
  EXPECT_FLOAT_EQ(system.rollAngle, 0.0f);
  EXPECT_FLOAT_EQ(system.elapsed, 0.0f);
  EXPECT_FLOAT_EQ(system.period, 0.0f);
  for (std::size_t i = 0; i < 50; ++i) {
    EXPECT_NEAR(subtract(system.positions[i], system.position).length(), 250.0f, 1e-3f) << i;
    EXPECT_FLOAT_EQ(system.velocities[i].z, -1000.0f);
    EXPECT_FLOAT_EQ(system.velocities[i].x, 0.0f);
    EXPECT_FLOAT_EQ(system.accelerations[i].length(), 0.0f);
    EXPECT_FLOAT_EQ(system.maxLife[i], 0.0f);
    EXPECT_GE(system.life[i], 0.0f);
    EXPECT_LE(system.life[i], 25.0f);
  }
}

struct RunCase {
  const char* name;
  std::int32_t kind;
};

TEST(ParticleRun, EveryKindKeepsItsParticlesFiniteItsCountAndItsArraysOverAMinute) {
  const RunCase cases[] = {{"dust", ParticleSystem::kDust},
                           {"flash", ParticleSystem::kFlash},
                           {"line", ParticleSystem::kLine},
                           {"circ", ParticleSystem::kCirc},
                           {"no kind", ParticleSystem::kNoKind}};
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    ParticleSystem system = systemOf(c.kind, 40);
    system.size = 300;
    system.point1 = {1000, 0, 0};
    const Vector3* positions = system.positions.data();
    const Vector3* velocities = system.velocities.data();
    const float* life = system.life.data();
    int reemitted = 0;
    for (int frame = 0; frame < 3600; ++frame) {
      const std::vector<float> lifeBefore = system.life;
      system.update(1.0 / 60.0);
      ASSERT_EQ(system.count, 40);
      for (std::size_t i = 0; i < 40; ++i) {
        ASSERT_TRUE(finite(system.positions[i])) << frame << " " << i;
        ASSERT_TRUE(finite(system.velocities[i])) << frame << " " << i;
        if (c.kind == ParticleSystem::kLine) {
          ASSERT_LE(system.life[i], system.maxLife[i]);
          reemitted += system.life[i] < lifeBefore[i];
        }
      }
      ASSERT_TRUE(finite(system.position));
      ASSERT_TRUE(std::isfinite(system.elapsed) && std::isfinite(system.period));
    }
    EXPECT_EQ(system.positions.data(), positions);
    EXPECT_EQ(system.velocities.data(), velocities);
    EXPECT_EQ(system.life.data(), life);
    EXPECT_EQ(system.positions.size(), 40u);
    // Lives of 1 to 3 seconds over a minute: every particle many times over.
    if (c.kind == ParticleSystem::kLine) {
      EXPECT_GT(reemitted, 40 * 15);
    }
  }
}

TEST(ParticleRun, SystemsWithoutParticlesUpdateWithoutEffect) {
  for (std::int32_t kind : {1, 2, 3, 4, 0}) {
    ParticleSystem system = systemOf(kind, 0);
    for (int frame = 0; frame < 100; ++frame) system.update(0.1);
    EXPECT_EQ(system.count, 0) << kind;
    EXPECT_TRUE(finite(system.position)) << kind;
  }
}

TEST(ParticleDust, DustMovesByItsVelocityAndKeepsNoCycle) {
  ParticleSystem dust = systemOf(ParticleSystem::kDust, 3);
  const Vector3 start = dust.positions[1];
  dust.accelerations[1] = {0, 10, 0};
  dust.update(0.5);
  EXPECT_FLOAT_EQ(dust.elapsed, 0.0f);
  EXPECT_NEAR(dust.positions[1].z, start.z - 500.0f, 1e-3f);
  EXPECT_NEAR(dust.positions[1].y, start.y, 1e-3f);  // the acceleration reaches the velocity first
  EXPECT_FLOAT_EQ(dust.velocities[1].y, 5.0f);
}

struct ReemitCase {
  int firstDraw;  // rand() of the speed draw
  float speed;
};

TEST(ParticleLine, AParticlePastItsLifeRestartsAtTheSystemAlongMinusZ) {
  for (const ReemitCase c : {ReemitCase{0, 2400.0f}, ReemitCase{32767, 19500.0f}, ReemitCase{16384, 0.0f}}) {
    SCOPED_TRACE(c.firstDraw);
    ParticleSystem line = systemOf(ParticleSystem::kLine, 2);
    line.life = {2.0f, 0.5f};
    line.maxLife = {1.0f, 3.0f};
    line.positions = {{5, 5, 5}, {7, 7, 7}};
    line.elapsed = 4.0f;
    const std::uint32_t state = random_test::stateBeforeDraw(c.firstDraw);
    const std::vector<double> r = upcomingDraws(state, 4);
    line.update(0.25);

    const float speed = static_cast<float>(2400.0 + 17100.0 * r[0]);
    if (c.speed > 0) {
      EXPECT_FLOAT_EQ(speed, c.speed);
    }
    EXPECT_FLOAT_EQ(line.positions[0].length(), 0.0f);
    EXPECT_FLOAT_EQ(line.velocities[0].z, -speed);
    EXPECT_FLOAT_EQ(line.velocities[0].x, 0.0f);
    EXPECT_NEAR(line.accelerations[0].x, (1.0 + r[2]) * speed * 0.57, 0.05);
    EXPECT_NEAR(line.accelerations[0].y, r[1] * speed * 0.57, 0.05);
    EXPECT_FLOAT_EQ(line.accelerations[0].z, 0.0f);
    EXPECT_FLOAT_EQ(line.life[0], 0.0f);
    EXPECT_NEAR(line.maxLife[0], 1.0 + 2.0 * r[3], 1e-6);
    // The other particle lives on and moves.
    EXPECT_FLOAT_EQ(line.life[1], 0.75f);
    EXPECT_NEAR(line.positions[1].z, 7.0f - 250.0f, 1e-3f);
    EXPECT_FLOAT_EQ(line.elapsed, 0.0f);
  }
}

TEST(ParticleCirc, APeriodOfZeroBurstsAtOnceAndThenEveryTwoToThreeSeconds) {
  ParticleSystem circ = systemOf(ParticleSystem::kCirc, 20);
  circ.size = 500.0f;
  circ.point1 = {100, 200, 300};
  circ.update(0.01);
  EXPECT_FLOAT_EQ(circ.elapsed, 0.0f);
  EXPECT_GE(circ.period, 2.0f);
  EXPECT_LE(circ.period, 3.0f);
  EXPECT_NEAR(subtract(circ.position, circ.point1).length(), 500.0f, 1e-2f);
  for (std::size_t i = 0; i < 20; ++i) {
    // Within the cone of 10 degrees about the burst's direction.
    EXPECT_LE(circ.positions[i].length(), 2.0f * 500.0f * std::sin(5.0f * 3.14159265f / 180.0f) + 1e-2f);
  }

  std::vector<double> bursts{0.01};
  double t = 0.01;
  for (int frame = 0; frame < 3000; ++frame) {
    const Vector3 before = circ.position;
    circ.update(0.01);
    t += 0.01;
    if (subtract(circ.position, before).length() > 0.0f) bursts.push_back(t);
  }
  ASSERT_GE(bursts.size(), 10u);
  for (std::size_t k = 1; k < bursts.size(); ++k) {
    EXPECT_GE(bursts[k] - bursts[k - 1], 2.0 - 1e-6) << k;
    EXPECT_LE(bursts[k] - bursts[k - 1], 3.0 + 0.02) << k;
  }
}

TEST(ParticleFlash, TenParticlesBuildABoltOnThe21stStepAndThenEvery31) {
  ParticleSystem flash = systemOf(ParticleSystem::kFlash, 10);
  flash.point1 = {1000, 2000, 3000};
  std::vector<int> bolts;
  const std::vector<Vector3> seeded = flash.positions;
  for (int step = 1; step <= 100; ++step) {
    const std::int32_t before = flash.flashStep;
    flash.update(0.06);  // longer than any period, so every update steps
    if (flash.flashStep < before) {
      bolts.push_back(step);
      EXPECT_EQ(flash.flashStep, -10);
      EXPECT_FLOAT_EQ(flash.phase, 0.0f);
    } else {
      EXPECT_EQ(flash.flashStep, before + 1);
    }
    EXPECT_GE(flash.period, 0.01f);
    EXPECT_LE(flash.period, 0.05f);
    if (bolts.empty()) {
      EXPECT_FLOAT_EQ(flash.positions[3].x, seeded[3].x);  // flash particles never move by themselves
    }
  }
  EXPECT_EQ(bolts, (std::vector<int>{21, 52, 83}));
}

TEST(ParticleFlash, ABoltIsAWalkOfEqualSegmentsPerpendicularToItsAxis) {
  ParticleSystem flash = systemOf(ParticleSystem::kFlash, 10);
  flash.point1 = {1000, 2000, 3000};
  for (int step = 0; step < 21; ++step) flash.update(0.06);
  ASSERT_EQ(flash.flashStep, -10);
  const Vector3 axis = flash.right;
  EXPECT_NEAR(axis.length(), 1.0f, 1e-5f);
  EXPECT_NEAR(subtract(flash.position, flash.point1).length(), 16100.0f, 0.05f);
  const float segment = 100.8f * cross(axis, Vector3(0, 1, 0)).length();
  Vector3 previous(0, 0, 0);
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_NEAR(subtract(flash.positions[i], previous).length(), segment, 1e-2f) << i;
    EXPECT_NEAR(dot(flash.positions[i], axis), 0.0f, 1e-2f) << i;
    previous = flash.positions[i];
  }
}

}  // namespace
