// Camera::stepTrack following a track by the scene clock, and
// Camera::trackTargets with a look target and a cross-look pair.
#include "direction/camera.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "direction/scene_clock.h"
#include "direction/track_test_support.h"
#include "world/world_object.h"

namespace {

using namespace track_test;

// A world object that only has a position.
class Marker : public WorldObject {
 public:
  explicit Marker(Vector3 at) { position = at; }
  void draw(const Camera&) override {}
  void update(double) override {}
};

class CameraTrackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sceneClock = 0.0f;
    camera_.position = Vector3(7, 7, 7);
  }

  void stepAt(float clock) {
    sceneClock = clock;
    camera_.stepTrack(0.25);
  }

  Camera camera_;
};

TEST_F(CameraTrackTest, SamplesTheSegmentThatHoldsTheClock) {
  fillEvenTrack(camera_.track, {0, 5, 10});
  stepAt(7.5f);
  EXPECT_EQ(camera_.trackTime, 7.5);
  expectNear(camera_.position, Vector3(15, 0, 0));  // halfway through (5, 10)
  expectNear(camera_.eye, camera_.position, 0);
  EXPECT_FALSE(camera_.trackFinished);
  EXPECT_EQ(sceneClock, 7.5f);
}

// Clocks that no segment holds: the last key's time is outside its segment,
// and a track may begin after the clock. Either way the scene is over.
TEST_F(CameraTrackTest, AClockOutsideEverySegmentFinishesTheTrack) {
  struct Case {
    std::vector<float> times;
    float clock;
  };
  for (const Case& c : {Case{{0, 5, 10}, 10.0f}, Case{{0, 5, 10}, 30.0f}, Case{{2, 5, 10}, 1.0f}}) {
    SCOPED_TRACE(c.clock);
    Camera camera;
    fillEvenTrack(camera.track, c.times);
    camera.trackTime = 3.0;
    sceneClock = c.clock;
    camera.stepTrack(0.0);
    EXPECT_TRUE(camera.trackFinished);
    EXPECT_EQ(camera.trackTime, 0.0);
    EXPECT_EQ(sceneClock, 0.0f);
    EXPECT_TRUE(std::isfinite(camera.position.x));
  }
}

TEST_F(CameraTrackTest, AtTheEndTheCameraJumpsToTheStartOfTheFirstSegment) {
  fillEvenTrack(camera_.track, {0, 5, 10});
  stepAt(10.0f);
  expectNear(camera_.position, Vector3(0, 0, 0));
  expectNear(camera_.eye, Vector3(0, 0, 0));
}

// look is the image of +X and up the image of +Z under the sampled orientation.
TEST_F(CameraTrackTest, TheOrientationTurnsForwardXAndUpZ) {
  const float h = std::sqrt(0.5f);
  struct Case {
    Quaternion orientation;
    Vector3 look, up;
  };
  const Case cases[] = {
      {kIdentity, {1, 0, 0}, {0, 0, 1}},
      {Quaternion(h, 0, 0, h), {1, 0, 0}, {0, -1, 0}},  // a quarter turn about X
      {Quaternion(0, 0, h, h), {0, 1, 0}, {0, 0, 1}},   // a quarter turn about Z
  };
  for (const Case& c : cases) {
    Camera camera;
    camera.track.keys.push_back(makeKey(0, Vector3(0, 0, 0), c.orientation));
    camera.track.keys.push_back(makeKey(5, Vector3(10, 0, 0), c.orientation));
    prepareTrack(camera.track);
    sceneClock = 1.0f;
    camera.stepTrack(0.0);
    expectNear(camera.trackOrientation, c.orientation);
    expectNear(camera.look, c.look);
    expectNear(camera.up, c.up);
  }
}

TEST_F(CameraTrackTest, AFrozenSegmentHoldsPositionAndOrientation) {
  KeyframeTrack& track = camera_.track;
  track.keys.push_back(makeKey(0, Vector3(0, 0, 0), kIdentity));
  track.keys.push_back(makeKey(5, Vector3(10, 0, 0), aboutZ(0.6f, 0.8f)));
  track.keys.push_back(makeKey(10, Vector3(20, 0, 0), aboutZ(0.96f, 0.28f)));
  track.keys[1]->freeze = true;
  prepareTrack(track);

  stepAt(4.0f);
  const Vector3 look = camera_.look, up = camera_.up;
  const Quaternion orientation = camera_.trackOrientation;
  ASSERT_GT(std::fabs(look.y), 0.1f) << "the first segment turns the camera";

  for (float clock : {5.0f, 7.5f, 9.9f}) {
    SCOPED_TRACE(clock);
    stepAt(clock);
    expectNear(camera_.position, Vector3(10, 0, 0), 0);
    expectNear(camera_.look, look, 0);
    expectNear(camera_.up, up, 0);
    expectNear(camera_.trackOrientation, orientation, 0);
    EXPECT_FALSE(camera_.trackFinished);
  }
}

TEST_F(CameraTrackTest, TracksWithoutASegmentLeaveTheCameraWhereItIs) {
  for (int keys : {0, 1}) {
    SCOPED_TRACE(keys);
    Camera camera;
    camera.position = Vector3(1, 2, 3);
    camera.trackTime = 4.0;
    if (keys == 1) camera.track.keys.push_back(makeKey(0, Vector3(9, 9, 9)));
    sceneClock = 6.0f;
    camera.stepTrack(0.0);
    expectNear(camera.eye, Vector3(1, 2, 3), 0);
    expectNear(camera.position, Vector3(1, 2, 3), 0);
    expectNear(camera.look, Vector3(0, 0, -1), 0);
    EXPECT_EQ(camera.trackTime, 4.0);
    EXPECT_EQ(sceneClock, 6.0f);
    EXPECT_FALSE(camera.trackFinished);
  }
}

class CameraTargetTest : public ::testing::Test {
 protected:
  Camera camera_;
  Marker origin_{Vector3(0, 0, 0)};
  Marker ahead_{Vector3(10, 0, 0)};
  Marker above_{Vector3(0, 3, 4)};
};

TEST_F(CameraTargetTest, CrossLookStandsBehindTheFirstObjectFacingTheSecond) {
  camera_.crossFrom = &origin_;
  camera_.crossTo = &ahead_;
  camera_.crossDistance = 5;
  camera_.up = Vector3(0, 2, 0);
  camera_.trackTargets();
  expectNear(camera_.position, Vector3(-5, 0, 0), 0);
  expectNear(camera_.eye, Vector3(-5, 0, 0), 0);
  expectNear(camera_.look, Vector3(1, 0, 0), 0);
  expectNear(camera_.targetDir, Vector3(1, 0, 0), 0);
  expectNear(camera_.up, Vector3(0, 2, 0), 0);
}

TEST_F(CameraTargetTest, OrientTurnsTowardsTheTargetWithoutMoving) {
  camera_.lookTarget = &above_;
  camera_.trackTargets();
  expectNear(camera_.look, Vector3(0, 0.6f, 0.8f));
  expectNear(camera_.targetDir, Vector3(0, 0.6f, 0.8f));
  expectNear(camera_.position, Vector3(0, 0, 0), 0);
  expectNear(camera_.up, Vector3(0, 1, 0), 0);
}

TEST_F(CameraTargetTest, CrossLookWinsOverOrient) {
  camera_.lookTarget = &above_;
  camera_.crossFrom = &origin_;
  camera_.crossTo = &ahead_;
  camera_.crossDistance = 2;
  camera_.trackTargets();
  expectNear(camera_.position, Vector3(-2, 0, 0), 0);
  expectNear(camera_.look, Vector3(1, 0, 0), 0);
}

TEST_F(CameraTargetTest, TargetsWithoutADirectionKeepThePreviousLook) {
  camera_.position = Vector3(0, 3, 4);
  camera_.look = Vector3(0, 0, -1);
  camera_.lookTarget = &above_;
  camera_.trackTargets();
  expectNear(camera_.look, Vector3(0, 0, -1), 0);

  camera_.clearTargets();
  Marker alsoAtOrigin(Vector3(0, 0, 0));
  camera_.crossFrom = &origin_;
  camera_.crossTo = &alsoAtOrigin;
  camera_.crossDistance = 5;
  camera_.trackTargets();
  expectNear(camera_.look, Vector3(0, 0, -1), 0);
  expectNear(camera_.position, Vector3(0, 3, 4), 0);
}

TEST_F(CameraTargetTest, ClearTargetsForgetsAllThree) {
  camera_.lookTarget = &above_;
  camera_.crossFrom = &origin_;
  camera_.crossTo = &ahead_;
  camera_.clearTargets();
  EXPECT_EQ(camera_.lookTarget, nullptr);
  EXPECT_EQ(camera_.crossFrom, nullptr);
  EXPECT_EQ(camera_.crossTo, nullptr);
  camera_.trackTargets();
  expectNear(camera_.look, Vector3(0, 0, -1), 0);
  expectNear(camera_.position, Vector3(0, 0, 0), 0);
}

}  // namespace
