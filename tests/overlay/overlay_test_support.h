// Helpers for the overlay tests: a headless GL window of a chosen size with
// the saver's base state, an archive of generated overlay pictures loaded the
// way the saver loads them, OpenGL feedback capture, and the overlay globals
// put back after each test.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "direction/camera.h"
#include "direction/scene_clock.h"
#include "direction/scene_state.h"
#include "overlay/draw_2d.h"
#include "overlay/overlay_textures.h"
#include "overlay/text_book.h"
#include "overlay_pictures.h"
#include "platform/platform.h"
#include "resources/archive_test_support.h"
#include "resources/texture.h"
#include "shell/gl_setup.h"
#include "shell/run_state.h"
#include "shell/settings.h"

namespace overlay_test {

using rar::StoredEntry;

// The sign pictures' names and colours, the first being the loading
// screen's centre picture.
struct SignPicture {
  const char* name;
  std::uint8_t r, g, b;
};
constexpr SignPicture kSignPictures[10] = {
    {"sun", 255, 190, 60},    {"mercury", 170, 160, 150}, {"venus", 230, 200, 120}, {"earth", 60, 120, 255},
    {"mars", 220, 90, 50},    {"jupiter", 210, 170, 120}, {"saturn", 230, 210, 150}, {"uranus", 150, 220, 230},
    {"neptune", 60, 90, 230}, {"pluto", 200, 170, 140},
};

// The entries of an archive with everything the overlays load: the sign list
// with its first `signCount` pictures, the registry list with the digit font
// and the noise, "textures\load.jpg", "textures\panel.tga".
inline std::vector<StoredEntry> overlayEntries(int signCount) {
  std::vector<StoredEntry> entries;
  std::string signList;
  for (int i = 0; i < signCount; ++i) {
    const SignPicture& sign = kSignPictures[i % 10];  // beyond ten the names repeat
    signList += std::string("sign\\") + sign.name + ".jpg\n";
    if (i < 10) {
      entries.push_back(
          {std::string("textures\\sign\\") + sign.name + ".jpg", jpegBytes(disc(sign.r, sign.g, sign.b))});
    }
  }
  signList += "END_TEXT\n";
  entries.push_back({"sign.txt", archive_test::bytesOf(signList)});
  entries.push_back({"texture.txt", archive_test::bytesOf("c.jpg\nnoise.tga\nEND_TEXT\n")});
  entries.push_back({"textures\\c.jpg", jpegBytes(digitGrid())});
  entries.push_back({"textures\\noise.tga", tgaBytes(noise())});
  entries.push_back({"textures\\load.jpg", jpegBytes(loadingBanner())});
  entries.push_back({"textures\\panel.tga", tgaBytes(panel())});
  return entries;
}

// One vertex of a feedback buffer: window x, y, z, RGBA and the texture
// coordinates s and t after the texture matrix.
struct FedVertex {
  float x, y, z, r, g, b, a, s, t;
};
using FedPolygon = std::vector<FedVertex>;

// What a draw sends to the rasteriser: polygons, and the raster position of
// every glBitmap (the text font's glyphs).
struct Feedback {
  std::vector<FedPolygon> polygons;
  std::vector<FedVertex> bitmaps;
};

template <typename Draw>
Feedback captureFeedback(Draw&& draw) {
  std::vector<GLfloat> buffer(1 << 18);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer overflow";
  constexpr int kVertexFloats = 3 + 4 + 4;
  auto vertexAt = [&](GLint i) {
    return FedVertex{buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3], buffer[i + 4],
                     buffer[i + 5], buffer[i + 6], buffer[i + 7], buffer[i + 8]};
  };
  Feedback out;
  for (GLint i = 0; i < used;) {
    const auto token = static_cast<GLint>(buffer[i++]);
    if (token == GL_POLYGON_TOKEN) {
      const auto count = static_cast<GLint>(buffer[i++]);
      FedPolygon polygon;
      for (GLint k = 0; k < count; ++k, i += kVertexFloats) polygon.push_back(vertexAt(i));
      out.polygons.push_back(polygon);
    } else if (token == GL_BITMAP_TOKEN) {
      out.bitmaps.push_back(vertexAt(i));
      i += kVertexFloats;
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      i += 1;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 2 * kVertexFloats;
    } else {  // points, pixel rectangles: one vertex
      i += kVertexFloats;
    }
  }
  return out;
}

// The quads of a draw, corners in drawing order. The rasteriser splits each
// quad (v0, v1, v2, v3) into the triangles (v0, v1, v3) and (v1, v2, v3);
// the tests keep their quads inside the window, so nothing is clipped.
inline std::vector<FedPolygon> quadsOf(const Feedback& fed) {
  std::vector<FedPolygon> quads;
  EXPECT_EQ(fed.polygons.size() % 2, 0u) << "not a list of quads";
  for (std::size_t i = 0; i + 1 < fed.polygons.size(); i += 2) {
    const FedPolygon& first = fed.polygons[i];
    const FedPolygon& second = fed.polygons[i + 1];
    if (first.size() != 3 || second.size() != 3) {
      ADD_FAILURE() << "polygon " << i << " is not half of a quad";
      break;
    }
    quads.push_back({first[0], first[1], second[1], second[2]});
  }
  return quads;
}

// The bounding box of a polygon in window coordinates.
struct Box {
  float left, bottom, right, top;
};
inline void extend(Box& box, const FedPolygon& polygon) {
  for (const FedVertex& v : polygon) {
    box.left = std::min(box.left, v.x), box.right = std::max(box.right, v.x);
    box.bottom = std::min(box.bottom, v.y), box.top = std::max(box.top, v.y);
  }
}
inline Box boxOf(const FedPolygon& polygon) {
  Box box{1e9f, 1e9f, -1e9f, -1e9f};
  extend(box, polygon);
  return box;
}

inline void expectBoxNear(const Box& actual, const Box& expected, const std::string& what, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.left, expected.left, tolerance) << what;
  EXPECT_NEAR(actual.bottom, expected.bottom, tolerance) << what;
  EXPECT_NEAR(actual.right, expected.right, tolerance) << what;
  EXPECT_NEAR(actual.top, expected.top, tolerance) << what;
}

// A quad drawn with the whole texture (drawQuadCentered), found again even
// where the window cuts it: the rasteriser then sends the visible part as a
// fan of triangles, but every one of them keeps the quad's mapping from
// texture to window coordinates. `box` is where texture coordinates 0 and 1
// fall; `first` gives the colour.
struct DrawnQuad {
  Box box;
  FedVertex first;
};
inline Box textureSquareOf(const FedPolygon& polygon) {
  const FedVertex& a = polygon[0];
  const FedVertex* bs = &a;
  const FedVertex* bt = &a;
  for (const FedVertex& v : polygon) {
    if (std::abs(v.s - a.s) > std::abs(bs->s - a.s)) bs = &v;
    if (std::abs(v.t - a.t) > std::abs(bt->t - a.t)) bt = &v;
  }
  const float dxds = bs->s != a.s ? (bs->x - a.x) / (bs->s - a.s) : 0.0f;
  const float dydt = bt->t != a.t ? (bt->y - a.y) / (bt->t - a.t) : 0.0f;
  const float left = a.x - a.s * dxds, bottom = a.y - a.t * dydt;
  return {left, bottom, left + dxds, bottom + dydt};
}
inline std::vector<DrawnQuad> drawnQuads(const Feedback& fed) {
  std::vector<DrawnQuad> quads;
  auto same = [](const Box& p, const Box& q) {
    return std::abs(p.left - q.left) + std::abs(p.bottom - q.bottom) + std::abs(p.right - q.right) +
               std::abs(p.top - q.top) < 1e-2f;
  };
  for (const FedPolygon& polygon : fed.polygons) {
    const Box square = textureSquareOf(polygon);
    if (quads.empty() || !same(quads.back().box, square)) quads.push_back({square, polygon[0]});
  }
  return quads;
}

// The same for the texture coordinates.
inline Box texBoxOf(const FedPolygon& polygon) {
  Box box{1e9f, 1e9f, -1e9f, -1e9f};
  for (const FedVertex& v : polygon) {
    box.left = std::min(box.left, v.s), box.right = std::max(box.right, v.s);
    box.bottom = std::min(box.bottom, v.t), box.top = std::max(box.top, v.t);
  }
  return box;
}

// A headless window of the fixture's size with a current context, the
// saver's base OpenGL state and Width × Height set to it; the overlay and
// scene globals are put back afterwards.
class OverlayTest : public ::testing::Test {
 protected:
  explicit OverlayTest(int width = 800, int height = 600) : width_(width), height_(height) {}

  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_TRUE(platform::start({platform::BackendKind::Headless, width_, height_, 10.0}));
    ASSERT_TRUE(platform::registerClass({kClass, nullptr, true}));
    platform::WindowSpec spec;
    spec.className = kClass;
    spec.title = "overlay";
    spec.width = width_;
    spec.height = height_;
    window_ = platform::createWindow(spec);
    ASSERT_NE(window_, 0u);
    ASSERT_TRUE(platform::choosePixelFormat(window_, platform::PixelFormatRequest{}));
    context_ = platform::createGlContext(window_);
    ASSERT_NE(context_, 0u);
    ASSERT_TRUE(platform::makeCurrent(window_, context_));
    settings::Width = width_;
    settings::Height = height_;
    settings::DefGamma = 1;
    settings::TimeFormat = 0;
    setupGl();
  }

  void TearDown() override {
    signSet = TextureSet();
    textureRegistry = TextureSet();
    digitFont = DigitFont();
    textFont = TextFont();
    loadingPicture = noiseTexture = panelTexture = 0;
    currentText = nullptr;
    textBooks.clear();
    fadeOutWindow = fadeBackWindow = wipeOutWindow = wipeBackWindow = TimeWindow{};
    camera.trackTime = 0.0;
    sceneClock = 0.0f;
    settings::TimeFormat = 0;
    current_.reset();
    if (context_) platform::deleteGlContext(context_);
    platform::stop();
    platform::unregisterClass(kClass);
  }

  // Writes the archive and makes its directory current for the rest of the test.
  void useArchive(const std::vector<StoredEntry>& entries) {
    archive_test::writeFile(directory_.path() / "data.sdd", archive_test::buildArchive(entries));
    current_ = std::make_unique<archive_test::CurrentDirectory>(directory_.path());
  }

  // The overlay archive, loaded in the saver's startup order: the loading
  // picture, the sign set, the registry, both fonts, the overlay textures.
  void loadOverlayData(int signCount, std::vector<StoredEntry> extra = {}) {
    std::vector<StoredEntry> entries = overlayEntries(signCount);
    entries.insert(entries.end(), extra.begin(), extra.end());
    useArchive(entries);
    loadLoadingPicture();
    loadTextureSet(signSet, "sign.txt", false);
    loadTextureSet(textureRegistry, "texture.txt", false);
    buildFonts();
    loadOverlayTextures();
  }

  int width_;
  int height_;
  platform::WindowHandle window_ = 0;
  std::uintptr_t context_ = 0;

 private:
  static constexpr const char* kClass = "OverlayTest";
  archive_test::TempDir directory_;
  std::unique_ptr<archive_test::CurrentDirectory> current_;
};

}  // namespace overlay_test
