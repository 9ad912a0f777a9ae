// Camera::lookAt on a real headless GL context: the modelview matrix it
// leaves, against the look-at transform worked out by hand.
#include "direction/camera.h"

#include <GL/gl.h>

#include <cmath>

#include <gtest/gtest.h>

#include "platform/headless_fixture.h"

namespace {

using headless_test::HeadlessTest;

struct LookAtCase {
  Vector3 eye, look, up;
  // The rows of the expected rotation: side, true up, and backwards.
  Vector3 side, trueUp, back;
};

float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Column-major: rotation rows side, trueUp, back, then the translation that
// takes the eye to the origin.
void expectedMatrix(const LookAtCase& c, float matrix[16]) {
  const Vector3 rows[3] = {c.side, c.trueUp, c.back};
  for (int row = 0; row < 3; ++row) {
    matrix[0 + row] = rows[row].x;
    matrix[4 + row] = rows[row].y;
    matrix[8 + row] = rows[row].z;
    matrix[12 + row] = -dot(rows[row], c.eye);
    matrix[3 + 4 * row] = 0.0f;
  }
  matrix[15] = 1.0f;
}

TEST_F(HeadlessTest, LookAtLoadsTheViewFromEyeAlongLook) {
  makeGlWindow();
  const float r = 1.0f / std::sqrt(2.0f);
  const LookAtCase cases[] = {
      // Lengths of look and up do not matter.
      {{1, 2, 3}, {0, 0, -5}, {0, 2, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      // The track's identity orientation: forward +X, up +Z.
      {{1, 2, 3}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, 1}, {-1, 0, 0}},
      // An up that is not perpendicular to look is straightened.
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {0, -r, r}, {0, r, r}, {-1, 0, 0}},
  };
  for (const LookAtCase& c : cases) {
    Camera camera;
    camera.eye = c.eye;
    camera.position = Vector3(100, 100, 100);  // the view comes from eye only
    camera.look = c.look;
    camera.up = c.up;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.lookAt();

    float actual[16], expected[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, actual);
    expectedMatrix(c, expected);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "entry " << i;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HeadlessTest, LookAtMultipliesTheCurrentMatrix) {
  makeGlWindow();
  Camera camera;
  camera.eye = Vector3(1, 2, 3);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(2, 2, 2);
  camera.lookAt();
  float actual[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, actual);
  // Default look (0, 0, -1) and up (0, 1, 0): a plain translation by -eye, doubled.
  const float expected[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, -2, -4, -6, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "entry " << i;
}

}  // namespace
