// Drawing mesh objects on the headless GL context: the state every flag
// combination leaves, the orientation frame, the blend alpha, textures and
// the texture environment, the metal material, and loading geometry.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "direction/camera.h"
#include "feedback_capture.h"
#include "sphere_test_support.h"
#include "world/mesh_object.h"
#include "object_exit_state.h"

namespace sphere_test {
namespace {

using feedback_test::captureFeedback;
using feedback_test::FedPrimitive;

constexpr float kExtent = 10.0f;

// A list of points at the ends of the three unit axes.
GLuint axisPointsList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_POINTS);
  glVertex3f(1, 0, 0);
  glVertex3f(0, 1, 0);
  glVertex3f(0, 0, 1);
  glEnd();
  glEndList();
  return list;
}

// A list covering the whole clip square, counter-clockwise, textured 0..1.
GLuint fullScreenList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0, 0);
  glVertex3f(-1, -1, 0);
  glTexCoord2f(1, 0);
  glVertex3f(1, -1, 0);
  glTexCoord2f(0, 1);
  glVertex3f(-1, 1, 0);
  glTexCoord2f(1, 1);
  glVertex3f(1, 1, 0);
  glEnd();
  glEndList();
  return list;
}

GLuint greyTexture() {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::uint8_t grey[4] = {128, 128, 128, 255};
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, grey);
  return texture;
}

class MeshObjectDrawTest : public SphereTest {
 protected:
  std::vector<FedPrimitive> feedback(MeshObject& mesh) {
    return captureFeedback([&] { mesh.draw(camera_); });
  }

  Camera camera_;
};

struct FlagCase {
  const char* name;
  void (*set)(MeshObject&);
};

TEST_F(MeshObjectDrawTest, EveryFlagCombinationLeavesTheFramesCommonState) {
  const FlagCase cases[] = {
      {"plain", [](MeshObject&) {}},
      {"hidden", [](MeshObject& m) { m.visible = false; }},
      {"metal", [](MeshObject& m) { m.metal = true; }},
      {"light", [](MeshObject& m) { m.light = true; }},
      {"illum", [](MeshObject& m) { m.illum = true; }},
      {"blend", [](MeshObject& m) { m.blend = true; }},
      {"textured", [](MeshObject& m) { m.textured = true; }},
      {"everything", [](MeshObject& m) { m.metal = m.light = m.illum = m.blend = m.textured = true; }},
  };
  const GLuint list = axisPointsList();
  for (int fog = 0; fog <= 1; ++fog) {
    for (const FlagCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (fog ? ", fog" : ""));
      fogEnabled = static_cast<std::uint8_t>(fog);
      glLoadIdentity();
      glTranslatef(1.0f, 2.0f, 3.0f);
      GLfloat before[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, before);

      MeshObject mesh;
      mesh.displayList = list;
      mesh.position = {4, 5, 6};
      c.set(mesh);
      mesh.draw(camera_);

      world_test::expectObjectExitState();
      GLint value = 0;
      EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
      EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
      EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
      EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
      EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
      EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
      EXPECT_FALSE(glIsEnabled(GL_FOG));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
      glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
      EXPECT_EQ(value, GL_MODULATE);
      GLfloat after[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, after);
      for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]) << "modelview " << k;
    }
  }
}

struct FrameCase {
  const char* name;
  Vector3 look, right, axis;
  float angle, scale;
  Vector3 expected[3];  // where the ends of the mesh's x, y and z axes land
};

TEST_F(MeshObjectDrawTest, TheMeshFrameIsLookRightAndTheirCrossTurnedAboutTheMeshsOwnAxis) {
  const FrameCase cases[] = {
      {"unturned", {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, 0, 1, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {"look along y", {0, 1, 0}, {0, 0, 1}, {0, 1, 0}, 0, 1, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},
      // 90 degrees about the mesh's own z, then the look/right frame.
      {"turned", {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, 90, 1, {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}}},
      {"scaled", {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, 0, 2, {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}}},
      {"not normalised", {2, 0, 0}, {0, 1, 0}, {0, 1, 0}, 0, 1, {{2, 0, 0}, {0, 1, 0}, {0, 0, 2}}},
  };
  const GLuint list = axisPointsList();
  const Vector3 position(1, -2, 3);
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    feedback_test::useCubeProjection(kExtent);
    MeshObject mesh;
    mesh.displayList = list;
    mesh.position = position;
    mesh.look = c.look;
    mesh.right = c.right;
    mesh.axis = c.axis;
    mesh.angle = c.angle;
    mesh.scaleFactor = c.scale;
    const std::vector<FedPrimitive> points = feedback(mesh);
    ASSERT_EQ(points.size(), 3u);
    for (int k = 0; k < 3; ++k) {
      const Vector3 at = feedback_test::eyeCoordinates(points[k].vertices[0], kExtent, kWindowSize);
      EXPECT_NEAR(at.x, position.x + c.expected[k].x, 1e-3f) << k;
      EXPECT_NEAR(at.y, position.y + c.expected[k].y, 1e-3f) << k;
      EXPECT_NEAR(at.z, position.z + c.expected[k].z, 1e-3f) << k;
    }
  }
}

TEST_F(MeshObjectDrawTest, BlendDrawsWithTheFirstColourComponentAsAlpha) {
  struct Case {
    bool blend;
    float alpha;
  };
  feedback_test::useCubeProjection(kExtent);
  const GLuint list = axisPointsList();
  for (const Case c : {Case{true, 0.3f}, Case{false, 1.0f}}) {
    MeshObject mesh;
    mesh.displayList = list;
    mesh.illum = true;  // the colour as sent, not the lit material
    mesh.blend = c.blend;
    mesh.color = {0.3f, 1.0f, 1.0f};
    const std::vector<FedPrimitive> points = feedback(mesh);
    ASSERT_EQ(points.size(), 3u);
    for (const FedPrimitive& p : points) {
      EXPECT_NEAR(p.vertices[0].r, 1.0f, 1e-4f);
      EXPECT_NEAR(p.vertices[0].a, c.alpha, 1e-4f) << c.blend;
    }
  }
}

TEST_F(MeshObjectDrawTest, HiddenMeshesAndMeshesWithoutGeometryDrawNothing) {
  MeshObject hidden;
  hidden.displayList = axisPointsList();
  hidden.visible = false;
  EXPECT_TRUE(feedback(hidden).empty());
  MeshObject early;  // read before any geometry line
  EXPECT_TRUE(feedback(early).empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshObjectDrawTest, UntexturedMeshesDrawWithTheTextureBoundBefore) {
  MeshObject mesh;
  mesh.displayList = axisPointsList();
  mesh.texture = 42;
  glBindTexture(GL_TEXTURE_2D, 7);
  mesh.draw(camera_);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 7);
  mesh.textured = true;
  mesh.draw(camera_);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 42);
}

TEST_F(MeshObjectDrawTest, LightAddsTheTextureToTheColourInsteadOfMultiplying) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  struct Case {
    bool light;
    int red;  // white and a grey of 128
  };
  for (const Case c : {Case{false, 128}, Case{true, 255}}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    MeshObject mesh;
    mesh.look = {1, 0, 0};  // the mesh's own frame is the world's
    mesh.right = {0, 1, 0};
    mesh.displayList = fullScreenList();
    mesh.texture = greyTexture();
    mesh.textured = true;
    mesh.illum = true;
    mesh.light = c.light;
    mesh.draw(camera_);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    std::uint8_t pixel[4] = {};
    glReadPixels(kWindowSize / 2, kWindowSize / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_NEAR(pixel[0], c.red, 1) << c.light;
  }
}

TEST_F(MeshObjectDrawTest, MetalSetsTheSpecularMaterialAndSwitchesLightZeroOnlyWhileDrawing) {
  MeshObject mesh;
  mesh.displayList = axisPointsList();
  mesh.metal = true;
  glEnable(GL_COLOR_MATERIAL);
  mesh.draw(camera_);
  GLfloat specular[4] = {};
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  EXPECT_FLOAT_EQ(specular[0], 0.4f);
  EXPECT_FLOAT_EQ(specular[3], 1.0f);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_FLOAT_EQ(shininess, 19.6f);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(MeshObjectDrawTest, LoadGeometryRecordsANewListAndKeepsTheOldOne) {
  MeshArrays triangle;
  triangle.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  triangle.vertexIndices = {0, 1, 2};
  triangle.texCoordIndices = {0, 0, 0};
  triangle.texCoords = {0, 0};
  triangle.normals.assign(9, 0.0f);
  useArchive({{"meshes\\probe.dat", meshFileBytes(triangle)}});
  MeshObject mesh;
  ASSERT_TRUE(mesh.loadGeometry("meshes\\probe.dat"));
  const std::uint32_t first = mesh.displayList;
  EXPECT_NE(first, 0u);
  ASSERT_TRUE(mesh.loadGeometry("meshes\\missing.dat"));
  EXPECT_NE(mesh.displayList, first);
  EXPECT_TRUE(glIsList(first));

  feedback_test::useCubeProjection(kExtent);
  mesh.displayList = first;
  mesh.look = {1, 0, 0};  // the triangle faces the viewer
  mesh.right = {0, 1, 0};
  const std::vector<FedPrimitive> drawn = feedback(mesh);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].token, GL_POLYGON_TOKEN);
}

}  // namespace
}  // namespace sphere_test
