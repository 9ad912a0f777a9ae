// Drawing flames, read back through OpenGL feedback: the ellipse and its four
// bands for several shapes, the colours at both edges of a band, and the
// state the draw leaves.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "direction/camera.h"
#include "feedback_capture.h"
#include "sphere_test_support.h"
#include "world/flame.h"

namespace sphere_test {
namespace {

using feedback_test::FedPrimitive;
using feedback_test::FedVertex;

constexpr float kExtent = 3000.0f;

struct ShapeCase {
  const char* name;
  float radius, ratio, slope, offset;
  Vector3 center;
};

// How far a point lies from the ellipse of the given radius, in units of
// the relative radius (0 on it): (dx / (r ratio))² + (dz / r)² - 1.
float ellipseError(const Flame& flame, Vector3 p, float r) {
  const float dx = (p.x - flame.center.x) / (r * flame.ellipseRatio);
  const float dz = (p.z - flame.center.z) / r;
  return dx * dx + dz * dz - 1.0f;
}

class FlameDrawTest : public SphereTest {
 protected:
  void SetUp() override {
    SphereTest::SetUp();
    feedback_test::useCubeProjection(kExtent);
  }

  std::vector<FedPrimitive> feedback(Flame& flame) {
    return feedback_test::captureFeedback([&] { flame.draw(camera_); });
  }

  static Vector3 at(const FedVertex& v) { return feedback_test::eyeCoordinates(v, kExtent, kWindowSize); }

  Camera camera_;
};

TEST_F(FlameDrawTest, TheEllipseAndItsFourBandsFollowTheShape) {
  const ShapeCase cases[] = {
      {"size 0", 2000, 1, 0, 200, {0, 0, 0}},  {"wide", 1000, 2, 0, 100, {0, 0, 0}},
      {"tilted", 1000, 1, 1, 100, {0, 0, 0}},  {"moved", 800, 1.5f, 0.5f, 150, {100, -200, 300}},
      {"no offset", 1200, 1, 0, 0, {0, 0, 0}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Flame flame;
    flame.radius = c.radius;
    flame.ellipseRatio = c.ratio;
    flame.slope = c.slope;
    flame.offset = c.offset;
    flame.center = c.center;
    flame.colorFrom = {1, 0.5f, 0};
    flame.colorTo = {0, 0.25f, 1};
    const std::vector<FedPrimitive> drawn = feedback(flame);

    int lines = 0;
    float widest = 0.0f;
    for (const FedPrimitive& primitive : drawn) {
      lines += primitive.token == GL_LINE_TOKEN;
      for (const FedVertex& v : primitive.vertices) {
        const Vector3 p = at(v);
        const bool inner = v.a > 0.5f;
        if (inner) {
          // On the ellipse, in colorFrom; y follows x along the slope.
          EXPECT_NEAR(ellipseError(flame, p, c.radius), 0.0f, 2e-3f);
          EXPECT_NEAR(p.y, c.center.y + p.x * c.slope, 2.0f);
          EXPECT_NEAR(v.r, 1.0f, 1e-4f);
          EXPECT_NEAR(v.g, 0.5f, 1e-4f);
          EXPECT_NEAR(v.a, 1.0f, 1e-4f);
          widest = std::fmax(widest, std::fabs(p.x - c.center.x));
          continue;
        }
        // A far edge, in colorTo with alpha 0: offset above or below the
        // ellipse, or on the ellipses of radius r - offset and r + offset.
        EXPECT_NEAR(v.b, 1.0f, 1e-4f);
        EXPECT_NEAR(v.g, 0.25f, 1e-4f);
        EXPECT_NEAR(v.a, 0.0f, 1e-4f);
        const float lift = p.y - (c.center.y + p.x * c.slope);
        const bool above = std::fabs(lift - c.offset) < 2.0f && std::fabs(ellipseError(flame, p, c.radius)) < 2e-3f;
        const bool below = std::fabs(lift + c.offset) < 2.0f && std::fabs(ellipseError(flame, p, c.radius)) < 2e-3f;
        const float inside = c.radius - c.offset, outside = c.radius + c.offset;
        const Vector3 base(p.x, p.y, p.z);
        const bool inward = std::fabs(ellipseError(flame, base, inside)) < 2e-3f;
        const bool outward = std::fabs(ellipseError(flame, base, outside)) < 2e-3f;
        EXPECT_TRUE(above || below || inward || outward) << p.x << " " << p.y << " " << p.z;
      }
    }
    EXPECT_EQ(lines, Flame::kRingPoints - 1);
    EXPECT_NEAR(widest, c.radius * c.ratio, 1.0f);
  }
}

TEST_F(FlameDrawTest, TheDrawUsesOneStripOfFourClosedBands) {
  Flame flame;
  flame.radius = 2000.0f;
  flame.offset = 300.0f;
  const std::vector<FedPrimitive> drawn = feedback(flame);
  int triangles = 0;
  for (const FedPrimitive& primitive : drawn) triangles += primitive.token == GL_POLYGON_TOKEN;
  // 4 × 201 steps of two vertices: 1608 strip vertices, 1606 triangles,
  // some of them degenerate where one band ends and the next begins.
  EXPECT_LE(triangles, 1606);
  EXPECT_GE(triangles, 1600);
}

TEST_F(FlameDrawTest, TheDrawLeavesBlendingTexturingLightingAndDepthWritesOn) {
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  GLfloat before[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  Flame flame;
  flame.draw(camera_);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(depthWrites, GL_TRUE);
  GLint value = 0;
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE);
  GLfloat after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]) << k;
}

}  // namespace
}  // namespace sphere_test
