// Drawing spheres on the headless GL context: the state every draw leaves,
// the blend functions the flags choose, the camera-facing atmosphere frame,
// the scan effect (read back through OpenGL feedback) and a lit textured body.
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"
#include "object_exit_state.h"
#include "sphere_test_support.h"

namespace sphere_test {
namespace {

// One vertex of a feedback buffer: window x, y, z, RGBA and, when asked for,
// the texture coordinates s and t after the texture matrix.
struct FedVertex {
  float x, y, z, r, g, b, a, s = 0.0f, t = 0.0f;
};
using FedPolygon = std::vector<FedVertex>;

class SphereDrawTest : public SphereTest {
 protected:
  void SetUp() override {
    SphereTest::SetUp();
    // Draws in clip space: the sphere's own frame scaled by its radius.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  // A list holding one counter-clockwise triangle in the z = 0 plane.
  static GLuint triangleList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glVertex3f(0.5f, -0.5f, 0.0f);
    glVertex3f(0.0f, 0.5f, 0.0f);
    glEnd();
    glEndList();
    return list;
  }

  // A list covering the whole clip square, facing the viewer.
  static GLuint fullScreenList() {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glEnd();
    glEndList();
    return list;
  }

  // A sphere in its own unturned frame at the origin, drawing `list`.
  static Sphere unturnedSphere(GLuint list) {
    Sphere sphere;
    sphere.displayList = list;
    sphere.orientAngle = 0.0f;
    sphere.radius = 1.0f;
    return sphere;
  }

  // The polygons (and points, as one-vertex polygons) that one draw sends.
  static std::vector<FedPolygon> feedback(Sphere& sphere, const Camera& camera, bool withTexture = false) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), withTexture ? GL_3D_COLOR_TEXTURE : GL_3D_COLOR,
                     buffer.data());
    glRenderMode(GL_FEEDBACK);
    sphere.draw(camera);
    const GLint used = glRenderMode(GL_RENDER);
    const GLint stride = withTexture ? 11 : 7;  // texture coordinates come as s, t, r, q
    std::vector<FedPolygon> polygons;
    auto vertexAt = [&](GLint at) {
      FedVertex v{buffer[at], buffer[at + 1], buffer[at + 2], buffer[at + 3], buffer[at + 4], buffer[at + 5],
                  buffer[at + 6]};
      if (withTexture) v.s = buffer[at + 7], v.t = buffer[at + 8];
      return v;
    };
    for (GLint at = 0; at < used;) {
      const auto token = static_cast<GLint>(buffer[at++]);
      FedPolygon polygon;
      const GLint count = token == GL_POLYGON_TOKEN ? static_cast<GLint>(buffer[at++]) : 1;
      for (GLint k = 0; k < count; ++k, at += stride) polygon.push_back(vertexAt(at));
      polygons.push_back(polygon);
    }
    return polygons;
  }

  static int redAt(int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return p[0];
  }

  // Window coordinates of clip-space x and y on the test window.
  static float windowCoordinate(float clip) { return (clip + 1.0f) * 0.5f * kWindowSize; }

  Camera camera_;
};

struct FlagCase {
  const char* name;
  void (*set)(Sphere&);
  float clock;
};

TEST_F(SphereDrawTest, EveryFlagCombinationLeavesTheStateTheNextObjectExpects) {
  useArchive({{"meshes\\sphere.dat", meshFileBytes(uvSphere(6, 8))}});
  loadSphereArrays("meshes\\sphere.dat");
  static Sphere parent;
  const FlagCase cases[] = {
      {"plain", [](Sphere&) {}, 0},
      {"translucent", [](Sphere& s) { s.alpha = 0.5f; }, 0},
      {"translucent sun", [](Sphere& s) { s.alpha = 0.5f; s.light = true; }, 0},
      {"alpha texture", [](Sphere& s) { s.alphaTexture = true; }, 0},
      {"sky", [](Sphere& s) { s.env = true; }, 0},
      {"atmosphere", [](Sphere& s) { s.atmo = true; s.position = {0, 0, -5}; }, 0},
      {"flash", [](Sphere& s) { s.flash = true; s.flashOn = true; }, 0},
      {"random flash", [](Sphere& s) { s.flash = s.rnd = s.alphaTexture = true; }, 0},
      {"wire before the plane", [](Sphere& s) { s.wire = true; }, 3},
      {"wire sweeping", [](Sphere& s) { s.wire = true; }, 15},
      {"wire done", [](Sphere& s) { s.wire = true; }, 26},
      {"mask", [](Sphere& s) { s.mask = s.depth = true; }, 0},
      {"sys with parent", [](Sphere& s) { s.sys = true; s.parent = &parent; }, 0},
      {"sys without parent", [](Sphere& s) { s.sys = true; }, 0},
      {"everything", [](Sphere& s) {
         s.alpha = 0.3f;
         s.env = s.light = s.atmo = s.wire = s.depth = s.mask = s.flash = s.rnd = s.sys = true;
       }, 20},
  };
  const GLuint list = triangleList();
  for (int fog = 0; fog <= 1; ++fog) {
    for (const FlagCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (fog ? ", fog" : ""));
      fogEnabled = static_cast<std::uint8_t>(fog);
      sceneClock = c.clock;
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      glTranslatef(1.0f, 2.0f, 3.0f);
      GLfloat modelviewBefore[16], projectionBefore[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, modelviewBefore);
      glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);

      Sphere sphere = unturnedSphere(list);
      c.set(sphere);
      sphere.draw(camera_);

      world_test::expectObjectExitState();
      GLint value = 0;
      EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
      glGetIntegerv(GL_CULL_FACE_MODE, &value);
      EXPECT_EQ(value, GL_BACK);
      EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
      EXPECT_FALSE(glIsEnabled(GL_FOG));
      EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
      EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

      GLfloat matrix[16];
      glGetFloatv(GL_TEXTURE_MATRIX, matrix);
      for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], k % 5 == 0 ? 1.0f : 0.0f) << "texture matrix " << k;
      glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
      for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], modelviewBefore[k]) << "modelview " << k;
      glGetFloatv(GL_PROJECTION_MATRIX, matrix);
      for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], projectionBefore[k]) << "projection " << k;
    }
  }
}

TEST_F(SphereDrawTest, TranslucentSpheresBlendAdditivelyUnlessSelfLit) {
  struct Case {
    const char* name;
    bool light, alphaTexture;
    int red;  // over a background of 0.2, with the function (one, zero) set before
  };
  const Case cases[] = {
      {"additive", false, false, 179},        // 0.5 × 1 + 0.2
      {"left as it was", true, false, 255},   // 1 × 1 + 0 × 0.2
      {"alpha texture", false, true, 153},    // 0.5 × 1 + 0.5 × 0.2
  };
  const GLuint list = fullScreenList();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);  // the colour's alpha reaches the blend
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    Sphere sphere = unturnedSphere(list);
    sphere.alpha = 0.5f;
    sphere.light = c.light;
    sphere.alphaTexture = c.alphaTexture;
    sphere.draw(camera_);
    EXPECT_NEAR(redAt(kWindowSize / 2, kWindowSize / 2), c.red, 2);
  }
}

TEST_F(SphereDrawTest, FlashLayerIsOffsetOnTheTiledTextureAndFades) {
  const GLuint corner = glGenLists(1);
  glNewList(corner, GL_COMPILE);
  glBegin(GL_POINTS);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glEnd();
  glEndList();
  // A complete texture, so that the texture unit (and its matrix) is live.
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::uint8_t white[4] = {255, 255, 255, 255};
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  struct Case {
    bool on;
    float alpha;
  };
  for (const Case c : {Case{true, 0.25f}, Case{false, 0.75f}}) {
    Sphere layer = unturnedSphere(corner);
    layer.texture = texture;
    layer.textured = true;
    layer.flash = true;
    layer.flashOn = c.on;
    layer.flashElapsed = 0.125f;
    layer.flashDuration = 0.5f;
    layer.flashU = 0.25f;
    layer.flashV = 0.5f;
    layer.tiling = 2.0f;
    glDisable(GL_LIGHTING);  // the layer's colour as sent
    const std::vector<FedPolygon> points = feedback(layer, camera_, true);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0][0].a, c.alpha, 1e-4f) << c.on;
    // Scaled by the tiling after the offset: (1 + 0.25, 1 + 0.5) × 2.
    EXPECT_NEAR(points[0][0].s, 2.5f, 1e-5f);
    EXPECT_NEAR(points[0][0].t, 3.0f, 1e-5f);
  }
}

TEST_F(SphereDrawTest, SysSpheresMoveByTheirParentAndSkiesStayWithTheCamera) {
  Sphere parent;
  parent.position = {1, 2, 3};
  camera_.eye = {7, 8, 9};
  camera_.position = {4, 5, 6};
  Sphere moon = unturnedSphere(triangleList());
  moon.sys = true;
  moon.parent = &parent;
  moon.position = {10, 0, 0};
  moon.draw(camera_);
  EXPECT_FLOAT_EQ(moon.position.x, 11.0f);
  EXPECT_FLOAT_EQ(moon.position.z, 3.0f);
  moon.parent = nullptr;
  moon.draw(camera_);
  EXPECT_FLOAT_EQ(moon.position.x, 11.0f);

  Sphere sky = unturnedSphere(triangleList());
  sky.env = true;
  sky.draw(camera_);
  EXPECT_FLOAT_EQ(sky.position.x, 4.0f);
  EXPECT_FLOAT_EQ(sky.position.z, 6.0f);
}

TEST_F(SphereDrawTest, AtmosphereFrameLooksFromTheCameraThroughTheSphere) {
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10, 10, -10, 10, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  const GLuint axes = glGenLists(1);
  glNewList(axes, GL_COMPILE);
  glBegin(GL_POINTS);
  glVertex3f(1, 0, 0);
  glVertex3f(0, 1, 0);
  glVertex3f(0, 0, 1);
  glEnd();
  glEndList();

  Sphere shell = unturnedSphere(axes);
  shell.atmo = true;
  shell.radius = 5.0f;
  shell.orientAngle = 90.0f;  // ignored for shells
  camera_.position = {10, 0, 10};
  camera_.up = {0, 1, 0};
  const std::vector<FedPolygon> points = feedback(shell, camera_);
  ASSERT_EQ(points.size(), 3u);
  // x along D, from the camera through the sphere; y along D × up; z along
  // D × y. Each 5 units long.
  const float h = 5.0f * std::sqrt(0.5f);
  const Vector3 expected[] = {{-h, 0, -h}, {h, 0, -h}, {0, -5, 0}};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(points[k][0].x, (expected[k].x / 10 + 1) * 0.5f * kWindowSize, 0.01f) << k;
    EXPECT_NEAR(points[k][0].y, (expected[k].y / 10 + 1) * 0.5f * kWindowSize, 0.01f) << k;
    EXPECT_NEAR(points[k][0].z, (-expected[k].z / 10 + 1) * 0.5f, 1e-4f) << k;
  }
}

// Scan-pass fixture: the sphere arrays hold two triangles whose corners lie
// at known heights, the sphere's own list one triangle.
class SphereScanTest : public SphereDrawTest {
 protected:
  void SetUp() override {
    SphereDrawTest::SetUp();
    MeshArrays mesh;
    mesh.positions = {-0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.1f, 0.0f, 0.5f, -0.2f,
                      -0.5f, 0.0f,  0.3f, 0.5f, 0.0f,  0.25f, 0.0f, 0.9f, 0.1f};
    mesh.vertexIndices = {0, 1, 2, 3, 4, 5};
    mesh.texCoordIndices = {0, 0, 0, 0, 0, 0};
    mesh.texCoords = {0.5f, 0.5f};
    mesh.normals.assign(18, 0.0f);
    useArchive({{"meshes\\sphere.dat", meshFileBytes(mesh)}});
    loadSphereArrays("meshes\\sphere.dat");
    sphere_ = unturnedSphere(triangleList());
    sphere_.wire = true;
    sphere_.radius = 0.5f;
    sphere_.color = {0.25f, 0.5f, 0.75f};
  }

  static void expectColour(const FedPolygon& polygon, float r, float g, float b, float a) {
    for (const FedVertex& v : polygon) {
      EXPECT_NEAR(v.r, r, 1e-3f);
      EXPECT_NEAR(v.g, g, 1e-3f);
      EXPECT_NEAR(v.b, b, 1e-3f);
      EXPECT_NEAR(v.a, a, 1e-3f);
    }
  }

  // The plane's two triangles: colour, height and half width (in the
  // sphere's frame, before its radius).
  void expectPlane(const FedPolygon& first, const FedPolygon& second, float height, float halfWidth) {
    for (const FedPolygon* triangle : {&first, &second}) {
      expectColour(*triangle, 0.4f, 0.5f, 0.8f, 0.2f);
      for (const FedVertex& v : *triangle) {
        EXPECT_NEAR(std::abs(v.x - windowCoordinate(0.0f)), halfWidth * sphere_.radius * 0.5f * kWindowSize, 0.01f);
        EXPECT_NEAR(std::abs(v.y - windowCoordinate(0.0f)), 1.5f * sphere_.radius * 0.5f * kWindowSize, 0.01f);
        EXPECT_NEAR(v.z, (height * sphere_.radius + 1.0f) * 0.5f, 1e-4f);
      }
    }
  }

  Sphere sphere_;
};

TEST(ScanPlane, HeightAndWidthFollowTheSceneClock) {
  struct Case {
    float t, height, width;
  };
  const Case cases[] = {{5, 1, 0}, {7, 1, 0.4f}, {10, 1, 1}, {15, 0, 1}, {20, -1, 1}, {22.5f, -1, 0.5f}, {25, -1, 0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(scanPlaneAt(c.t).height, c.height, 1e-6f) << c.t;
    EXPECT_NEAR(scanPlaneAt(c.t).width, c.width, 1e-6f) << c.t;
  }
}

TEST_F(SphereScanTest, BeforeFiveSecondsOnlyTheSilhouetteIsDrawn) {
  sceneClock = 3.0f;
  const std::vector<FedPolygon> polygons = feedback(sphere_, camera_);
  ASSERT_EQ(polygons.size(), 1u);
  expectColour(polygons[0], 0.25f, 0.5f, 0.75f, 1.0f);
}

TEST_F(SphereScanTest, AtSevenSecondsThePlaneGrowsAtTheTop) {
  sceneClock = 7.0f;
  const std::vector<FedPolygon> polygons = feedback(sphere_, camera_);
  ASSERT_EQ(polygons.size(), 5u);  // silhouette, two body triangles, the plane's two
  expectColour(polygons[0], 0.25f, 0.5f, 0.75f, 1.0f);
  expectColour(polygons[1], 1, 1, 1, 0);  // nothing of the body is above z = 1
  expectColour(polygons[2], 1, 1, 1, 0);
  expectPlane(polygons[3], polygons[4], 1.0f, 1.5f * 0.4f);
}

TEST_F(SphereScanTest, AtFifteenSecondsCornersAboveTheMiddleShow) {
  sceneClock = 15.0f;
  const std::vector<FedPolygon> polygons = feedback(sphere_, camera_);
  ASSERT_EQ(polygons.size(), 5u);
  // Corner heights 0.5, 0.1, -0.2 and 0.3, 0.25, 0.1: alpha 4z above 0.
  const float alphas[2][3] = {{1.0f, 0.4f, 0.0f}, {1.0f, 1.0f, 0.4f}};
  for (int triangle = 0; triangle < 2; ++triangle) {
    ASSERT_EQ(polygons[1 + triangle].size(), 3u);
    for (int corner = 0; corner < 3; ++corner) {
      EXPECT_NEAR(polygons[1 + triangle][corner].a, alphas[triangle][corner], 1e-3f) << triangle << corner;
    }
  }
  EXPECT_NEAR(sphere_.alpha, 0.4f, 1e-6f);  // the last corner's alpha stays in the field
  expectPlane(polygons[3], polygons[4], 0.0f, 1.5f);
}

TEST_F(SphereScanTest, AfterTwentyFiveSecondsTheSphereIsDrawnNormally) {
  sceneClock = 26.0f;
  const std::vector<FedPolygon> polygons = feedback(sphere_, camera_);
  ASSERT_EQ(polygons.size(), 1u);
  expectColour(polygons[0], 1, 1, 1, 1);
  EXPECT_FLOAT_EQ(sphere_.alpha, 1.0f);
}

// A lit, textured body with the saver's projection over the whole drawable,
// light from the right and a picture of longitude bands with a blue south.
// Set VT_SPHERE_PICTURE to a PNG path to look at it.
TEST_F(SphereDrawTest, LitTexturedBodyIsLitFromTheLightWithNorthUp) {
  useArchive({{"meshes\\sphere.dat", meshFileBytes(uvSphere(24, 48))}});
  loadStartupMeshes();
  ASSERT_NE(sphereMeshList, 0u);

  const int bands = 8, texels = 64;
  std::vector<std::uint8_t> picture(texels * texels * 3);
  for (int row = 0; row < texels; ++row) {  // row 0 is v = 0, the south
    for (int x = 0; x < texels; ++x) {
      std::uint8_t* p = &picture[(row * texels + x) * 3];
      const bool south = row < texels * 3 / 8;  // south of 22.5 degrees
      const bool lightBand = (x * bands / texels) % 2 == 0;
      p[0] = south ? 40 : lightBand ? 230 : 150;
      p[1] = south ? 80 : lightBand ? 160 : 100;
      p[2] = south ? 255 : 40;
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texels, texels, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.data());

  setupGl();
  const int width = headless_test::kMonitorWidth, height = headless_test::kMonitorHeight;
  glViewport(0, 0, width, height);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const GLfloat lightFromTheRight[] = {100000.0f, 0.0f, -400.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, lightFromTheRight);

  Sphere body;
  body.displayList = sphereMeshList;
  body.texture = texture;
  body.textured = true;
  body.radius = 100.0f;
  body.position = {0, 0, -400};
  body.spinAxis = {0, 0, -1};  // about the pole
  body.spinAngle = 30.0f;
  body.draw(camera_);

  std::vector<std::uint8_t> frame;
  ASSERT_TRUE(platform::headless::captureFrame(width, height, frame));
  if (const char* path = std::getenv("VT_SPHERE_PICTURE")) image::writePng(path, width, height, frame);
  auto pixel = [&](int x, int yFromTop) { return &frame[(static_cast<std::size_t>(yFromTop) * width + x) * 4]; };
  auto brightness = [&](int x, int yFromTop) {
    const std::uint8_t* p = pixel(x, yFromTop);
    return p[0] + p[1] + p[2];
  };
  // 100 units at 400 of a frustum 80 high at 80: a disc of 60 pixels radius.
  const int cx = width / 2, cy = height / 2;
  EXPECT_GT(brightness(cx + 40, cy), 200);
  EXPECT_LT(brightness(cx - 40, cy), 30);
  EXPECT_EQ(brightness(5, 5), 0);
  EXPECT_EQ(brightness(cx + 62, cy), 0);
  const std::uint8_t* north = pixel(cx + 30, cy - 48);
  const std::uint8_t* south = pixel(cx + 30, cy + 48);
  EXPECT_GT(north[0], north[2]);
  EXPECT_GT(south[2], south[0]);
}

}  // namespace
}  // namespace sphere_test
