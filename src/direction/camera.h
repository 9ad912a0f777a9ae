// The camera: the one viewpoint of the saver, which follows the scene's
// keyframe track by the scene clock, optionally keeps a world object in view
// or stands on the line between two objects, and loads the view transform.
//
// Each frame the saver run calls stepTrack right after advancing the scene
// clock; when the track has run past its last key, stepTrack sets the clock
// back to 0 and raises trackFinished, and the saver run starts the next scene
// (startNextScene, the scene director, which also keeps its state here: the
// scene directory and file, the next destination, the pending world). Later
// in the frame trackTargets applies the look target and the cross-look pair,
// and lookAt multiplies the current matrix by the view transform.
#pragma once

#include "direction/keyframe_track.h"
#include "math/quaternion.h"
#include "math/vector3.h"

class WorldObject;

class Camera {
 public:
  static constexpr int kSceneDirCapacity = 200;   // 199 characters and a terminator
  static constexpr int kSceneNameCapacity = 30;   // 29 characters and a terminator

  Camera() = default;
  virtual ~Camera() = default;
  Camera(const Camera&) = delete;
  Camera& operator=(const Camera&) = delete;

  // Samples the track at the current scene clock; the elapsed time is not
  // used. A track with fewer than two keys counts as empty: the camera stays.
  void stepTrack(double elapsedSeconds);
  // Turns towards lookTarget, then places the camera behind crossFrom on the
  // line to crossTo looking along it. Objects at one place give no direction;
  // the camera then keeps its place and look for that frame.
  void trackTargets();
  // Multiplies the current matrix by the look-at transform from eye towards
  // eye + look with up; callers load the identity first.
  void lookAt() const;
  // Forgets the look target and the cross-look pair.
  void clearTargets();
  // The scene director: reads the script sceneDir + sceneFile and applies it.
  void startNextScene();

  Vector3 up{0.0f, 1.0f, 0.0f};       // not normalised
  Vector3 look{0.0f, 0.0f, -1.0f};    // the point looked at is eye + look; not normalised
  Vector3 position{0.0f, 0.0f, 0.0f};
  double trackTime = 0.0;             // seconds the track was last sampled at
  char sceneDir[kSceneDirCapacity] = {};
  bool trackFinished = false;
  KeyframeTrack track;
  char sceneFile[kSceneNameCapacity] = {};
  char nextName[kSceneNameCapacity] = {};
  Quaternion trackOrientation{0.0f, 0.0f, 0.0f, 1.0f};  // last orientation sampled from the track
  Vector3 targetDir{0.0f, 0.0f, 0.0f};                  // last direction found by trackTargets
  Vector3 eye{0.0f, 0.0f, 0.0f};      // copy of position taken before every use
  float crossDistance = 0.0f;         // distance behind crossFrom
  WorldObject* lookTarget = nullptr;  // not owned
  WorldObject* crossFrom = nullptr;   // not owned
  WorldObject* crossTo = nullptr;     // not owned
  bool worldPending = false;          // a "world" line named the next world
};

extern Camera camera;
