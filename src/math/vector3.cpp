// Vector3 arithmetic and the rotation about an axis.
#include "math/vector3.h"

#include <cmath>

float Vector3::length() const {
  double sum = double(x) * x + double(y) * y + double(z) * z;
  return float(std::sqrt(sum));
}

Vector3 negate(Vector3 v) { return {-v.x, -v.y, -v.z}; }

Vector3 add(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Vector3 subtract(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vector3 scale(Vector3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }

Vector3 scale(float s, Vector3 v) { return scale(v, s); }

Vector3 divide(Vector3 v, float s) {
  if (s == 0.0f) return {0.0f, 0.0f, 0.0f};
  return {v.x / s, v.y / s, v.z / s};
}

Vector3 cross(Vector3 a, Vector3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 normalize(Vector3 v) {
  float length = v.length();
  if (length == 0.0f) return v;
  return divide(v, length);
}

void rotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees) {
  double axisLength = std::sqrt(double(axis.x) * axis.x + double(axis.y) * axis.y + double(axis.z) * axis.z);
  if (axisLength == 0.0) return;
  const double x = axis.x / axisLength, y = axis.y / axisLength, z = axis.z / axisLength;
  const double radians = double(angleDegrees) * (3.14159265358979323846 / 180.0);
  const double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;

  // R of the OpenGL rotation command, row by row (R acts on column vectors).
  const double r[3][3] = {
      {x * x * t + c, x * y * t - z * s, x * z * t + y * s},
      {y * x * t + z * s, y * y * t + c, y * z * t - x * s},
      {z * x * t - y * s, z * y * t + x * s, z * z * t + c},
  };
  // v as a row vector times R: component j is the dot of v with column j.
  const double in[3] = {v.x, v.y, v.z};
  double out[3];
  for (int j = 0; j < 3; ++j) out[j] = in[0] * r[0][j] + in[1] * r[1][j] + in[2] * r[2][j];
  v = {float(out[0]), float(out[1]), float(out[2])};
}
