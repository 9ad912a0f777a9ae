// Following the track, the look target and the cross-look pair; the view transform.
#include "direction/camera.h"

#include <GL/glu.h>

#include "direction/scene_clock.h"
#include "world/world_object.h"

Camera camera;

namespace {

// The unit direction from `from` to `to`; false, with `direction` untouched,
// when the two points coincide and there is no direction.
bool directionBetween(Vector3 from, Vector3 to, Vector3& direction) {
  const Vector3 difference = subtract(to, from);
  if (difference.length() == 0.0f) return false;
  direction = normalize(difference);
  return true;
}

}  // namespace

void Camera::stepTrack(double) {
  eye = position;
  if (!track.usable()) return;
  trackTime = sceneClock;

  const std::vector<std::unique_ptr<Keyframe>>& keys = track.keys;
  const Keyframe* current = nullptr;
  const Keyframe* next = nullptr;
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    if (keys[i]->time <= trackTime && trackTime < keys[i + 1]->time) {
      current = keys[i].get();
      next = keys[i + 1].get();
      break;
    }
  }
  if (current == nullptr) {
    // Past the last key (or before the first): back to the start of the
    // first segment, and the scene is over.
    current = keys[0].get();
    next = keys[1].get();
    trackTime = 0.0;
    sceneClock = 0.0f;
    trackFinished = true;
  }

  // A frozen segment sets the position only; look, up and the orientation stay.
  if (!interpolateSegment(*current, *next, static_cast<float>(trackTime), position, trackOrientation)) return;
  eye = position;
  float rotation[16];
  trackOrientation.toMatrix(rotation);
  look = Vector3(rotation[0], rotation[4], rotation[8]);  // image of +X
  up = Vector3(rotation[2], rotation[6], rotation[10]);   // image of +Z
}

void Camera::trackTargets() {
  if (lookTarget != nullptr && directionBetween(position, lookTarget->position, targetDir)) look = targetDir;
  if (crossFrom != nullptr && crossTo != nullptr &&
      directionBetween(crossFrom->position, crossTo->position, targetDir)) {
    position = subtract(crossFrom->position, scale(crossDistance, targetDir));
    eye = position;
    look = targetDir;
  }
}

void Camera::lookAt() const {
  const Vector3 centre = add(eye, look);
  gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}

void Camera::clearTargets() {
  lookTarget = nullptr;
  crossFrom = nullptr;
  crossTo = nullptr;
}
