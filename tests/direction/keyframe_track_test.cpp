// prepareTrack's tangents and control points, and sampling one segment.
#include "direction/keyframe_track.h"

#include <cmath>

#include <gtest/gtest.h>

#include "direction/track_test_support.h"
#include "math/interpolation.h"

namespace {

using namespace track_test;

const Quaternion kDefaultControl(0, 1, 0, 1);

// Rotations about +Z, spaced so that every neighbouring pair lies in slerp's
// linear branch: the expected control points can be worked out by hand.
const Quaternion kTurn0 = aboutZ(0.0f, 1.0f);
const Quaternion kTurn1 = aboutZ(0.6f, 0.8f);
const Quaternion kTurn2 = aboutZ(0.96f, 0.28f);

TEST(PrepareTrack, TwoKeysShareTheChordAsGradientAndBlendAThirdTowardsEachOther) {
  KeyframeTrack track;
  track.keys.push_back(makeKey(0, Vector3(1, 2, 3), kTurn0));
  track.keys.push_back(makeKey(4, Vector3(5, 0, 3), kTurn1));
  track.keys[0]->gradient = Vector3(99, 99, 99);
  track.keys[1]->gradient = Vector3(-99, 0, 0);
  prepareTrack(track);

  const Keyframe& first = *track.keys[0];
  const Keyframe& second = *track.keys[1];
  expectNear(first.gradient, Vector3(4, -2, 0), 0);
  expectNear(second.gradient, Vector3(4, -2, 0), 0);
  // Two thirds of the key itself and one third of its neighbour.
  expectNear(first.outControl, aboutZ(0.2f, 0.93333334f));
  expectNear(second.inControl, aboutZ(0.4f, 0.8666667f));
  expectNear(first.inControl, kDefaultControl, 0);
  expectNear(second.outControl, kDefaultControl, 0);
}

TEST(PrepareTrack, InnerKeysGetTheCentralDifferenceAndMirroredControls) {
  KeyframeTrack track;
  track.keys.push_back(makeKey(0, Vector3(0, 0, 0), kTurn0));
  track.keys.push_back(makeKey(1, Vector3(1, 0, 0), kTurn1));
  track.keys.push_back(makeKey(2, Vector3(5, 2, 0), kTurn2));
  prepareTrack(track);

  const Keyframe& inner = *track.keys[1];
  expectNear(inner.gradient, Vector3(2.5f, 1, 0));
  // In the linear branch the controls are the key ∓ (next − previous) / 6.
  expectNear(inner.inControl, aboutZ(0.44f, 0.92f));
  expectNear(inner.outControl, aboutZ(0.76f, 0.68f));
  expectNear(track.keys[0]->gradient, Vector3(1, 0, 0), 0);
  expectNear(track.keys[2]->gradient, Vector3(4, 2, 0), 0);
}

TEST(PrepareTrack, TracksWithoutASegmentAreLeftAsTheyAre) {
  KeyframeTrack empty;
  prepareTrack(empty);
  EXPECT_TRUE(empty.keys.empty());

  KeyframeTrack single;
  single.keys.push_back(makeKey(0, Vector3(1, 1, 1), kTurn1));
  single.keys[0]->gradient = Vector3(3, 3, 3);
  prepareTrack(single);
  EXPECT_FALSE(single.usable());
  expectNear(single.keys[0]->gradient, Vector3(3, 3, 3), 0);
  expectNear(single.keys[0]->inControl, kDefaultControl, 0);
  expectNear(single.keys[0]->outControl, kDefaultControl, 0);
}

TEST(ClearTrack, EmptiesTheTrack) {
  KeyframeTrack track;
  fillEvenTrack(track, {0, 1, 2});
  clearTrack(track);
  EXPECT_TRUE(track.keys.empty());
}

// A segment from 5 to 10 s with different end tangents, so that both the
// parameter and the order of the curve's arguments show in the sample.
class SegmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    current_.time = 5;
    current_.position = Vector3(0, 0, 0);
    current_.gradient = Vector3(20, 0, 4);
    current_.orientation = kTurn0;
    current_.outControl = aboutZ(0.2f, 0.9f);
    next_.time = 10;
    next_.position = Vector3(10, 2, 0);
    next_.gradient = Vector3(2, 6, 0);
    next_.orientation = kTurn2;
    next_.inControl = aboutZ(0.7f, 0.6f);
  }

  Keyframe current_, next_;
  Vector3 position_{-1, -1, -1};
  Quaternion orientation_{-1, -1, -1, -1};
};

TEST_F(SegmentTest, SamplesTheCurvesAtTheFractionOfTheSegment) {
  for (float time : {5.0f, 6.0f, 7.5f, 10.0f}) {
    SCOPED_TRACE(time);
    const float u = (time - 5.0f) / 5.0f;
    ASSERT_TRUE(interpolateSegment(current_, next_, time, position_, orientation_));
    // Tangents count per whole segment, not per second.
    expectNear(position_, hermite(current_.position, next_.position, current_.gradient, next_.gradient, u));
    expectNear(orientation_,
               slerpBezier(current_.orientation, current_.outControl, next_.inControl, next_.orientation, u));
  }
  ASSERT_TRUE(interpolateSegment(current_, next_, 5.0f, position_, orientation_));
  expectNear(position_, current_.position);
  expectNear(orientation_, current_.orientation);
  ASSERT_TRUE(interpolateSegment(current_, next_, 10.0f, position_, orientation_));
  expectNear(position_, next_.position);
  expectNear(orientation_, next_.orientation);
}

TEST_F(SegmentTest, AFrozenSegmentGivesItsPositionAndNoOrientation) {
  current_.freeze = true;
  EXPECT_FALSE(interpolateSegment(current_, next_, 7.5f, position_, orientation_));
  expectNear(position_, current_.position, 0);
  expectNear(orientation_, Quaternion(-1, -1, -1, -1), 0);
}

TEST_F(SegmentTest, KeysAtOneTimeRestAtTheStart) {
  next_.time = current_.time;
  ASSERT_TRUE(interpolateSegment(current_, next_, 5.0f, position_, orientation_));
  expectNear(position_, current_.position);
  expectNear(orientation_, current_.orientation);
}

}  // namespace
