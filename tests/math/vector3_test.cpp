// Vector3 arithmetic, the zero cases of normalize and divide, and rotateAboutAxis.
#include "math/vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-6f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectExactly(Vector3 actual, Vector3 expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

TEST(Vector3Test, ComponentWiseOperations) {
  Vector3 a(1, 2, 3), b(4, -5, 6);
  expectExactly(negate(a), {-1, -2, -3});
  expectExactly(add(a, b), {5, -3, 9});
  expectExactly(subtract(a, b), {-3, 7, -3});
  expectExactly(scale(a, 2.5f), {2.5f, 5, 7.5f});
  expectExactly(scale(2.5f, a), {2.5f, 5, 7.5f});
  expectExactly(divide(b, 2), {2, -2.5f, 3});
}

TEST(Vector3Test, CrossFollowsTheRightHandRule) {
  expectExactly(cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
  expectExactly(cross({0, 1, 0}, {1, 0, 0}), {0, 0, -1});
  expectExactly(cross({1, 2, 3}, {4, 5, 6}), {-3, 6, -3});
}

TEST(Vector3Test, LengthIsSummedInDoublePrecision) {
  EXPECT_EQ(Vector3(3, 4, 12).length(), 13.0f);
  // Squares beyond float range would give infinity in float arithmetic.
  EXPECT_FLOAT_EQ(Vector3(3e20f, 4e20f, 0).length(), 5e20f);
  EXPECT_FLOAT_EQ(Vector3(3e-25f, 0, 4e-25f).length(), 5e-25f);
}

TEST(Vector3Test, NormalizeGivesUnitLength) {
  expectNear(normalize({0, 3, 4}), {0, 0.6f, 0.8f});
  EXPECT_NEAR(normalize({-7, 1e-3f, 250}).length(), 1.0f, 1e-6f);
}

TEST(Vector3Test, ZeroVectorAndZeroDivisorGiveFiniteResults) {
  expectExactly(normalize({0, 0, 0}), {0, 0, 0});
  expectExactly(divide({1, -2, 3}, 0), {0, 0, 0});
  expectExactly(divide({1, -2, 3}, -0.0f), {0, 0, 0});
}

struct RotationCase {
  Vector3 v, axis;
  float angle;
  Vector3 expected;
};

class RotateAboutAxisTest : public testing::TestWithParam<RotationCase> {};

TEST_P(RotateAboutAxisTest, TurnsByMinusTheAngle) {
  RotationCase c = GetParam();
  Vector3 v = c.v;
  rotateAboutAxis(v, c.axis, c.angle);
  expectNear(v, c.expected, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Cases, RotateAboutAxisTest,
                         testing::Values(
                             // The documented example, with a unit and a non-unit axis.
                             RotationCase{{1, 0, 0}, {0, 0, 1}, 90, {0, -1, 0}},
                             RotationCase{{1, 0, 0}, {0, 0, 2}, 90, {0, -1, 0}},
                             RotationCase{{1, 0, 0}, {0, 0, 1}, -90, {0, 1, 0}},
                             RotationCase{{0, 1, 0}, {1, 0, 0}, 90, {0, 0, -1}},
                             RotationCase{{0, 0, 1}, {0, 5, 0}, 90, {-1, 0, 0}},
                             RotationCase{{2, 3, 4}, {0, 0, 1}, 180, {-2, -3, 4}},
                             // A vector on the axis stays where it is.
                             RotationCase{{1, 1, 1}, {1, 1, 1}, 37, {1, 1, 1}},
                             // Turning by -120° about (1,1,1) cycles the axes x -> z.
                             RotationCase{{1, 0, 0}, {1, 1, 1}, 120, {0, 0, 1}},
                             // OpenGL ignores a zero axis; so does this.
                             RotationCase{{1, 2, 3}, {0, 0, 0}, 45, {1, 2, 3}}));

TEST(Vector3Test, RotationKeepsLength) {
  Vector3 v(3, -4, 12);
  rotateAboutAxis(v, {0.3f, -2, 0.7f}, 63);
  EXPECT_NEAR(v.length(), 13.0f, 1e-5f);
}

}  // namespace
