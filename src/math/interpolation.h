// Interpolation curves: Hermite segments for positions, spherical blends and a
// spherical Bézier for orientations, a linear blend and an ease-in/ease-out map.
#pragma once

#include "math/quaternion.h"
#include "math/vector3.h"

// Spherical interpolation along the shorter arc. Below a dot product of 0.5
// it blends with sine weights, otherwise linearly (1 − t, t); the result is
// never renormalised and t may lie outside 0..1 (extrapolation).
Quaternion slerp(const Quaternion& from, const Quaternion& to, float t);

// De Casteljau's construction with slerp in place of the linear blend: starts
// at q0, ends at q3, with q1 and q2 as inner control points.
Quaternion slerpBezier(const Quaternion& q0, const Quaternion& q1, const Quaternion& q2, const Quaternion& q3,
                       float t);

// The cubic Hermite segment from p0 to p1 with end tangents m0 and m1 (units
// per whole segment) at t in 0..1.
float hermite(float p0, float p1, float m0, float m1, float t);
// The same per component.
Vector3 hermite(Vector3 p0, Vector3 p1, Vector3 m0, Vector3 m1, float t);

// a + (b − a)·t
float lerp(float a, float b, float t);

// Maps t in 0..1 onto 0..1 with constant acceleration over the first fraction
// easeIn, constant speed in the middle and constant deceleration over the last
// fraction easeOut (fractions summing to more than 1 are scaled down to sum
// 1). Zero fractions give t unchanged; the curve ends at exactly 1 at t = 1,
// and with no ease-out it stays at 1 from t = 1 on.
float easeInOut(float t, float easeIn, float easeOut);
