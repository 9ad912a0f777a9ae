// Hermite, slerp, spherical Bézier, linear and ease-in/ease-out curves.
#include "math/interpolation.h"

#include <cmath>

Quaternion slerp(const Quaternion& from, const Quaternion& to, float t) {
  double d = double(from.x) * to.x + double(from.y) * to.y + double(from.z) * to.z + double(from.w) * to.w;
  Quaternion target = to;
  if (d < 0) {
    target = Quaternion(-to.x, -to.y, -to.z, -to.w);
    d = -d;
  }

  double s0, s1;
  if (1 - d > 0.5) {
    // 0 <= d < 0.5 here, so ω lies in (60°, 90°] and sin ω is far from 0.
    double omega = std::acos(d);
    double sinOmega = std::sin(omega);
    s0 = std::sin((1 - double(t)) * omega) / sinOmega;
    s1 = std::sin(double(t) * omega) / sinOmega;
  } else {
    s0 = 1 - double(t);
    s1 = t;
  }
  return Quaternion(float(s0 * from.x + s1 * target.x), float(s0 * from.y + s1 * target.y),
                    float(s0 * from.z + s1 * target.z), float(s0 * from.w + s1 * target.w));
}

Quaternion slerpBezier(const Quaternion& q0, const Quaternion& q1, const Quaternion& q2, const Quaternion& q3,
                       float t) {
  Quaternion a = slerp(q0, q1, t);
  Quaternion b = slerp(q1, q2, t);
  Quaternion c = slerp(q2, q3, t);
  Quaternion d = slerp(a, b, t);
  Quaternion e = slerp(b, c, t);
  return slerp(d, e, t);
}

float hermite(float p0, float p1, float m0, float m1, float t) {
  float t2 = t * t;
  float t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * p0 + (t3 - 2 * t2 + t) * m0 + (3 * t2 - 2 * t3) * p1 + (t3 - t2) * m1;
}

Vector3 hermite(Vector3 p0, Vector3 p1, Vector3 m0, Vector3 m1, float t) {
  return {hermite(p0.x, p1.x, m0.x, m1.x, t), hermite(p0.y, p1.y, m0.y, m1.y, t),
          hermite(p0.z, p1.z, m0.z, m1.z, t)};
}

float lerp(float a, float b, float t) { return a + (b - a) * t; }

float easeInOut(float t, float easeIn, float easeOut) {
  float a = easeIn, b = easeOut;
  float s = a + b;
  if (s > 1) {
    a /= s;
    b /= s;
  }
  if (s == 0) return t;
  // 2 − a − b >= 1 after the scaling above, so k is finite.
  float k = 1 / (2 - a - b);
  // Without ease-in there is no acceleration phase, not even for t < 0.
  if (a != 0 && t < a) return t * t * (k / a);
  if (t < 1 - b) return k * (2 * t - a);
  // No ease-out: the deceleration phase is empty and the curve has arrived.
  if (b == 0) return 1;
  float u = 1 - t;
  return 1 - u * u * (k / b);
}
