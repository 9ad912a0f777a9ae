// Helpers for the billboard and flare tests: 32-bit TGA pictures made from a
// function, textures put into the registry from a test archive, the vertices
// one draw sends (through OpenGL feedback), and the state every world object
// must leave for the next one.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "object_exit_state.h"
#include "resources/archive_test_support.h"
#include "resources/texture.h"

namespace flare_test {

using rar::Bytes;

// An uncompressed 32-bit TGA of width × height pixels; `pixel` gives the
// colour of column x, row y (row 0 first) as 0xRRGGBBAA.
inline Bytes tgaPicture(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel) {
  Bytes bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  auto put16 = [&](int value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  };
  put16(width);
  put16(height);
  bytes.push_back(32);
  bytes.push_back(0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgba = pixel(x, y);
      for (int shift : {8, 16, 24, 0}) bytes.push_back(static_cast<std::uint8_t>(rgba >> shift));  // B, G, R, A
    }
  }
  return bytes;
}

// A white picture whose alpha falls from the centre to the rim.
inline Bytes glowPicture(int side) {
  return tgaPicture(side, side, [side](int x, int y) {
    const double dx = (x + 0.5) / side * 2.0 - 1.0, dy = (y + 0.5) / side * 2.0 - 1.0;
    const double falloff = 1.0 - std::min(1.0, std::sqrt(dx * dx + dy * dy));
    const auto a = static_cast<std::uint32_t>(255.0 * falloff * falloff);
    return 0xFFFFFF00u | a;
  });
}

// One vertex of a feedback buffer: window x, y, z, RGBA and the texture
// coordinates s and t after the texture matrix.
struct FedVertex {
  float x, y, z, r, g, b, a, s, t;
};
using FedPolygon = std::vector<FedVertex>;

// The polygons that `draw` sends, as the rasteriser would receive them.
inline std::vector<FedPolygon> feedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  constexpr GLint kStride = 11;  // x, y, z, r, g, b, a, s, t, r, q
  std::vector<FedPolygon> polygons;
  for (GLint at = 0; at < used;) {
    const auto token = static_cast<GLint>(buffer[at++]);
    const GLint count = token == GL_POLYGON_TOKEN ? static_cast<GLint>(buffer[at++]) : 1;
    FedPolygon polygon;
    for (GLint k = 0; k < count; ++k, at += kStride) {
      polygon.push_back(FedVertex{buffer[at], buffer[at + 1], buffer[at + 2], buffer[at + 3], buffer[at + 4],
                                  buffer[at + 5], buffer[at + 6], buffer[at + 7], buffer[at + 8]});
    }
    polygons.push_back(polygon);
  }
  return polygons;
}

// The quads among the polygons: Mesa hands a quad to feedback as two
// triangles, which this puts back together (the first triangle's vertices
// first); a polygon of four vertices stays one quad.
inline std::vector<FedPolygon> quadsOf(const std::vector<FedPolygon>& polygons) {
  std::vector<FedPolygon> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    FedPolygon quad = polygons[i];
    if (quad.size() == 3 && i + 1 < polygons.size()) {
      quad.insert(quad.end(), polygons[i + 1].begin(), polygons[i + 1].end());
      ++i;
    }
    quads.push_back(quad);
  }
  return quads;
}

// The window-space box around every vertex of the polygons.
struct Box {
  float left = 1e30f, bottom = 1e30f, right = -1e30f, top = -1e30f;
  float width() const { return right - left; }
  float height() const { return top - bottom; }
  float centreX() const { return (left + right) / 2; }
  float centreY() const { return (bottom + top) / 2; }
};

inline Box boxAround(const std::vector<FedPolygon>& polygons) {
  Box box;
  for (const FedPolygon& polygon : polygons) {
    for (const FedVertex& v : polygon) {
      box.left = std::min(box.left, v.x), box.right = std::max(box.right, v.x);
      box.bottom = std::min(box.bottom, v.y), box.top = std::max(box.top, v.y);
    }
  }
  return box;
}

// Makes the pictures entries of the current archive's texture registry list
// and loads them into the registry (it keeps them for the rest of the
// program). `writeArchive` replaces the current directory's archive.
inline void loadRegistryTextures(const std::vector<std::pair<std::string, Bytes>>& pictures,
                                 const std::function<void(const std::vector<rar::StoredEntry>&)>& writeArchive) {
  std::string list;
  std::vector<rar::StoredEntry> entries;
  for (const auto& [name, bytes] : pictures) {
    list += name + "\n";
    entries.push_back({Texture::kPathPrefix + name, bytes});
  }
  entries.push_back({"texture.txt", archive_test::bytesOf(list + "END_TEXT\n")});
  writeArchive(entries);
  loadTextureSet(textureRegistry, "texture.txt", false);
}

// The GL state the frame and the next object expect from a world object:
// additive blending, lighting, depth test and depth writes on, the texture
// matrix at identity, the modelview matrix selected, and the modelview and
// projection matrices as they were before the draw.
class StateCheck {
 public:
  StateCheck() {
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview_);
    glGetFloatv(GL_PROJECTION_MATRIX, projection_);
  }

  void expectLeftForTheNextObject() const {
    world_test::expectObjectExitState();
    GLint value = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_ALWAYS);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat matrix[16];
    glGetFloatv(GL_TEXTURE_MATRIX, matrix);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], k % 5 == 0 ? 1.0f : 0.0f) << "texture matrix " << k;
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], modelview_[k]) << "modelview " << k;
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(matrix[k], projection_[k]) << "projection " << k;
  }

 private:
  GLfloat modelview_[16];
  GLfloat projection_[16];
};

}  // namespace flare_test
