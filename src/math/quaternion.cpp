// The rotation matrix of a quaternion, taken as it is (not normalised first).
#include "math/quaternion.h"

void Quaternion::toMatrix(float matrix[16]) const {
  matrix[0] = 1 - 2 * (y * y + z * z);
  matrix[1] = 2 * (x * y - z * w);
  matrix[2] = 2 * (x * z + y * w);
  matrix[3] = 0;

  matrix[4] = 2 * (x * y + z * w);
  matrix[5] = 1 - 2 * (x * x + z * z);
  matrix[6] = 2 * (y * z - x * w);
  matrix[7] = 0;

  matrix[8] = 2 * (x * z - y * w);
  matrix[9] = 2 * (y * z + x * w);
  matrix[10] = 1 - 2 * (x * x + y * y);
  matrix[11] = 0;

  matrix[12] = 0;
  matrix[13] = 0;
  matrix[14] = 0;
  matrix[15] = 1;
}
