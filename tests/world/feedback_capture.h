// What one draw sends to OpenGL, captured in feedback mode: polygons, line
// segments and points with window coordinates and colours, plus the mapping
// back to the coordinates drawn under a cube-shaped orthographic projection.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "math/vector3.h"

namespace feedback_test {

// Window x, y, z and RGBA of one vertex.
struct FedVertex {
  float x, y, z, r, g, b, a;
};

struct FedPrimitive {
  GLint token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN (a line reset counts as one) or GL_POINT_TOKEN
  std::vector<FedVertex> vertices;
};

// Runs `draw` in feedback mode and returns what it sent, in order.
template <typename Draw>
std::vector<FedPrimitive> captureFeedback(Draw draw, std::size_t capacity = 1 << 20) {
  std::vector<GLfloat> buffer(capacity);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer too small";
  constexpr GLint kStride = 7;
  std::vector<FedPrimitive> primitives;
  for (GLint at = 0; at < used;) {
    auto token = static_cast<GLint>(buffer[at++]);
    GLint count = 1;
    if (token == GL_POLYGON_TOKEN) count = static_cast<GLint>(buffer[at++]);
    if (token == GL_LINE_RESET_TOKEN) token = GL_LINE_TOKEN;
    if (token == GL_LINE_TOKEN) count = 2;
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++at;
      continue;
    }
    FedPrimitive primitive{token, {}};
    for (GLint k = 0; k < count; ++k, at += kStride) {
      primitive.vertices.push_back(
          {buffer[at], buffer[at + 1], buffer[at + 2], buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]});
    }
    primitives.push_back(primitive);
  }
  return primitives;
}

// Loads glOrtho(-extent, extent) on all three axes and an identity modelview.
inline void useCubeProjection(float extent) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-extent, extent, -extent, extent, -extent, extent);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// The eye coordinates of a fed vertex under useCubeProjection(extent) on a
// square window of `windowSize` pixels.
inline Vector3 eyeCoordinates(const FedVertex& v, float extent, int windowSize) {
  const auto fromWindow = [&](float w) { return (2.0f * w / static_cast<float>(windowSize) - 1.0f) * extent; };
  return Vector3(fromWindow(v.x), fromWindow(v.y), -(2.0f * v.z - 1.0f) * extent);
}

}  // namespace feedback_test
