// Quaternion construction and the layout of its rotation matrix.
#include "math/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(QuaternionTest, QuarterTurnAboutZ) {
  const float half = std::sqrt(0.5f);  // sin 45° = cos 45°
  float m[16];
  Quaternion(0, 0, half, half).toMatrix(m);
  // Column 0 is R·(1,0,0), column 2 is R·(0,0,1).
  EXPECT_NEAR(m[0], 0, 1e-6f);
  EXPECT_NEAR(m[4], 1, 1e-6f);
  EXPECT_NEAR(m[8], 0, 1e-6f);
  EXPECT_NEAR(m[2], 0, 1e-6f);
  EXPECT_NEAR(m[6], 0, 1e-6f);
  EXPECT_NEAR(m[10], 1, 1e-6f);
  // R·(0,1,0) = (-1,0,0).
  EXPECT_NEAR(m[1], -1, 1e-6f);
  EXPECT_NEAR(m[5], 0, 1e-6f);
}

TEST(QuaternionTest, EveryEntryOfANonUnitQuaternion) {
  // Not normalised first: the formula is applied to (1, 2, 3, 4) as it is.
  float m[16];
  Quaternion(1, 2, 3, 4).toMatrix(m);
  const float expected[16] = {
      1 - 2 * (4 + 9), 2 * (2 - 12), 2 * (3 + 8), 0,  //
      2 * (2 + 12), 1 - 2 * (1 + 9), 2 * (6 - 4), 0,  //
      2 * (3 - 8), 2 * (6 + 4), 1 - 2 * (1 + 4), 0,   //
      0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], expected[i]) << "entry " << i;
}

TEST(QuaternionTest, IdentityAndCopies) {
  Quaternion q(0, 0, 0, 1);
  Quaternion copy(q);
  Quaternion assigned(5, 5, 5, 5);
  assigned = copy;
  float m[16];
  assigned.toMatrix(m);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << "entry " << i;
}

}  // namespace
