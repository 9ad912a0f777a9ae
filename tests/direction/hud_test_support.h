// Helpers for the HUD layer tests: a GL context with a test-built archive, a
// world on show holding plain marker objects, small TGA pictures, key lists
// made in code, and the layers and globals put back after each test.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "direction/hud_layer.h"
#include "direction/scene_clock.h"
#include "math/random.h"
#include "resources/gl_archive_fixture.h"
#include "shell/run_state.h"
#include "shell/settings.h"
#include "world/world.h"

namespace hud_test {

using rar::Bytes;
using rar::StoredEntry;

// A world object that only has a place.
class Marker : public WorldObject {
 public:
  void draw(const Camera&) override {}
  void update(double) override {}
};

// An uncompressed 32-bit TGA of width × height pixels, each stored B, G, R, A.
inline Bytes tgaBytes(int width, int height, const std::vector<std::uint8_t>& bgraPixels) {
  Bytes bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  bytes.push_back(static_cast<std::uint8_t>(width));
  bytes.push_back(static_cast<std::uint8_t>(width >> 8));
  bytes.push_back(static_cast<std::uint8_t>(height));
  bytes.push_back(static_cast<std::uint8_t>(height >> 8));
  bytes.push_back(32);
  bytes.push_back(0);
  bytes.insert(bytes.end(), bgraPixels.begin(), bgraPixels.end());
  return bytes;
}

// A key at `time` with the alpha `alpha` and the quad (x, y, 100, 50); the
// rest as the template starts.
inline HudKey keyAt(float time, float alpha, float x = 0.0f, float y = 0.0f) {
  HudKey key;
  key.time = time;
  key.color.a = alpha;
  key.quad = HudQuad{x, y, 100.0f, 50.0f};
  return key;
}

// The 800 × 600 canvas with the identity modelview, as the frame enters it
// before drawing the layers: depth test and lighting off, an orthographic
// projection over the viewport of the whole drawing.
inline void enterCanvas(int viewportWidth, int viewportHeight) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0);
  glViewport(0, 0, viewportWidth, viewportHeight);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

// Back to the 3D matrices, with the texture matrix at identity.
inline void leaveCanvas() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}

// A GL context, an archive as the current directory, a world "earth" on show holding the markers "moon" and
// "probe", and the globals the layers read put back afterwards.
class HudTest : public gl_archive_test::GlArchiveTest {
 protected:
  void SetUp() override {
    GlArchiveTest::SetUp();
    copyCut(world_.name, World::kNameCapacity, "earth");
    moon_.setName("moon");
    probe_.setName("probe");
    world_.objects = {&moon_, &probe_};
    currentWorld = &world_;
    sceneClock = 0.0f;
    seedRandom(1);
  }

  void TearDown() override {
    for (HudLayer* layer : layers_) delete layer;
    for (HudLayer* layer : hudLayers) delete layer;
    layers_.clear();
    hudLayers.clear();
    currentWorld = nullptr;
    sceneClock = 0.0f;
    seedRandom(1);
    GlArchiveTest::TearDown();
  }

  // Loads `script` as "hud.txt", beside the other entries, into layers_.
  HudLayerList& loadScript(const std::string& script, std::vector<StoredEntry> entries = {}) {
    entries.push_back({"hud.txt", gl_archive_test::bytesOf(script)});
    writeArchive(entries);
    loadHudLayers(layers_, "hud.txt");
    return layers_;
  }

  // The first call makes the archive's directory current; later ones
  // replace the archive there.
  void writeArchive(const std::vector<StoredEntry>& entries) {
    if (!archiveWritten_) {
      useArchive(entries);
      archiveWritten_ = true;
      return;
    }
    archive_test::writeFile(std::filesystem::current_path() / ArchiveFile::kArchiveName,
                            archive_test::buildArchive(entries));
  }

  // A layer owned by the test, appended to `hudLayers`.
  HudLayer& addLayer(const char* name) {
    auto* layer = new HudLayer();
    copyCut(layer->name, HudLayer::kNameCapacity, name);
    hudLayers.push_back(layer);
    return *layer;
  }

  World world_;
  Marker moon_;
  Marker probe_;
  HudLayerList layers_;

 private:
  bool archiveWritten_ = false;
};

}  // namespace hud_test
