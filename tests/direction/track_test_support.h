// Helpers for the track and camera tests: keys built in code and comparisons
// of vectors and quaternions.
#pragma once

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "direction/keyframe_track.h"

namespace track_test {

constexpr float kTolerance = 1e-5f;

// A rotation about +Z whose half-angle has the sine s and cosine c.
inline Quaternion aboutZ(float s, float c) { return Quaternion(0.0f, 0.0f, s, c); }

const Quaternion kIdentity(0.0f, 0.0f, 0.0f, 1.0f);

inline std::unique_ptr<Keyframe> makeKey(float time, Vector3 position, Quaternion orientation = kIdentity) {
  auto key = std::make_unique<Keyframe>();
  key->time = time;
  key->position = position;
  key->orientation = orientation;
  return key;
}

// Appends one key per time, each at (10 × index, 0, 0), and prepares the
// track: the gradients then all equal the spacing, so positions move
// linearly over every segment.
inline void fillEvenTrack(KeyframeTrack& track, const std::vector<float>& times) {
  float x = 0.0f;
  for (float time : times) {
    track.keys.push_back(makeKey(time, Vector3(x, 0.0f, 0.0f)));
    x += 10.0f;
  }
  prepareTrack(track);
}

inline void expectNear(Vector3 actual, Vector3 expected, float tolerance = kTolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expectNear(const Quaternion& actual, const Quaternion& expected, float tolerance = kTolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
  EXPECT_NEAR(actual.w, expected.w, tolerance);
}

}  // namespace track_test
