// Drawing particle systems on the headless GL context, read back through
// OpenGL feedback: the state every kind leaves, the dust's fade and its
// re-emission, the global dust, the flash's glare and sweep, and the
// backdrops and particles of line and circ systems.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "feedback_capture.h"
#include "math/interpolation.h"
#include "sphere_test_support.h"
#include "world/particle_system.h"
#include "object_exit_state.h"

namespace sphere_test {
namespace {

using feedback_test::FedPrimitive;
using feedback_test::FedVertex;

constexpr float kExtent = 4000.0f;

// One quad as fed: the corners of its two triangles.
struct FedQuad {
  Vector3 center;
  float cornerDistance;  // from the centre to each corner
  float alpha, red;
};

class ParticleDrawTest : public SphereTest {
 protected:
  void SetUp() override {
    SphereTest::SetUp();
    feedback_test::useCubeProjection(kExtent);
  }

  std::vector<FedPrimitive> feedback(ParticleSystem& system) {
    return feedback_test::captureFeedback([&] { system.draw(camera_); });
  }

  // The quads of a draw, taking its triangles two by two.
  std::vector<FedQuad> quads(ParticleSystem& system) {
    const std::vector<FedPrimitive> drawn = feedback(system);
    std::vector<FedQuad> result;
    for (std::size_t k = 0; k + 1 < drawn.size(); k += 2) {
      std::vector<Vector3> corners;
      for (const FedPrimitive* triangle : {&drawn[k], &drawn[k + 1]}) {
        EXPECT_EQ(triangle->token, GL_POLYGON_TOKEN);
        for (const FedVertex& v : triangle->vertices) {
          corners.push_back(feedback_test::eyeCoordinates(v, kExtent, kWindowSize));
        }
      }
      // Opposite corners of a square: the centre is the middle of the first
      // triangle's longest side, which is a diagonal.
      const Vector3 center = scale(add(corners[1], corners[2]), 0.5f);
      result.push_back({center, subtract(corners[0], center).length(), drawn[k].vertices[0].a, drawn[k].vertices[0].r});
    }
    EXPECT_EQ(drawn.size() % 2, 0u);
    return result;
  }

  static void expectNear(Vector3 actual, Vector3 expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
  }

  Camera camera_;
};

ParticleSystem systemOf(std::int32_t kind, std::int32_t count) {
  ParticleSystem system;
  system.emitterKind = kind;
  system.initParticles(count);
  return system;
}

struct StateCase {
  const char* name;
  std::int32_t kind, count;
  int updates;
};

TEST_F(ParticleDrawTest, EveryKindLeavesTheFramesCommonState) {
  const StateCase cases[] = {
      {"dust", ParticleSystem::kDust, 50, 3},           {"flash", ParticleSystem::kFlash, 10, 30},
      {"flash unbuilt", ParticleSystem::kFlash, 10, 0}, {"flash empty", ParticleSystem::kFlash, 0, 5},
      {"line", ParticleSystem::kLine, 20, 10},          {"line unstarted", ParticleSystem::kLine, 20, 0},
      {"circ", ParticleSystem::kCirc, 20, 10},          {"circ unstarted", ParticleSystem::kCirc, 20, 0},
      {"circ empty", ParticleSystem::kCirc, 0, 0},      {"no kind", ParticleSystem::kNoKind, 5, 0},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.name);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    ParticleSystem system = systemOf(c.kind, c.count);
    system.size = 200;
    for (int k = 0; k < c.updates; ++k) system.update(0.06);
    system.draw(camera_);

    world_test::expectObjectExitState();
    GLint value = 0;
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]) << k;
  }
}

TEST_F(ParticleDrawTest, KindsOtherThanTheFourAndFlashesWithoutParticlesDrawNothing) {
  for (std::int32_t kind : {0, 5, -1}) {
    ParticleSystem system = systemOf(kind, 5);
    EXPECT_TRUE(feedback(system).empty()) << kind;
  }
  ParticleSystem flash = systemOf(ParticleSystem::kFlash, 0);
  flash.update(0.06);
  EXPECT_TRUE(feedback(flash).empty());
}

struct DustCase {
  Vector3 position;
  float shade;  // 1 - easeInOut(distance / 160, 0.2, 0.2)
  bool reemitted;
};

TEST_F(ParticleDrawTest, DustFadesWithDistanceAndIsReemittedBeyond160Point1) {
  const DustCase cases[] = {
      {{0, 0, 0}, 1.0f, false},       {{0, 80, 0}, 0.5f, false}, {{0, 0, -160}, 0.0f, false},
      {{0, 0, 160.05f}, 0.0f, false}, {{161, 0, 0}, 0.0f, true}, {{0, -300, 0}, 0.0f, true},
  };
  ParticleSystem dust = systemOf(ParticleSystem::kDust, static_cast<std::int32_t>(std::size(cases)));
  dust.size = 2.0f;
  for (std::size_t i = 0; i < std::size(cases); ++i) dust.positions[i] = cases[i].position;
  camera_.position = {100, 200, 300};
  const std::vector<FedQuad> drawn = quads(dust);
  ASSERT_EQ(drawn.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const DustCase& c = cases[i];
    expectNear(drawn[i].center, add(camera_.position, c.position), 0.5f);
    EXPECT_NEAR(drawn[i].cornerDistance, 2.0f * std::sqrt(2.0f), 0.5f);
    EXPECT_NEAR(drawn[i].alpha, 0.2f, 1e-3f);
    if (!c.reemitted) {
      EXPECT_NEAR(drawn[i].red, c.shade, 2e-3f);
      expectNear(dust.positions[i], c.position, 0.0f);
      continue;
    }
    const float distance = dust.positions[i].length();
    EXPECT_GE(distance, 100.0f - 1e-3f);
    EXPECT_LE(distance, 160.0f + 1e-3f);
    EXPECT_GE(dust.positions[i].z, 0.0f);
    expectNear(dust.velocities[i], {0, 0, -100}, 0.0f);
    expectNear(dust.accelerations[i], {0, 0, 0}, 0.0f);
  }
}

TEST_F(ParticleDrawTest, ReemittedDustAlwaysLandsOnThePlusZSideWithin100To160) {
  ParticleSystem dust = systemOf(ParticleSystem::kDust, 400);
  dust.draw(camera_);  // the seeded particles lie 250 away: all are re-emitted
  for (std::size_t i = 0; i < 400; ++i) {
    const float distance = dust.positions[i].length();
    EXPECT_GE(distance, 100.0f - 1e-3f) << i;
    EXPECT_LE(distance, 160.0f + 1e-3f) << i;
    EXPECT_GE(dust.positions[i].z, 0.0f) << i;
  }
}

TEST_F(ParticleDrawTest, TheGlobalDustDraws500QuadsOfHalfSize50Point3AroundTheCamera) {
  initGlobalParticles();
  EXPECT_EQ(globalParticles.emitterKind, ParticleSystem::kDust);
  EXPECT_FLOAT_EQ(globalParticles.size, 50.3f);
  ASSERT_EQ(globalParticles.count, 500);
  EXPECT_EQ(globalParticles.texture, 0u);  // this test's registry has no "textures\\particle.jpg"
  EXPECT_FALSE(globalParticles.textured);
  camera_.position = {10, 20, 30};
  const std::vector<Vector3> seeded = globalParticles.positions;
  const std::vector<FedQuad> drawn = quads(globalParticles);
  ASSERT_EQ(drawn.size(), 500u);
  for (std::size_t i = 0; i < 500; ++i) {
    expectNear(drawn[i].center, add(camera_.position, seeded[i]), 0.5f);
    EXPECT_NEAR(drawn[i].cornerDistance, 50.3f * std::sqrt(2.0f), 0.5f) << i;
    EXPECT_NEAR(drawn[i].alpha, 0.2f, 1e-3f) << i;
  }
}

TEST_F(ParticleDrawTest, TheFlashDrawsItsGlareOnTheMiddleParticleAndSweepsItsBrightness) {
  ParticleSystem flash = systemOf(ParticleSystem::kFlash, 10);
  flash.right = {0, 0, 1};  // quads in the screen plane
  flash.position = {100, 0, 0};
  flash.flashStep = 3;
  for (std::size_t i = 0; i < 10; ++i) flash.positions[i] = {0, static_cast<float>(i) * 200.0f - 1000.0f, 0};
  const std::vector<FedQuad> drawn = quads(flash);
  ASSERT_EQ(drawn.size(), 11u);

  const FedQuad& glare = drawn[0];
  expectNear(glare.center, add(flash.position, flash.positions[5]), 0.5f);
  EXPECT_GE(glare.cornerDistance, 2000.0f * std::sqrt(2.0f) - 1.0f);
  EXPECT_LE(glare.cornerDistance, 3000.0f * std::sqrt(2.0f) + 1.0f);
  // 0.2 + 0.4 r - |3| / 10 × 0.2
  EXPECT_GE(glare.alpha, 0.14f - 1e-3f);
  EXPECT_LE(glare.alpha, 0.54f + 1e-3f);
  EXPECT_FLOAT_EQ(flash.size, 250.0f);

  for (std::size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const FedQuad& quad = drawn[1 + i];
    expectNear(quad.center, add(flash.position, flash.positions[i]), 0.5f);
    EXPECT_NEAR(quad.cornerDistance, 250.0f * std::sqrt(2.0f), 0.5f);
    // 1 - |3 - i| / 10 + 0.4 r, clamped to 1.
    const float base = 1.0f - std::fabs(3.0f - static_cast<float>(i)) / 10.0f;
    EXPECT_GE(quad.alpha, base - 1e-3f);
    EXPECT_LE(quad.alpha, std::min(1.0f, base + 0.4f) + 1e-3f);
  }
}

TEST_F(ParticleDrawTest, LineParticlesFadeOverTheirLifeAndGrowWithDistance) {
  ParticleSystem line = systemOf(ParticleSystem::kLine, 3);
  line.point1 = {0, 0, -100};  // the backdrop faces the viewer
  line.positions = {{0, 0, 0}, {500, 0, -1000}, {-500, 0, 0}};
  line.life = {0.5f, 1.0f, 0.0f};
  line.maxLife = {2.0f, 4.0f, 0.0f};  // the last has not been emitted yet
  const std::vector<FedQuad> drawn = quads(line);
  ASSERT_EQ(drawn.size(), 4u);
  // Without a period the backdrop is transparent.
  expectNear(drawn[0].center, {0, 0, 0}, 0.5f);
  EXPECT_NEAR(drawn[0].cornerDistance, 2000.0f * std::sqrt(2.0f), 1.0f);
  EXPECT_NEAR(drawn[0].alpha, 0.0f, 1e-4f);
  const float alphas[] = {0.75f, 0.75f, 0.0f};
  const float halfSizes[] = {800.0f, 1000.0f, 800.0f};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    expectNear(drawn[1 + i].center, line.positions[i], 0.5f);
    EXPECT_NEAR(drawn[1 + i].cornerDistance, halfSizes[i] * std::sqrt(2.0f), 1.0f);
    EXPECT_NEAR(drawn[1 + i].alpha, alphas[i], 1e-3f);
  }
}

struct ProgressCase {
  float elapsed, period, alpha;
};

TEST_F(ParticleDrawTest, ACircBurstFadesInAndOutOncePerPeriod) {
  const ProgressCase cases[] = {{0, 0, 0}, {0, 2, 0}, {0.5f, 2, 0.5f}, {1, 2, 1}, {1.5f, 2, 0.5f}, {2, 2, 0}};
  for (const ProgressCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.elapsed) + " of " + std::to_string(c.period));
    ParticleSystem circ = systemOf(ParticleSystem::kCirc, 2);
    circ.position = {0, 0, 500};
    circ.point1 = {0, 0, 0};
    circ.positions = {{100, 0, 0}, {0, -100, 0}};
    circ.elapsed = c.elapsed;
    circ.period = c.period;
    const std::vector<FedQuad> drawn = quads(circ);
    ASSERT_EQ(drawn.size(), 3u);
    expectNear(drawn[0].center, circ.position, 0.5f);
    for (const FedQuad& quad : drawn) EXPECT_NEAR(quad.alpha, c.alpha, 1e-3f);
    for (std::size_t i = 0; i < 2; ++i) {
      expectNear(drawn[1 + i].center, add(circ.position, circ.positions[i]), 0.5f);
      EXPECT_NEAR(drawn[1 + i].cornerDistance, 1100.0f * std::sqrt(2.0f), 1.0f);
    }
  }
}

}  // namespace
}  // namespace sphere_test
