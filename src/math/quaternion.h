// Quaternion: an orientation as four floats, and its rotation matrix.
#pragma once

// x, y, z and the scalar part w, in the order the keyframe scripts write
// them. Quaternions are not kept normalised; nothing here divides by the norm.
class Quaternion {
 public:
  // Leaves the components unset, like a plain float.
  Quaternion() = default;
  Quaternion(float xValue, float yValue, float zValue, float wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}
  Quaternion(const Quaternion&) = default;
  Quaternion& operator=(const Quaternion&) = default;
  virtual ~Quaternion() {}

  // Fills entry 4·row + col with element (row, col) of the rotation matrix R
  // that acts on column vectors (v' = R·v), the transpose of OpenGL's storage:
  // entries 0, 4, 8 are R·(1, 0, 0) and entries 2, 6, 10 are R·(0, 0, 1).
  void toMatrix(float matrix[16]) const;

  float x, y, z, w;
};
