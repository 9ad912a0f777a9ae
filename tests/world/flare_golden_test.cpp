// Golden frames of the flare's occlusion fade: a tiny world read from a world
// file (a banded planet, a flare with its lens chain in front of it and a
// flare behind it), updated and drawn frame by frame as the saver's frame
// does, at 30 frames per second. Both flares start at full intensity; the one
// behind the planet fades out while the one in front stays. Frames 0, 5 and
// 15 are compared with tests/golden/flare_occlusion_{0,5,15}.png.
//
// To regenerate the pictures after a deliberate change, run
//   VT_UPDATE_GOLDEN=1 build/bin/flare_golden_test
// and look at the new PNGs before accepting them (tests/platform/golden_frames.h).
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "direction/camera.h"
#include "flare_test_support.h"
#include "platform/headless/headless.h"
#include "platform/golden_frames.h"
#include "platform/headless_fixture.h"
#include "resources/mesh_file.h"
#include "shell/gl_setup.h"
#include "shell/settings.h"
#include "sphere_test_support.h"
#include "world/flare.h"
#include "world/world_file.h"

namespace {

using flare_test::Bytes;

constexpr int kWidth = headless_test::kMonitorWidth;
constexpr int kHeight = headless_test::kMonitorHeight;
constexpr double kFrameSeconds = 1.0 / 30.0;

// A planet 700 units across at 2000 units, covering the window's middle; a
// flare on the near side of its upper left, and one far behind it that
// projects onto the disc just right of the centre.
const char* const kWorldFile =
    "sphere\nbegin planet\norbit\nradius 700\nposition V(0 0 -2000)\ntexture textures\\bands.tga\nend\n"
    "flare\nbegin\nposition V(-300 200 -1200)\ntexture textures\\glow.tga\nsize 60\nalpha 1 fade: 0.05 0.05\n"
    "lenseffect\n\tsize 50\n\ttexture textures\\ring.tga\n\ttexture textures\\disc.tga\n"
    "\ttexture textures\\spot.tga\nend\n"
    "flare\nbegin\nposition V(200 -150 -4000)\ntexture textures\\glow.tga\nsize 60\nalpha 1 fade: 0.05 0.05\n"
    "end\nENDWORLD\n";

// Dark rust and brown latitude bands, opaque.
Bytes bandsPicture() {
  return flare_test::tgaPicture(32, 32, [](int, int y) -> std::uint32_t {
    return (y / 4) % 2 == 0 ? 0x7A4A30FFu : 0x4A3020FFu;
  });
}

// A thin soft ring, a soft-edged disc and a small bright spot.
Bytes lensPicture(double inner, double outer) {
  const int side = 32;
  return flare_test::tgaPicture(side, side, [=](int x, int y) -> std::uint32_t {
    const double dx = (x + 0.5) / side * 2.0 - 1.0, dy = (y + 0.5) / side * 2.0 - 1.0;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double middle = (inner + outer) / 2, half = (outer - inner) / 2;
    const double a = std::max(0.0, 1.0 - std::fabs(r - middle) / half);
    return 0xFFFFFF00u | static_cast<std::uint32_t>(255.0 * a);
  });
}

class FlareGoldenTest : public headless_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    makeGlWindow(kWidth, kHeight);
    settings::Width = kWidth;
    settings::Height = kHeight;
    settings::DefGamma = 1;
    settings::Detail = 2;
    setupGl();

    const std::vector<rar::StoredEntry> entries = {
        {"meshes\\sphere.dat", sphere_test::meshFileBytes(sphere_test::uvSphere(24, 48))},
        {"worlds\\tiny.txt", archive_test::bytesOf(kWorldFile)},
    };
    archive_test::writeFile(directory_.path() / ArchiveFile::kArchiveName, archive_test::buildArchive(entries));
    inDirectory_ = std::make_unique<archive_test::CurrentDirectory>(directory_.path());
    flare_test::loadRegistryTextures(
        {{"bands.tga", bandsPicture()},
         {"glow.tga", flare_test::glowPicture(64)},
         {"ring.tga", lensPicture(0.75, 0.95)},
         {"disc.tga", lensPicture(0.0, 1.0)},
         {"spot.tga", lensPicture(0.0, 0.35)}},
        [&](const std::vector<rar::StoredEntry>& pictures) {
          std::vector<rar::StoredEntry> all = entries;
          all.insert(all.end(), pictures.begin(), pictures.end());
          archive_test::writeFile(directory_.path() / ArchiveFile::kArchiveName, archive_test::buildArchive(all));
        });
    recordMeshList("meshes\\sphere.dat", sphereMeshList);
    readWorldFile(objects_, "worlds\\tiny.txt");

    camera.position = camera.eye = Vector3(0, 0, 0);
    camera.look = Vector3(0, 0, -1);
    camera.up = Vector3(0, 1, 0);
  }

  void TearDown() override {
    sphere_test::deleteAll(objects_);
    envMeshList = sphereMeshList = haloList = customGeometryList = 0;
    inDirectory_.reset();
    HeadlessTest::TearDown();
  }

  // One frame as the saver's: every object's update (but before the first
  // frame), then the view, the light and every object's draw.
  void runFrame(int frame) {
    if (frame > 0) {
      for (WorldObject* object : objects_) object->update(kFrameSeconds);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.lookAt();
    const GLfloat lightFromUpperLeft[] = {-1000000.0f, 600000.0f, 400000.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, lightFromUpperLeft);
    for (WorldObject* object : objects_) object->draw(camera);
  }

  Flare& flareAt(std::size_t index) { return *static_cast<Flare*>(objects_.at(index)); }

  static int brightnessAt(const std::vector<std::uint8_t>& picture, int x, int yFromBottom) {
    const std::size_t at = (static_cast<std::size_t>(kHeight - 1 - yFromBottom) * kWidth + x) * 4;
    return picture[at] + picture[at + 1] + picture[at + 2];
  }



  ObjectList objects_;

 private:
  archive_test::TempDir directory_;
  std::unique_ptr<archive_test::CurrentDirectory> inDirectory_;
};

TEST_F(FlareGoldenTest, TheFlareBehindThePlanetFadesOutAndTheOneInFrontStays) {
  ASSERT_EQ(objects_.size(), 3u);
  Flare& front = flareAt(1);
  Flare& behind = flareAt(2);
  // Window pixels of the two points: (1.5 x / -z + 1) × 160, (2 y / -z + 1) × 120.
  const int frontX = 100, frontY = 160, behindX = 172, behindY = 111;

  std::vector<int> behindBrightness, frontBrightness;
  for (int frame = 0; frame <= 15; ++frame) {
    SCOPED_TRACE(frame);
    runFrame(frame);
    EXPECT_TRUE(front.seen);
    EXPECT_FALSE(behind.seen);
    std::vector<std::uint8_t> picture;
    ASSERT_TRUE(platform::headless::captureFrame(kWidth, kHeight, picture));
    behindBrightness.push_back(brightnessAt(picture, behindX, behindY));
    frontBrightness.push_back(brightnessAt(picture, frontX, frontY));
    if (frame == 0 || frame == 5 || frame == 15)
      golden_test::expectMatchesGolden("flare_occlusion_" + std::to_string(frame), kWidth, kHeight, picture);
  }
  EXPECT_FLOAT_EQ(behind.intensity, 0.0f);
  EXPECT_GE(front.intensity, 1.0f);
  for (std::size_t k = 1; k < behindBrightness.size(); ++k) {
    EXPECT_LE(behindBrightness[k], behindBrightness[k - 1]) << k;
    EXPECT_GE(frontBrightness[k], 700) << k;
  }
  // From the glow over the planet down to the planet alone.
  EXPECT_GT(behindBrightness.front(), behindBrightness.back() + 300);
}

}  // namespace
