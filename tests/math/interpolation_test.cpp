// slerp and its two branches, the spherical Bézier, Hermite, lerp and easeInOut.
#include "math/interpolation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(const Quaternion& actual, const Quaternion& expected, float tolerance = 1e-6f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
  EXPECT_NEAR(actual.w, expected.w, tolerance);
}

double norm(const Quaternion& q) { return std::sqrt(double(q.x) * q.x + q.y * q.y + q.z * q.z + q.w * q.w); }

// A unit quaternion whose dot product with kFrom is d.
const Quaternion kFrom(1, 0, 0, 0);
Quaternion withDot(float d) { return Quaternion(d, std::sqrt(1 - d * d), 0, 0); }

TEST(SlerpTest, CloseQuaternionsBlendLinearly) {
  Quaternion to = withDot(0.6f);
  Quaternion mid = slerp(kFrom, to, 0.5f);
  expectNear(mid, Quaternion((1 + to.x) / 2, to.y / 2, 0, 0), 0);
  // The plain average is shorter than 1 and stays so: no renormalisation.
  EXPECT_LT(norm(mid), 0.95);
}

TEST(SlerpTest, ThresholdOfHalfIsStillLinear) {
  Quaternion to = withDot(0.5f);
  expectNear(slerp(kFrom, to, 0.5f), Quaternion(0.75f, to.y / 2, 0, 0), 0);
}

TEST(SlerpTest, DistantQuaternionsUseSineWeights) {
  Quaternion to = withDot(0.4f);
  Quaternion mid = slerp(kFrom, to, 0.5f);
  double omega = std::acos(0.4);
  double weight = std::sin(omega / 2) / std::sin(omega);
  expectNear(mid, Quaternion(float(weight * (1 + to.x)), float(weight * to.y), 0, 0));
  EXPECT_NEAR(norm(mid), 1.0, 1e-6);
}

TEST(SlerpTest, NegativeDotGoesTowardsTheNegatedTarget) {
  Quaternion to = withDot(0.6f);
  Quaternion negated(-to.x, -to.y, -to.z, -to.w);
  expectNear(slerp(kFrom, negated, 0.5f), slerp(kFrom, to, 0.5f), 0);
  expectNear(slerp(kFrom, negated, 1.0f), to, 0);
  Quaternion farNegated = withDot(-0.4f);  // dot -0.4: the sine branch
  Quaternion far(-farNegated.x, -farNegated.y, 0, 0);
  expectNear(slerp(kFrom, farNegated, 0.3f), slerp(kFrom, far, 0.3f), 0);
}

TEST(SlerpTest, EndpointsAndExtrapolation) {
  for (float d : {0.9f, 0.4f}) {
    Quaternion to = withDot(d);
    SCOPED_TRACE(d);
    expectNear(slerp(kFrom, to, 0), kFrom);
    expectNear(slerp(kFrom, to, 1), to);
  }
  // Linear branch at t = -1: 2q - r.
  Quaternion close = withDot(0.6f);
  expectNear(slerp(kFrom, close, -1), Quaternion(2 - close.x, -close.y, 0, 0));
  // Sine branch at t = -1: sin 2ω / sin ω = 2 cos ω and sin(-ω) / sin ω = -1.
  Quaternion far = withDot(0.4f);
  expectNear(slerp(kFrom, far, -1), Quaternion(0.8f - far.x, -far.y, 0, 0));
}

TEST(SlerpTest, UnnormalisedAndZeroInputsStayFinite) {
  // A dot product above 1 takes the linear branch instead of acos of it.
  expectNear(slerp(Quaternion(2, 0, 0, 0), Quaternion(3, 0, 0, 0), 0.5f), Quaternion(2.5f, 0, 0, 0), 0);
  Quaternion zero(0, 0, 0, 0);
  Quaternion q = slerp(zero, kFrom, 0.5f);
  EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w));
}

TEST(SlerpBezierTest, StartsAndEndsAtTheOuterPoints) {
  Quaternion q0(0, 0, 0, 1), q1(0.1f, 0, 0, 1), q2(0.1f, 0.1f, 0, 1), q3(0, 0.2f, 0, 1);
  expectNear(slerpBezier(q0, q1, q2, q3, 0), q0, 0);
  expectNear(slerpBezier(q0, q1, q2, q3, 1), q3, 0);
}

TEST(SlerpBezierTest, CloseControlPointsGiveTheCubicBezier) {
  // Every blend takes the linear branch, so the curve is the Bernstein cubic.
  Quaternion q0(0, 0, 0, 1), q1(0.1f, 0, 0, 1), q2(0.1f, 0.1f, 0, 1), q3(0, 0.2f, 0, 1);
  float t = 0.3f, u = 1 - t;
  float b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
  Quaternion expected(b0 * q0.x + b1 * q1.x + b2 * q2.x + b3 * q3.x, b0 * q0.y + b1 * q1.y + b2 * q2.y + b3 * q3.y,
                      0, b0 * q0.w + b1 * q1.w + b2 * q2.w + b3 * q3.w);
  expectNear(slerpBezier(q0, q1, q2, q3, t), expected);
}

TEST(HermiteTest, EndsAndMidpoint) {
  EXPECT_EQ(hermite(0, 1, 0, 0, 0.5f), 0.5f);
  const float cases[][4] = {{3, -2, 10, 7}, {-1.5f, 4, 0, -8}, {100, 100, 1, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(hermite(c[0], c[1], c[2], c[3], 0), c[0]);
    EXPECT_EQ(hermite(c[0], c[1], c[2], c[3], 1), c[1]);
  }
}

TEST(HermiteTest, TangentsAreUnitsPerSegment) {
  // Only m0 set: the basis t³ - 2t² + t is 1/8 at the middle.
  EXPECT_FLOAT_EQ(hermite(0, 0, 1, 0, 0.5f), 0.125f);
  EXPECT_FLOAT_EQ(hermite(0, 0, 0, 1, 0.5f), -0.125f);
  // The slope at the start is m0.
  const float h = 1e-3f;
  EXPECT_NEAR(hermite(2, 5, 4, -3, h) / h - 2 / h, 4.0f, 0.05f);
}

TEST(HermiteTest, VectorOverloadWorksPerComponent) {
  Vector3 v = hermite(Vector3(0, 10, -4), Vector3(1, 20, 4), Vector3(0, 0, 0), Vector3(0, 0, 8), 0.5f);
  EXPECT_FLOAT_EQ(v.x, 0.5f);
  EXPECT_FLOAT_EQ(v.y, 15.0f);
  EXPECT_FLOAT_EQ(v.z, hermite(-4, 4, 0, 8, 0.5f));
}

TEST(LerpTest, BlendsAndExtrapolates) {
  EXPECT_EQ(lerp(2, 6, 0), 2);
  EXPECT_EQ(lerp(2, 6, 0.25f), 3);
  EXPECT_EQ(lerp(2, 6, 1), 6);
  EXPECT_EQ(lerp(2, 6, -0.5f), 0);
}

struct EaseCase {
  float t, easeIn, easeOut, expected;
};

class EaseInOutTest : public testing::TestWithParam<EaseCase> {};

TEST_P(EaseInOutTest, Value) {
  EaseCase c = GetParam();
  EXPECT_FLOAT_EQ(easeInOut(c.t, c.easeIn, c.easeOut), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, EaseInOutTest,
                         testing::Values(
                             // No fractions: t unchanged, also outside 0..1.
                             EaseCase{0.3f, 0, 0, 0.3f}, EaseCase{1.7f, 0, 0, 1.7f}, EaseCase{-0.2f, 0, 0, -0.2f},
                             // Symmetric fractions map the middle onto the middle.
                             EaseCase{0.5f, 0.2f, 0.2f, 0.5f},
                             // a = b = 0.25: k = 1 / 1.5, the joins at 1/6 and 5/6.
                             EaseCase{0.25f, 0.25f, 0.25f, 1 / 6.0f}, EaseCase{0.75f, 0.25f, 0.25f, 5 / 6.0f},
                             EaseCase{0.1f, 0.25f, 0.25f, 0.01f / 0.25f / 1.5f},
                             // Ease-in only and ease-out only.
                             EaseCase{0.5f, 0.5f, 0, 1 / 3.0f}, EaseCase{0.5f, 0, 0.5f, 2 / 3.0f}));

TEST(EaseInOutTest, OversizedFractionsAreScaledToSumOne) {
  for (float t = 0; t <= 1; t += 0.05f) EXPECT_EQ(easeInOut(t, 0.6f, 0.6f), easeInOut(t, 0.5f, 0.5f));
}

TEST(EaseInOutTest, EndsAtExactlyOne) {
  const float fractions[][2] = {{0.3f, 0}, {0.7f, 0}, {0.2f, 0.2f}, {0, 0.4f}, {0.6f, 0.6f}, {1, 0}, {0.1f, 0}};
  for (const auto& f : fractions) {
    SCOPED_TRACE(testing::Message() << f[0] << ", " << f[1]);
    EXPECT_EQ(easeInOut(1, f[0], f[1]), 1.0f);
    EXPECT_EQ(easeInOut(0, f[0], f[1]), 0.0f);
  }
  // Without ease-out the curve stays arrived past the end.
  EXPECT_EQ(easeInOut(1.5f, 0.3f, 0), 1.0f);
}

TEST(EaseInOutTest, RisesContinuouslyFromZeroToOne) {
  const float fractions[][2] = {{0.3f, 0.2f}, {0, 0.5f}, {0.5f, 0}, {0.9f, 0.9f}, {0.05f, 0.01f}};
  for (const auto& f : fractions) {
    SCOPED_TRACE(testing::Message() << f[0] << ", " << f[1]);
    float previous = 0;
    const int steps = 1000;
    for (int i = 1; i <= steps; ++i) {
      float value = easeInOut(i / float(steps), f[0], f[1]);
      ASSERT_GE(value, previous);
      ASSERT_LE(value, 1.0f);
      // The steepest slope is 2k <= 2 / (2 - 1) = 2 per unit of t.
      ASSERT_LE(value - previous, 2.0f / steps + 1e-5f);
      previous = value;
    }
  }
}

TEST(EaseInOutTest, ZeroFractionsNeverDivideByZero) {
  // t below 0 with no ease-in and t past 1 with no ease-out.
  EXPECT_TRUE(std::isfinite(easeInOut(-0.5f, 0, 0.3f)));
  EXPECT_TRUE(std::isfinite(easeInOut(2, 0.3f, 0)));
}

}  // namespace
