// Vector3: the three-float value type for positions, directions, axes and colours.
//
// Math in Vantorel is single-precision float arithmetic on plain value types
// passed by value; there are no tolerances beyond the one slerp threshold
// (interpolation.h). Angles are in degrees and coordinates right-handed, as in
// OpenGL. There is deliberately no dot product on Vector3.
#pragma once

class Vector3 {
 public:
  // Leaves the components unset, like a plain float.
  Vector3() = default;
  Vector3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

  // sqrt(x² + y² + z²), summed and rooted in double precision.
  float length() const;

  float x, y, z;
};

Vector3 negate(Vector3 v);
Vector3 add(Vector3 a, Vector3 b);
Vector3 subtract(Vector3 a, Vector3 b);
Vector3 scale(Vector3 v, float s);
Vector3 scale(float s, Vector3 v);
// A divisor of 0 yields the zero vector instead of infinities and NaNs.
Vector3 divide(Vector3 v, float s);
Vector3 cross(Vector3 a, Vector3 b);
// v divided by its length; the zero vector comes back unchanged.
Vector3 normalize(Vector3 v);

// Turns v in place by minus angleDegrees about axis: v becomes Rᵀ·v, where R
// is the matrix OpenGL's rotation command builds for that angle and axis (the
// axis normalised first). A zero axis leaves v as it is, as OpenGL does.
void rotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees);
