// The sphere's motion per frame: spin, orbits, moons, parent-relative
// positions and the flash timer.
#include <gtest/gtest.h>

#include <cmath>

#include "direction/scene_clock.h"
#include "math/random.h"
#include "world/sphere.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

void expectVector(Vector3 actual, Vector3 expected, float tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// (x, 0, 0) turned by angle degrees about +y in the right-hand sense.
Vector3 turnedAboutY(float x, double angle) {
  return {static_cast<float>(x * std::cos(angle * kDegree)), 0.0f, static_cast<float>(-x * std::sin(angle * kDegree))};
}

class SphereUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sceneClock = 0.0f;
    seedRandom(1);
  }
  void TearDown() override { sceneClock = 0.0f; }
};

TEST_F(SphereUpdateTest, SpinAdvancesAndWrapsOnce) {
  struct Case {
    float start, speed;
    double dt;
    float expected;
  };
  const Case cases[] = {{10, 20, 0.5, 20}, {350, 100, 1.0, 90}, {350, 800, 1.0, 790}, {300, 60, 1.0, 360}};
  for (const Case& c : cases) {
    Sphere sphere;
    sphere.spinAngle = c.start;
    sphere.spinSpeed = c.speed;
    sphere.update(c.dt);
    EXPECT_FLOAT_EQ(sphere.spinAngle, c.expected) << c.start << " + " << c.speed;
  }
}

TEST_F(SphereUpdateTest, OrbitAngleAtSeventyThreeDaysTurnsTheBasePositionByMinus640Degrees) {
  Sphere sphere;
  sphere.basePosition = {1000, 0, 0};
  sceneClock = 73.0f;
  sphere.update(0.0);
  expectVector(sphere.position, turnedAboutY(1000, -640), 0.05f);
  EXPECT_NEAR(sphere.position.x, 173.65f, 0.05f);
  EXPECT_NEAR(sphere.position.z, -984.81f, 0.05f);
}

TEST_F(SphereUpdateTest, OrbitFollowsPhaseAndStopsForSunsAndZeroPeriods) {
  struct Case {
    float period, phase;
    bool light;
    Vector3 expected;
  };
  const Case cases[] = {
      {365, 90, false, turnedAboutY(1000, -(5000.0 / 365 * 2 + 90))},
      {0, 30, false, turnedAboutY(1000, -30)},
      {365, 0, true, {7, 7, 7}},
  };
  for (const Case& c : cases) {
    Sphere sphere;
    sphere.basePosition = {1000, 0, 0};
    sphere.position = {7, 7, 7};
    sphere.period = c.period;
    sphere.orbitPhase = c.phase;
    sphere.light = c.light;
    sceneClock = 2.0f;
    sphere.update(0.0);
    expectVector(sphere.position, c.expected, 0.05f);
  }
}

TEST_F(SphereUpdateTest, PltOrbitIsTheFixedInclinedEllipse) {
  Sphere sphere;
  sphere.plt = true;
  sphere.basePosition = {1, 2, 3};
  sphere.update(0.0);
  expectVector(sphere.position, {618000, 123600, 0}, 1.0f);
  sphere.orbitPhase = 90;
  sphere.update(0.0);
  expectVector(sphere.position, {0, 0, 412000}, 1.0f);
}

TEST_F(SphereUpdateTest, MoonCirclesItsSpinAxisAndKeepsOneFaceToItsCentre) {
  Sphere sphere;
  sphere.moon = true;
  sphere.orbit = false;
  sphere.moonSpeed = 1.5f;
  sphere.orbitPhase = 10;
  sphere.spinAxis = {0, 0, 1};
  sphere.basePosition = {100, 0, 0};
  sceneClock = 20.0f;
  sphere.update(0.1);
  EXPECT_FLOAT_EQ(sphere.moonAngle, 40.0f);
  EXPECT_FLOAT_EQ(sphere.spinAngle, 40.0f);
  // Turned by -40 degrees about +z.
  expectVector(sphere.position, {static_cast<float>(100 * std::cos(40 * kDegree)),
                                 static_cast<float>(-100 * std::sin(40 * kDegree)), 0},
               0.01f);
}

TEST_F(SphereUpdateTest, SysPositionsTurnRelativeToTheParent) {
  Sphere parent;
  parent.position = {0, 0, 50};

  Sphere satellite;
  satellite.sys = true;
  satellite.orbit = false;
  satellite.spinAxis = {0, 0, 1};
  satellite.spinAngle = 90;
  satellite.spinSpeed = 0;
  satellite.basePosition = {10, 0, 0};
  satellite.update(0.0);
  expectVector(satellite.position, {0, -10, 0}, 1e-4f);

  // uranmoon: across the parent's direction from the origin, turned about it.
  Sphere uranian;
  uranian.sys = true;
  uranian.uranmoon = true;
  uranian.orbit = false;
  uranian.parent = &parent;
  uranian.spinAngle = 90;
  uranian.spinSpeed = 0;
  uranian.basePosition = {10, 0, 0};
  uranian.update(0.0);
  expectVector(uranian.position, {0, -10, 0}, 1e-4f);

  // Without a parent the step is skipped.
  uranian.parent = nullptr;
  uranian.position = {1, 2, 3};
  uranian.update(0.0);
  expectVector(uranian.position, {1, 2, 3}, 0.0f);
}

TEST_F(SphereUpdateTest, PlainFlashAlternatesEveryHalfSecond) {
  Sphere sphere;
  sphere.flash = true;
  sphere.flashOn = true;
  sphere.flashElapsed = 0.0f;
  sphere.flashDuration = 0.5f;
  sphere.update(0.3);
  EXPECT_TRUE(sphere.flashOn);
  sphere.update(0.3);
  EXPECT_FALSE(sphere.flashOn);
  EXPECT_NEAR(sphere.flashElapsed, 0.1f, 1e-6f);
  sphere.update(0.45);
  EXPECT_TRUE(sphere.flashOn);
}

TEST_F(SphereUpdateTest, RandomFlashOnAndOffStatesLastWithinTheirRanges) {
  Sphere sphere;
  sphere.flash = true;
  sphere.rnd = true;
  sphere.flashOn = false;
  bool wasOn = sphere.flashOn;
  double lastSwitch = 0.0;
  int switchesToOn = 0, switchesToOff = 0;
  const double dt = 0.001;
  for (int frame = 1; frame <= 20000; ++frame) {
    sphere.update(dt);
    if (sphere.flashOn == wasOn) continue;
    const double now = frame * dt;
    if (switchesToOn + switchesToOff > 0) {
      const double lasted = now - lastSwitch;
      // The state that just ended: on lasts 0.4..0.8 s, off 0.1..0.2 s.
      if (wasOn) {
        EXPECT_GE(lasted, 0.4 - 2 * dt);
        EXPECT_LE(lasted, 0.8 + 2 * dt);
      } else {
        EXPECT_GE(lasted, 0.1 - 2 * dt);
        EXPECT_LE(lasted, 0.2 + 2 * dt);
      }
    }
    EXPECT_FLOAT_EQ(sphere.flashElapsed, 0.0f);
    if (sphere.flashOn) {
      ++switchesToOn;
      EXPECT_GE(sphere.flashU, 0.0f);
      EXPECT_LE(sphere.flashU, 1.0f);
      EXPECT_GE(sphere.flashAngle, 0.0f);
      EXPECT_LE(sphere.flashAngle, 180.0f);
    } else {
      ++switchesToOff;
    }
    wasOn = sphere.flashOn;
    lastSwitch = now;
  }
  EXPECT_GT(switchesToOn, 10);
  EXPECT_GT(switchesToOff, 10);
}

TEST_F(SphereUpdateTest, ConstructorDrawsFlashUThenFlashV) {
  seedRandom(7);
  const double u = randomUnit();
  const double v = randomUnit();
  seedRandom(7);
  Sphere sphere;
  EXPECT_FLOAT_EQ(sphere.flashU, static_cast<float>(u));
  EXPECT_FLOAT_EQ(sphere.flashV, static_cast<float>(v));
  EXPECT_NE(sphere.flashU, sphere.flashV);
}

}  // namespace
