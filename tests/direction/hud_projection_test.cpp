// Framing objects on the canvas: the projected square against gluProject of
// its corners worked out from the camera, squares behind the camera, keys
// that project, and frozen layers that follow their object.
#include <GL/glu.h>

#include <cmath>

#include "direction/camera.h"
#include "hud_test_support.h"
#include "shell/gl_setup.h"

namespace hud_test {
namespace {

class HudProjectionTest : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    settings::Width = 320;
    settings::Height = 240;
    settings::DefGamma = 1;
    setupGl();
    glViewport(0, 0, kWindowSize, kWindowSize);  // projections ignore the real viewport
    view({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
  }

  void TearDown() override {
    camera.position = camera.eye = Vector3(0, 0, 0);
    camera.look = Vector3(0, 0, -1);
    camera.up = Vector3(0, 1, 0);
    HudTest::TearDown();
  }

  // The frame's view: the camera's look-at on an identity modelview.
  static void view(Vector3 eye, Vector3 look, Vector3 up) {
    camera.eye = camera.position = eye;
    camera.look = look;
    camera.up = up;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.lookAt();
  }

  // The canvas rectangle of the square around `centre`, from gluProject of
  // its corners along the camera's own right and up axes.
  static HudQuad expectedQuad(Vector3 centre, float distance) {
    const Vector3 forward = normalize(camera.look);
    const Vector3 right = normalize(cross(forward, camera.up));
    const Vector3 up = cross(right, forward);
    const Vector3 diagonal = scale(add(right, up), distance);
    GLdouble modelview[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const GLint canvas[4] = {0, 0, 800, 600};
    GLdouble low[3], high[3];
    const Vector3 a = subtract(centre, diagonal), b = add(centre, diagonal);
    gluProject(a.x, a.y, a.z, modelview, projection, canvas, &low[0], &low[1], &low[2]);
    gluProject(b.x, b.y, b.z, modelview, projection, canvas, &high[0], &high[1], &high[2]);
    return HudQuad{float(low[0]), float(low[1]), float(high[0] - low[0]), float(high[1] - low[1])};
  }

  static void expectQuad(const HudQuad& actual, const HudQuad& expected, float tolerance = 0.01f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.width, expected.width, tolerance);
    EXPECT_NEAR(actual.height, expected.height, tolerance);
  }
};

TEST_F(HudProjectionTest, ObjectAheadIsFramedAtTheCentreOfTheCanvas) {
  // 1000 units ahead the frustum spans 1333.3 by 1000 units over 800 by 600.
  moon_.position = Vector3(0, 0, -1000);
  HudQuad quad;
  ASSERT_TRUE(projectToScreen(quad, 100.0f, moon_));
  expectQuad(quad, HudQuad{340, 240, 120, 120});
}

struct ViewCase {
  Vector3 eye, look, up, object;
  float distance;
};

TEST_F(HudProjectionTest, SquareFacesTheCameraAndMatchesGluProjectOfItsCorners) {
  const ViewCase cases[] = {
      {{0, 0, 0}, {0, 0, -1}, {0, 1, 0}, {300, -200, -2500}, 150},
      {{100, 50, -30}, {1, 0, 0}, {0, 1, 0}, {3000, 400, 200}, 500},
      {{10, 20, 30}, {0.3f, -0.2f, -1.0f}, {0.2f, 1.0f, 0.1f}, {700, -600, -4000}, 250},
      {{0, 0, 0}, {0, -1, 0}, {0, 0, -2}, {100, -9000, 300}, 1000},  // looking down, up not unit length
  };
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "object " << c.object.x << " " << c.object.y << " " << c.object.z);
    view(c.eye, c.look, c.up);
    probe_.position = c.object;
    HudQuad quad;
    ASSERT_TRUE(projectToScreen(quad, c.distance, probe_));
    expectQuad(quad, expectedQuad(c.object, c.distance));
    EXPECT_GT(quad.width, 0.0f);
    EXPECT_GT(quad.height, 0.0f);
    // Facing the camera, the square lies at one depth and stays square.
    EXPECT_NEAR(quad.width / quad.height, 1.0f, 1e-3f);
  }
}

TEST_F(HudProjectionTest, SquareBehindTheCameraLeavesTheQuadAsItWas) {
  const Vector3 behind[] = {{0, 0, 1000}, {500, 0, 0}, {0, 0, 0}};
  for (Vector3 position : behind) {
    SCOPED_TRACE(testing::Message() << position.x << " " << position.z);
    moon_.position = position;
    HudQuad quad{1, 2, 3, 4};
    EXPECT_FALSE(projectToScreen(quad, 100.0f, moon_));
    expectQuad(quad, HudQuad{1, 2, 3, 4}, 0.0f);
  }
}

TEST_F(HudProjectionTest, ProjectedKeysFrameTheParentAtTheInterpolatedDistance) {
  HudLayer layer;
  layer.parent = &probe_;
  probe_.position = Vector3(-200, 100, -1500);
  HudKey near = keyAt(0.0f, 1.0f), far = keyAt(10.0f, 1.0f);
  near.project = far.project = true;
  near.distance = 100.0f;
  far.distance = 300.0f;
  layer.keys = {near, far};
  sceneClock = 5.0f;
  layer.update(0.0f);
  EXPECT_FLOAT_EQ(layer.distance, 200.0f);
  EXPECT_TRUE(layer.show);
  EXPECT_FALSE(layer.behindCamera);
  const HudQuad expected = expectedQuad(probe_.position, 200.0f);
  expectQuad(layer.quad, expected);
  expectQuad(layer.keys[0].quad, expected);  // the projection is written into the keys

  // Only the first key projects: the layer moves from the frame to the
  // second key's own quad.
  layer.keys[1].project = false;
  layer.keys[1].quad = HudQuad{0, 0, 0, 0};
  sceneClock = 2.5f;
  layer.update(0.0f);
  const HudQuad framed = expectedQuad(probe_.position, 150.0f);
  expectQuad(layer.quad, HudQuad{framed.x * 0.75f, framed.y * 0.75f, framed.width * 0.75f, framed.height * 0.75f});
}

TEST_F(HudProjectionTest, KeysWithoutAParentOrBehindTheCameraKeepTheirQuads) {
  HudLayer layer;
  HudKey a = keyAt(0.0f, 1.0f, 10.0f, 20.0f), b = keyAt(10.0f, 1.0f, 10.0f, 20.0f);
  a.project = b.project = true;
  a.distance = b.distance = 100.0f;
  layer.keys = {a, b};
  sceneClock = 5.0f;
  layer.update(0.0f);
  expectQuad(layer.quad, HudQuad{10, 20, 100, 50}, 0.0f);
  EXPECT_FALSE(layer.behindCamera);

  layer.parent = &moon_;
  moon_.position = Vector3(0, 0, 2000);
  layer.update(0.0f);
  EXPECT_TRUE(layer.behindCamera);  // not drawn in this frame
  expectQuad(layer.quad, HudQuad{10, 20, 100, 50}, 0.0f);

  moon_.position = Vector3(0, 0, -1000);
  layer.update(0.0f);
  EXPECT_FALSE(layer.behindCamera);
  expectQuad(layer.quad, HudQuad{340, 240, 120, 120});
}

TEST_F(HudProjectionTest, FrozenProjectedLayerFollowsItsObjectInEveryFrame) {
  HudLayerList& layers = loadScript("hud marker\nfreeze\nquad (1 1 1 1)\nproject moon 100\nend\nHUD_END\n");
  ASSERT_EQ(layers.size(), 1u);
  HudLayer& marker = *layers[0];
  ASSERT_TRUE(marker.projected);
  const Vector3 places[] = {{0, 0, -1000}, {400, 300, -2000}, {-50, 10, -800}};
  for (Vector3 place : places) {
    moon_.position = place;
    sceneClock += 7.0f;  // scenes or not
    marker.update(0.0f);
    EXPECT_TRUE(marker.show);
    expectQuad(marker.quad, expectedQuad(place, 100.0f));
  }
}

}  // namespace
}  // namespace hud_test
