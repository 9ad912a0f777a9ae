// A golden frame: a lit sphere framed by a HUD layer whose scene keys fade
// it in while the frame closes around the body, drawn as the saver's frame
// draws (the view, the layers' update, the 3D picture, then the layers in the
// canvas), compared with tests/golden/hud_frame_sphere.png.
//
// To regenerate the picture after a deliberate change, run
//   VT_UPDATE_GOLDEN=1 build/bin/hud_golden_test
// and look at the new PNG before accepting it. A mismatch writes the frame
// drawn to test-output/hud_frame_sphere.actual.png in the build directory.
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "hud_test_support.h"
#include "platform/headless/headless.h"
#include "platform/golden_frames.h"
#include "resources/mesh_file.h"
#include "shell/gl_setup.h"
#include "world/sphere.h"
#include "world/sphere_test_support.h"

namespace hud_test {
namespace {

constexpr int kWidth = headless_test::kMonitorWidth;
constexpr int kHeight = headless_test::kMonitorHeight;

// Corner brackets two texels thick and ten long on a faint fill, in a 32 ×
// 32 picture with alpha.
Bytes framePicture() {
  const int side = 32;
  std::vector<std::uint8_t> bgra;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int fromEdgeX = std::min(x, side - 1 - x), fromEdgeY = std::min(y, side - 1 - y);
      const bool bracket = (fromEdgeX < 2 && fromEdgeY < 10) || (fromEdgeY < 2 && fromEdgeX < 10);
      const std::uint8_t alpha = bracket ? 255 : 28;
      bgra.insert(bgra.end(), {255, 255, 255, alpha});
    }
  }
  return tgaBytes(side, side, bgra);
}

// Latitude bands of ochre and cream.
GLuint bandedTexture() {
  const int texels = 32;
  std::vector<std::uint8_t> rgb;
  for (int row = 0; row < texels; ++row) {
    for (int x = 0; x < texels; ++x) {
      const bool light = (row / 4) % 2 == 0;
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(light ? 235 : 190), static_cast<std::uint8_t>(light ? 215 : 140),
                             static_cast<std::uint8_t>(light ? 170 : 80)});
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texels, texels, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return texture;
}

class HudGoldenTest : public HudTest {
 protected:
  void TearDown() override {
    envMeshList = sphereMeshList = haloList = customGeometryList = 0;
    camera.position = camera.eye = Vector3(0, 0, 0);
    HudTest::TearDown();
  }
};

TEST_F(HudGoldenTest, LayerFramesTheSphereOnScreen) {
  Sphere earth;
  earth.setName("earth");
  earth.radius = 110.0f;
  earth.position = Vector3(150.0f, 40.0f, -900.0f);
  earth.spinAxis = Vector3(0, 0, -1);
  earth.spinAngle = 20.0f;
  world_.objects.push_back(&earth);

  const std::string keys =
      "KEYFRAMES\n"
      "keyframe\ntime 0\ncolor (0.4 1 0.6 0)\nproject 170\nend\n"
      "keyframe\ntime 4\ncolor (0.4 1 0.6 1)\nproject 130\nend\n"
      "ENDKEYS\n";
  HudLayerList& layers = loadScript("hud frame\ntexture textures\\frame.tga\nproject earth 100\nend\nHUD_END\n",
                                    {{"textures\\frame.tga", framePicture()},
                                     {"meshes\\sphere.dat", sphere_test::meshFileBytes(sphere_test::uvSphere(24, 48))},
                                     {"scene.txt", gl_archive_test::bytesOf(keys)}});
  ASSERT_EQ(layers.size(), 1u);
  hudLayers = layers;
  layers.clear();
  HudLayer& frame = *hudLayers[0];
  ArchiveFile script;
  ASSERT_TRUE(script.open("scene.txt"));
  char line[kScriptLineCapacity];
  script.readLine(line);
  readHudKeys(frame, script);
  ASSERT_EQ(frame.keys.size(), 2u);

  loadStartupMeshes();
  ASSERT_NE(sphereMeshList, 0u);
  earth.displayList = sphereMeshList;
  earth.texture = bandedTexture();
  earth.textured = true;

  settings::Width = kWidth;
  settings::Height = kHeight;
  settings::DefGamma = 1;
  setupGl();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const GLfloat lightFromUpperLeft[] = {-200000.0f, 100000.0f, 0.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, lightFromUpperLeft);

  camera.position = camera.eye = Vector3(0, 0, 0);
  camera.look = Vector3(0, 0, -1);
  camera.up = Vector3(0, 1, 0);
  sceneClock = 3.0f;
  glLoadIdentity();
  camera.lookAt();
  updateAllHudLayers(0.016f);
  earth.draw(camera);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  enterCanvas(kWidth, kHeight);
  drawAllHudLayers();
  leaveCanvas();
  EXPECT_FLOAT_EQ(frame.color.a, 0.75f);

  golden_test::expectGoldenFrame("hud_frame_sphere", kWidth, kHeight);
}

}  // namespace
}  // namespace hud_test
