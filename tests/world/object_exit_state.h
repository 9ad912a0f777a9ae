// The state every world object leaves behind after drawing, whatever it
// found: blending on with the additive function, lighting on, depth writes
// on, the modelview matrix current and no OpenGL error.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace world_test {

inline void expectObjectExitState() {
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLint value = 0;
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(depthWrites, GL_TRUE);
  glGetIntegerv(GL_MATRIX_MODE, &value);
  EXPECT_EQ(value, GL_MODELVIEW);
}

}  // namespace world_test
