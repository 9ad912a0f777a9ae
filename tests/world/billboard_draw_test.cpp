// Drawing billboards on the headless GL context: the state every mode
// leaves, where the square stands and how it is turned (camera, loaded axes,
// roll, rim, parent, parent direction, sky), its colour and blend, the depth
// test it skips, the blink cycle, and the roll's motion.
#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "flare_test_support.h"
#include "sphere_test_support.h"
#include "world/billboard.h"

namespace {

using flare_test::Box;
using flare_test::FedPolygon;

// The test window's side (the GL archive fixture's).
constexpr int kWindow = 64;
// The orthographic view of the geometry tests: world units to window pixels.
constexpr float kOrthoHalf = 10.0f;
constexpr float kPixelsPerUnit = kWindow / (2.0f * kOrthoHalf);

void expectVector(Vector3 actual, Vector3 expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A billboard at the origin that does not roll.
Billboard stillBillboard() {
  Billboard billboard;
  billboard.rollSpeed = 0.0f;
  return billboard;
}

class BillboardDrawTest : public sphere_test::SphereTest {
 protected:
  void SetUp() override {
    SphereTest::SetUp();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-kOrthoHalf, kOrthoHalf, -kOrthoHalf, kOrthoHalf, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  std::vector<FedPolygon> fed(Billboard& billboard) {
    return flare_test::feedback([&] { billboard.draw(camera_); });
  }

  static std::uint8_t redAt(int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return p[0];
  }

  static void clearTo(float grey) {
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  Camera camera_;
};

struct ModeCase {
  const char* name;
  void (*set)(Billboard&, WorldObject& parent);
};

TEST_F(BillboardDrawTest, EveryModeLeavesTheStateTheNextObjectExpects) {
  const ModeCase cases[] = {
      {"plain", [](Billboard&, WorldObject&) {}},
      {"sky", [](Billboard& b, WorldObject&) { b.env = true; b.offset = {0, 0, -50}; }},
      {"parent", [](Billboard& b, WorldObject& p) { b.parent = &p; }},
      {"hidden parent", [](Billboard& b, WorldObject& p) { b.parent = &p; p.visible = false; }},
      {"blend", [](Billboard& b, WorldObject&) { b.blend = true; }},
      {"depth", [](Billboard& b, WorldObject&) { b.depth = true; }},
      {"oreol", [](Billboard& b, WorldObject&) { b.oreol = true; b.offset = {0, 0, -30}; }},
      {"oreol seen from its centre", [](Billboard& b, WorldObject&) { b.oreol = true; }},
      {"sys with parent", [](Billboard& b, WorldObject& p) { b.sys = true; b.parent = &p; }},
      {"sys without parent", [](Billboard& b, WorldObject&) { b.sys = b.orientOff = true; }},
      {"hidden by its blink", [](Billboard& b, WorldObject&) { b.flash = true; b.flashHidden = 1.0f; }},
      {"everything", [](Billboard& b, WorldObject& p) {
         b.env = b.orientOff = b.flash = b.blend = b.depth = b.oreol = b.sys = true;
         b.parent = &p;
         b.offset = {0, 0, 40};
         b.tiling = 4.0f;
       }},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    const flare_test::StateCheck before;
    Sphere parent;
    parent.position = {3, 4, -5};
    Billboard billboard = stillBillboard();
    c.set(billboard, parent);
    billboard.draw(camera_);
    before.expectLeftForTheNextObject();
  }
}

TEST_F(BillboardDrawTest, TheSquareFacesTheCameraWhateverItsLoadedAxes) {
  glRotatef(35.0f, 0.3f, 1.0f, 0.2f);  // a camera turned off every axis
  Billboard billboard = stillBillboard();
  billboard.up = {1, 0, 0};  // loaded axes, replaced by the camera's
  billboard.right = {0, 0, 1};
  billboard.position = {1, 2, 3};
  billboard.size = 2.0f;
  const std::vector<FedPolygon> polygons = fed(billboard);
  ASSERT_EQ(polygons.size(), 2u);  // one strip of two triangles
  const Box box = flare_test::boxAround(polygons);
  EXPECT_NEAR(box.width(), 4.0f * kPixelsPerUnit, 1e-3f);
  EXPECT_NEAR(box.height(), 4.0f * kPixelsPerUnit, 1e-3f);
  // Every corner is a corner of the upright box.
  for (const FedPolygon& triangle : polygons) {
    for (const auto& v : triangle) {
      EXPECT_TRUE(std::fabs(v.x - box.left) < 1e-3f || std::fabs(v.x - box.right) < 1e-3f) << v.x;
      EXPECT_TRUE(std::fabs(v.y - box.bottom) < 1e-3f || std::fabs(v.y - box.top) < 1e-3f) << v.y;
    }
  }
}

TEST_F(BillboardDrawTest, WidthFollowsXyAlongRightAndTheRollTurnsIt) {
  struct Case {
    const char* name;
    bool orientOff;
    Vector3 up, right;
    float roll;
    float width, height;  // in world units
  };
  const Case cases[] = {
      {"facing the camera", false, {0, 1, 0}, {1, 0, 0}, 0.0f, 8.0f, 4.0f},
      {"rolled a quarter turn", false, {0, 1, 0}, {1, 0, 0}, 90.0f, 4.0f, 8.0f},
      {"loaded axes turned a quarter", true, {-1, 0, 0}, {0, 1, 0}, 0.0f, 4.0f, 8.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Billboard billboard = stillBillboard();
    billboard.orientOff = c.orientOff;
    billboard.up = c.up;
    billboard.right = c.right;
    billboard.rollAngle = c.roll;
    billboard.size = 2.0f;
    billboard.xy = 2.0f;
    const Box box = flare_test::boxAround(fed(billboard));
    EXPECT_NEAR(box.width(), c.width * kPixelsPerUnit, 1e-3f);
    EXPECT_NEAR(box.height(), c.height * kPixelsPerUnit, 1e-3f);
  }
}

TEST_F(BillboardDrawTest, AnOreolRingsTheVisibleRimOfItsBody) {
  // Radius 10 seen from 20 units: k = 0.5.
  camera_.position = {0, 0, 20};
  camera_.up = {0, 1, 0};
  Billboard billboard = stillBillboard();
  billboard.oreol = true;
  billboard.oreolRadius = 10.0f;
  billboard.size = 4.0f;
  glLoadIdentity();
  glScalef(0.5f, 0.5f, 0.5f);  // room for the whole square
  const Box box = flare_test::boxAround(fed(billboard));
  expectVector(billboard.position, {0, 0, 5});
  expectVector(billboard.right, {-1, 0, 0});
  expectVector(billboard.up, {0, 1, 0});
  const float s = 7.5f + 0.5f * 4.0f;
  EXPECT_NEAR(box.width(), 2.0f * s * 0.5f * kPixelsPerUnit, 1e-3f);
  EXPECT_NEAR(box.height(), 2.0f * s * 0.5f * kPixelsPerUnit, 1e-3f);

  camera_.position = {0, 0, 0};  // at the body's centre: no rim, nothing drawn
  EXPECT_TRUE(fed(billboard).empty());
}

TEST_F(BillboardDrawTest, AParentPlacesAndTintsTheSquareAndHidesIt) {
  Sphere parent;
  parent.position = {1, 2, 0};
  camera_.up = {0, 3, 0};  // normalised before use
  Billboard billboard = stillBillboard();
  billboard.parent = &parent;
  billboard.offset = {5, 5, 2};  // only z counts
  billboard.tint = {0.25f, 0.5f, 0.75f};
  billboard.alpha = 0.5f;
  float lowest = 1.0f, highest = 0.0f;
  for (int frame = 0; frame < 20; ++frame) {
    const std::vector<FedPolygon> polygons = fed(billboard);
    ASSERT_EQ(polygons.size(), 2u);
    const auto& v = polygons[0][0];
    EXPECT_NEAR(v.r, 0.25f, 1e-3f);
    EXPECT_NEAR(v.g, 0.5f, 1e-3f);
    EXPECT_NEAR(v.b, 0.75f, 1e-3f);
    lowest = std::min(lowest, v.a);
    highest = std::max(highest, v.a);
  }
  expectVector(billboard.position, {1, 4, 0});
  // The glow flickers within alpha .. alpha + 0.3.
  EXPECT_GE(lowest, 0.5f);
  EXPECT_LE(highest, 0.8f + 1e-3f);
  EXPECT_GT(highest - lowest, 0.05f);

  parent.visible = false;
  EXPECT_TRUE(fed(billboard).empty());

  Billboard orphan = stillBillboard();
  orphan.alpha = 0.5f;
  const std::vector<FedPolygon> plain = fed(orphan);
  ASSERT_FALSE(plain.empty());
  EXPECT_NEAR(plain[0][0].r, 1.0f, 1e-3f);
  EXPECT_NEAR(plain[0][0].a, 0.5f, 1e-3f);
}

TEST_F(BillboardDrawTest, SysTurnsTheSquareByTheParentsDirectionFromTheOrigin) {
  Sphere parent;
  parent.position = {10, 0, 0};
  struct Case {
    bool orientOff;
    Vector3 up, right;
  };
  for (const Case& c : {Case{false, {1, 0, 0}, {0, 0, -1}}, Case{true, {0, 1, 0}, {0, 0, -1}}}) {
    SCOPED_TRACE(c.orientOff);
    Billboard billboard = stillBillboard();
    billboard.sys = true;
    billboard.parent = &parent;
    billboard.orientOff = c.orientOff;
    billboard.draw(camera_);
    expectVector(billboard.up, c.up);
    expectVector(billboard.right, c.right);
  }
  // Without a parent there is no direction: the square faces the camera.
  Billboard orphan = stillBillboard();
  orphan.sys = true;
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  orphan.draw(camera_);
  expectVector(orphan.right, {0, -1, 0});
  expectVector(orphan.up, {1, 0, 0});
}

TEST_F(BillboardDrawTest, ASkyBillboardStaysAtItsOffsetFromTheEyeUnderItsOwnProjection) {
  camera_.eye = {4, 5, 6};
  Billboard billboard = stillBillboard();
  billboard.env = true;
  billboard.offset = {0, 0, -10};
  billboard.size = 1.0f;
  glTranslatef(-4.0f, -5.0f, -6.0f);  // the view from the eye
  const Box box = flare_test::boxAround(fed(billboard));
  expectVector(billboard.position, {4, 5, -4});
  // A half side of 1 at distance 10 fills the frustum's half height of 0.1
  // at its near plane of 1, and 3/4 of its half width.
  EXPECT_NEAR(box.height(), kWindow, 1e-2f);
  EXPECT_NEAR(box.width(), 0.75f * kWindow, 1e-2f);
  EXPECT_NEAR(box.centreX(), kWindow / 2.0f, 1e-2f);
}

TEST_F(BillboardDrawTest, TheTextureStandsUprightAndTiles) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::uint8_t white[4] = {255, 255, 255, 255};
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  Billboard billboard = stillBillboard();
  billboard.texture = texture;
  billboard.textured = true;
  billboard.tiling = 2.0f;
  const std::vector<FedPolygon> polygons = fed(billboard);
  const Box box = flare_test::boxAround(polygons);
  for (const FedPolygon& triangle : polygons) {
    for (const auto& v : triangle) {
      EXPECT_FLOAT_EQ(v.s, v.x > box.centreX() ? 2.0f : 0.0f);
      EXPECT_FLOAT_EQ(v.t, v.y > box.centreY() ? 2.0f : 0.0f);
    }
  }
}

TEST_F(BillboardDrawTest, BlendSwitchesFromAdditiveToNormalTransparency) {
  for (const bool blend : {false, true}) {
    SCOPED_TRACE(blend);
    clearTo(0.2f);
    Billboard billboard = stillBillboard();
    billboard.alpha = 0.5f;
    billboard.blend = blend;
    billboard.draw(camera_);
    EXPECT_NEAR(redAt(kWindow / 2, kWindow / 2), blend ? 153 : 179, 2);  // 0.5 + 0.5 × 0.2, or 0.5 + 0.2
  }
}

TEST_F(BillboardDrawTest, DepthAndOreolSquaresIgnoreWhatIsNearer) {
  struct Case {
    const char* name;
    void (*set)(Billboard&);
    bool shows;
  };
  const Case cases[] = {
      {"plain", [](Billboard&) {}, false},
      {"depth", [](Billboard& b) { b.depth = true; }, true},
      {"oreol", [](Billboard& b) { b.oreol = true; b.offset = {0, 0, -60}; b.oreolRadius = 5.0f; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTo(0.0f);
    // A black wall in front of the square, written to the depth buffer only.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(-10, -10, 50), glVertex3f(10, -10, 50), glVertex3f(10, 10, 50), glVertex3f(-10, 10, 50);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    camera_.position = {0, 0, 90};
    Billboard billboard = stillBillboard();
    billboard.size = 5.0f;
    c.set(billboard);
    billboard.draw(camera_);
    EXPECT_EQ(redAt(kWindow / 2, kWindow / 2) > 200, c.shows);
  }
}

TEST_F(BillboardDrawTest, TheBlinkCycleHidesThenShows) {
  struct Case {
    float clock, hidden, shown;
    std::vector<bool> shownEveryHalfSecond;  // at 0.25, 0.75, 1.25, ... seconds
  };
  const Case cases[] = {
      {0.0f, 2.0f, 1.0f, {false, false, false, false, true, true, false, false, false, false, true, true}},
      {2.5f, 2.0f, 1.0f, {true, false, false, false, false, true, true, false, false, false, false, true}},
      {0.0f, 0.0f, 0.0f, std::vector<bool>(12, true)},  // a cycle of no length: always shown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clock);
    Billboard billboard = stillBillboard();
    billboard.flash = true;
    billboard.flashClock = c.clock;
    billboard.flashHidden = c.hidden;
    billboard.flashShown = c.shown;
    billboard.update(0.25);
    for (std::size_t step = 0; step < c.shownEveryHalfSecond.size(); ++step) {
      clearTo(0.0f);
      billboard.draw(camera_);
      EXPECT_EQ(redAt(kWindow / 2, kWindow / 2) > 200, c.shownEveryHalfSecond[step]) << step;
      billboard.update(0.5);
    }
  }
}

TEST_F(BillboardDrawTest, TheRollTurnsAtItsSpeedAndWrapsOnce) {
  struct Case {
    float angle, speed;
    double dt;
    float expected;
  };
  const Case cases[] = {
      {350.0f, 20.0f, 1.0, 10.0f}, {10.0f, -20.0f, 1.0, 350.0f}, {30.0f, 0.0f, 5.0, 30.0f}, {0.0f, 60.0f, 0.5, 30.0f},
  };
  for (const Case& c : cases) {
    Billboard billboard;
    billboard.rollAngle = c.angle;
    billboard.rollSpeed = c.speed;
    billboard.update(c.dt);
    EXPECT_NEAR(billboard.rollAngle, c.expected, 1e-4f) << c.angle << " " << c.speed;
  }
  // Without a "rotation" line every billboard turns at its own speed.
  float slowest = 60.0f, fastest = -60.0f;
  for (int i = 0; i < 200; ++i) {
    const Billboard billboard;
    EXPECT_LE(std::fabs(billboard.rollSpeed), 60.0f);
    slowest = std::min(slowest, billboard.rollSpeed);
    fastest = std::max(fastest, billboard.rollSpeed);
  }
  EXPECT_LT(slowest, -40.0f);
  EXPECT_GT(fastest, 40.0f);
}

}  // namespace
