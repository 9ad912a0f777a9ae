// Drawing flares on the headless GL context: the depth read-back that
// decides whether the point is seen (covered, clear, behind the camera, off
// the window, in the sky), the main sprite and the 13-sprite lens chain in
// window pixels, the focus and orient rules, the parent's frame, and the
// state every case leaves.
#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "flare_test_support.h"
#include "sphere_test_support.h"
#include "world/flare.h"

namespace {

using flare_test::Box;
using flare_test::FedPolygon;

// The test window's side (the GL archive fixture's).
constexpr int kWindow = 64;
constexpr float kCentre = kWindow / 2.0f;

// The angle in degrees of the polygon's first edge, modulo a quarter turn:
// the turn of a rectangle, whichever corner it starts from.
float quarterTurnOf(const FedPolygon& polygon) {
  const float degrees = std::atan2(polygon[1].y - polygon[0].y, polygon[1].x - polygon[0].x) * 57.29578f;
  return std::fmod(degrees + 360.0f, 90.0f);
}

class FlareDrawTest : public sphere_test::SphereTest {
 protected:
  void SetUp() override {
    SphereTest::SetUp();
    // A camera at the origin looking down -z: a point (x, y, -10) lands on
    // window pixel ((x / 10 + 1) × 32, (y / 10 + 1) × 32).
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera_.look = {0, 0, -1};
    clear();
  }

  static void clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // A square in the plane z, written to the depth buffer only.
  static void drawWall(float z) {
    glDisable(GL_LIGHTING);
    glColor4f(0, 0, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(-100, -100, z), glVertex3f(100, -100, z), glVertex3f(100, 100, z), glVertex3f(-100, 100, z);
    glEnd();
    glEnable(GL_LIGHTING);
  }

  // The sprites that one draw sends, one quad each.
  std::vector<FedPolygon> fed(Flare& flare) {
    return flare_test::quadsOf(flare_test::feedback([&] { flare.draw(camera_); }));
  }

  Camera camera_;
};

TEST_F(FlareDrawTest, ThePointIsSeenOnlyWhereNothingNearerWasDrawn) {
  struct Case {
    const char* name;
    Vector3 position;
    float wall;  // 0: no wall
    bool env;
    bool seen;
  };
  const Case cases[] = {
      {"over the cleared background", {2, 3, -10}, 0.0f, false, true},
      {"behind a nearer body", {2, 3, -10}, -5.0f, false, false},
      {"in front of a farther body", {2, 3, -10}, -20.0f, false, true},
      {"behind the camera, projected into the window", {0, 0, 10}, 0.0f, false, false},
      {"off the window's left edge", {-15, 0, -10}, 0.0f, false, false},
      {"half a pixel off the left edge, truncated onto it", {-10.15625f, 0, -10}, 0.0f, false, true},
      {"off the window's top edge", {0, 12, -10}, 0.0f, false, false},
      {"beyond the far plane", {0, 0, -200}, 0.0f, false, false},
      {"sky flare over the cleared background", {0, 0, -1}, 0.0f, true, true},
      {"sky flare over a far body", {0, 0, -1}, -90.0f, true, false},
      {"sky flare behind the camera", {0, 0, 1}, 0.0f, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clear();
    if (c.wall != 0.0f) drawWall(c.wall);
    Flare flare;
    flare.seen = !c.seen;
    if (c.env) {
      flare.env = true;
      flare.offset = c.position;
    } else {
      flare.position = c.position;
    }
    flare.draw(camera_);
    EXPECT_EQ(flare.seen, c.seen);
  }
}

TEST_F(FlareDrawTest, APointBehindTheCameraIsNeverSeenWhateverItsDepth) {
  // Under an orthographic view a point behind the camera still gets a depth
  // inside the range, in front of the cleared background.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -10, 10, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  for (const float z : {-10.0f, 10.0f}) {
    Flare flare;
    flare.position = {0, 0, z};
    flare.draw(camera_);
    EXPECT_EQ(flare.seen, z < 0.0f) << z;
  }
}

TEST_F(FlareDrawTest, AHiddenParentHidesTheFlareAndLeavesItsTest) {
  Sphere parent;
  parent.visible = false;
  Flare flare;
  flare.parent = &parent;
  flare.intensity = 1.0f;
  flare.seen = true;
  drawWall(-5.0f);
  EXPECT_TRUE(fed(flare).empty());
  EXPECT_TRUE(flare.seen);
}

TEST_F(FlareDrawTest, TheMainSpriteStandsAtThePointsPixelAtItsIntensity) {
  Flare flare;
  flare.position = {5, 2.5f, -10};  // pixel (48, 40)
  flare.size = 4.0f;
  flare.xy = 2.0f;
  flare.intensity = 0.5f;
  flare.lumin = 1.5f;
  std::vector<FedPolygon> polygons = fed(flare);
  ASSERT_EQ(polygons.size(), 1u);
  Box box = flare_test::boxAround(polygons);
  EXPECT_NEAR(box.centreX(), 48.0f, 1e-3f);
  EXPECT_NEAR(box.centreY(), 40.0f, 1e-3f);
  EXPECT_NEAR(box.width(), 16.0f, 1e-3f);
  EXPECT_NEAR(box.height(), 8.0f, 1e-3f);
  for (const auto& v : polygons[0]) {
    EXPECT_NEAR(v.r, 1.0f, 1e-4f);
    EXPECT_NEAR(v.a, 0.75f, 1e-4f);
  }
  // Texture coordinates: the picture upright.
  for (const auto& v : polygons[0]) {
    EXPECT_FLOAT_EQ(v.s, v.x > 48.0f ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(v.t, v.y > 40.0f ? 1.0f : 0.0f);
  }

  flare.rotationAngle = 90.0f;
  box = flare_test::boxAround(fed(flare));
  EXPECT_NEAR(box.width(), 8.0f, 1e-3f);
  EXPECT_NEAR(box.height(), 16.0f, 1e-3f);

  flare.intensity = 0.0f;
  EXPECT_TRUE(fed(flare).empty());
}

TEST_F(FlareDrawTest, TheLensChainRunsFromThePointThroughTheCentre) {
  struct Sprite {
    float position, size;
  };
  const Sprite chain[kLensSpriteCount] = {
      {-0.08f, 1.0f}, {0.21f, 0.1f}, {0.32f, 0.5f}, {0.7f, 0.1f},  {0.85f, 0.2f}, {0.89f, 0.12f}, {1.21f, 0.05f},
      {1.39f, 0.2f},  {1.44f, 0.4f}, {1.8f, 1.3f},  {-0.3f, 0.5f}, {0.6f, 0.2f},  {0.4f, 0.4f},
  };
  const int textures[kLensSpriteCount] = {2, 0, 2, 1, 1, 1, 1, 0, 1, 2, 2, 1, 0};
  Flare flare;
  flare.position = {5, 2.5f, -10};  // P = (48, 40); the centre S = (32, 32)
  flare.intensity = 0.2f;           // the lens sprites do not follow it
  flare.lensEffect = true;
  flare.lensSize = 10.0f;
  const std::vector<FedPolygon> polygons = fed(flare);
  ASSERT_EQ(polygons.size(), 1u + kLensSpriteCount);
  for (int i = 0; i < kLensSpriteCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(kLensChain[i].texture, textures[i]);
    const Box box = flare_test::boxAround({polygons[1 + i]});
    EXPECT_NEAR(box.centreX(), 48.0f - 16.0f * chain[i].position, 1e-3f);
    EXPECT_NEAR(box.centreY(), 40.0f - 8.0f * chain[i].position, 1e-3f);
    EXPECT_NEAR(box.width(), 20.0f * chain[i].size, 1e-3f);
    EXPECT_NEAR(box.height(), 20.0f * chain[i].size, 1e-3f);
    const auto& v = polygons[1 + i][0];
    EXPECT_NEAR(v.r, 0.3f + i / 30.0f, 1e-4f);
    EXPECT_NEAR(v.g, 0.2f, 1e-4f);
    EXPECT_NEAR(v.b, std::max(0.0f, 1.0f - i / 10.0f), 1e-4f);
    EXPECT_NEAR(v.a, 0.1f, 1e-4f);
  }
}

TEST_F(FlareDrawTest, AtTheCentreTheLensChainCollapsesOntoIt) {
  Flare flare;
  flare.position = {0, 0, -10};
  flare.intensity = 1.0f;
  flare.lensEffect = true;
  const std::vector<FedPolygon> polygons = fed(flare);
  ASSERT_EQ(polygons.size(), 1u + kLensSpriteCount);
  for (const FedPolygon& polygon : polygons) {
    const Box box = flare_test::boxAround({polygon});
    EXPECT_NEAR(box.centreX(), kCentre, 1e-3f);
    EXPECT_NEAR(box.centreY(), kCentre, 1e-3f);
  }
}

TEST_F(FlareDrawTest, FocusDimsTheSpriteAwayFromTheOffsetDirection) {
  struct Case {
    const char* name;
    float focus;
    float degreesAway;
    float alpha;
  };
  const Case cases[] = {
      {"straight at it", 0.9f, 0.0f, 1.0f},
      {"30 degrees away", 0.9f, 30.0f, 0.0f},
      {"30 degrees away, wide focus", 0.5f, 30.0f, (0.8660254f - 0.5f) / 0.5f},
      {"a threshold of 1, straight at it", 1.0f, 0.0f, 1.0f},
      {"a threshold of 1, 30 degrees away", 1.0f, 30.0f, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const float radians = c.degreesAway / 57.29578f;
    camera_.look = {std::sin(radians), 0, -std::cos(radians)};
    Flare flare;
    flare.env = true;
    flare.offset = {0, 0, -4};  // normalised for the focus
    flare.useFocus = true;
    flare.focus = c.focus;
    flare.intensity = 1.0f;
    const std::vector<FedPolygon> polygons = fed(flare);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_NEAR(polygons[0][0].a, c.alpha, 1e-4f);
  }
}

TEST_F(FlareDrawTest, OrientTurnsEverySpriteByTheAngleOfThePoint) {
  Flare flare;
  flare.position = {5, 2.5f, -10};  // P = (48, 40)
  flare.intensity = 1.0f;
  flare.lensEffect = true;
  flare.orient = true;
  flare.orientPoint = {kCentre + 7.0f, kCentre, 0};  // straight right of the centre
  flare.rotationAngle = 10.0f;                       // the main sprite's own roll
  const float turn = 90.0f * 48.0f / std::sqrt(48.0f * 48.0f + 40.0f * 40.0f);
  const std::vector<FedPolygon> polygons = fed(flare);
  ASSERT_EQ(polygons.size(), 1u + kLensSpriteCount);
  EXPECT_NEAR(quarterTurnOf(polygons[0]), std::fmod(10.0f + turn, 90.0f), 1e-2f);
  for (int i = 1; i <= kLensSpriteCount; ++i) EXPECT_NEAR(quarterTurnOf(polygons[i]), turn, 1e-2f) << i;
}

TEST_F(FlareDrawTest, AParentCarriesThePointInItsOwnFrame) {
  Sphere parent;
  parent.position = {10, 20, -30};
  parent.right = {1, 0, 0};
  parent.look = {0, 0, 1};  // its up is right × look = (0, -1, 0)
  Flare flare;
  flare.parent = &parent;
  flare.offset = {1, 2, 3};
  flare.draw(camera_);
  EXPECT_FLOAT_EQ(flare.position.x, 11.0f);
  EXPECT_FLOAT_EQ(flare.position.y, 18.0f);
  EXPECT_FLOAT_EQ(flare.position.z, -27.0f);
}

struct StateCase {
  const char* name;
  void (*set)(Flare&, WorldObject& parent);
};

TEST_F(FlareDrawTest, EveryCaseLeavesTheStateTheNextObjectExpects) {
  const StateCase cases[] = {
      {"dark", [](Flare&, WorldObject&) {}},
      {"lit", [](Flare& f, WorldObject&) { f.intensity = 1.0f; }},
      {"lit with lens chain and orient", [](Flare& f, WorldObject&) {
         f.intensity = 1.0f;
         f.lensEffect = f.orient = true;
       }},
      {"sky", [](Flare& f, WorldObject&) { f.env = true; f.intensity = 1.0f; f.offset = {0, 0, -1}; }},
      {"parent", [](Flare& f, WorldObject& p) { f.parent = &p; f.intensity = 1.0f; }},
      {"hidden parent", [](Flare& f, WorldObject& p) { f.parent = &p; p.visible = false; }},
      {"behind the camera", [](Flare& f, WorldObject&) { f.position = {0, 0, 10}; f.intensity = 1.0f; }},
      {"in the camera's plane", [](Flare& f, WorldObject&) { f.position = {1, 1, 0}; f.intensity = 1.0f; }},
      {"off the window", [](Flare& f, WorldObject&) { f.position = {1e9f, 0, -10}; f.intensity = 1.0f; }},
      {"focus of 1", [](Flare& f, WorldObject&) { f.useFocus = true; f.focus = 1.0f; f.intensity = 1.0f; }},
      {"a point of no number", [](Flare& f, WorldObject&) {
         f.position = {std::nanf(""), INFINITY, -10};
         f.intensity = 1.0f;
         f.lensEffect = true;
       }},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.name);
    glLoadIdentity();
    glTranslatef(0.5f, -0.5f, -1.0f);
    const flare_test::StateCheck before;
    Sphere parent;
    parent.position = {0, 0, -20};
    Flare flare;
    flare.position = {0, 0, -10};
    c.set(flare, parent);
    flare.draw(camera_);
    before.expectLeftForTheNextObject();
  }
}

}  // namespace
