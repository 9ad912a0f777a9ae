// What the particle emitters draw with: the particle quad and the camera's
// screen axes.
#pragma once

#include "math/vector3.h"

// A four-vertex triangle strip spanned by the directions a and b with
// half-size s around the current matrix's origin: (-a - b) s, (a - b) s,
// (-a + b) s, (a + b) s, with texture coordinates (0, 0), (1, 0), (0, 1),
// (1, 1).
void drawParticleQuad(Vector3 a, Vector3 b, float s);

// The camera's right and up axes: the first two rows of the current
// modelview matrix's rotation.
struct ScreenAxes {
  Vector3 right;
  Vector3 up;
};
ScreenAxes readScreenAxes();
