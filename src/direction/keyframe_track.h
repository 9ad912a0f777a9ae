// Keyframe tracks: the camera path of one scene, read from a "KEYFRAMES"
// block of a scene script, completed with tangents and orientation control
// points, and sampled one segment at a time.
//
// Between two consecutive keys the position follows a cubic Hermite curve
// whose tangents are the keys' gradients (units per whole segment), and the
// orientation follows a spherical Bézier curve through the keys' own
// orientations and the control points that prepareTrack derives. Keys stay in
// script order; nothing sorts or checks their times. A track needs two keys
// to have a segment: shorter tracks are treated as empty by their users.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "math/quaternion.h"
#include "math/vector3.h"
#include "resources/archive_file.h"

class Keyframe {
 public:
  Keyframe() = default;
  virtual ~Keyframe() = default;

  // Scene time in seconds at which the camera is at this key. Scripts always
  // give one; 0 stands in for a key that lacks its "time" line.
  float time = 0.0f;
  // The segment that starts here holds still: the position stays at this
  // key's and the orientation is left as it was.
  bool freeze = false;
  Vector3 position{0.0f, 0.0f, 0.0f};
  // Position tangent in units per segment; recomputed by prepareTrack.
  Vector3 gradient{0.0f, 0.0f, 0.0f};
  // Turns the camera's forward axis +X and its up axis +Z.
  Quaternion orientation{0.0f, 0.0f, 0.0f, 0.0f};
  // Bézier control points before and after this key; set by prepareTrack.
  Quaternion inControl{0.0f, 1.0f, 0.0f, 1.0f};
  Quaternion outControl{0.0f, 1.0f, 0.0f, 1.0f};
};

// An ordered list of keys that the track owns.
class KeyframeTrack {
 public:
  // The fewest keys that make a segment.
  static constexpr std::size_t kMinimumUsableKeys = 2;

  bool usable() const { return keys.size() >= kMinimumUsableKeys; }

  std::vector<std::unique_ptr<Keyframe>> keys;
};

// Reads one "KEYFRAMES" block from the line after its "KEYFRAMES" line and
// appends one key per "keyframe" ... "end" block. Returns after the line that
// starts with "ENDKEYS", or at the end of the data (a key still open there is
// appended as it stands).
void readKeyframes(KeyframeTrack& track, ArchiveFile& script);

// Computes every key's gradient and orientation control points from the
// positions and orientations. A track with fewer than two keys is left as it
// is.
void prepareTrack(KeyframeTrack& track);

// Destroys every key and empties the track.
void clearTrack(KeyframeTrack& track);

// Samples the segment from `current` to `next` at scene time `time`. A frozen
// segment gives current's position and no orientation (the result is false
// and `orientation` is untouched); otherwise both are set and the result is
// true. The orientation is not normalised.
bool interpolateSegment(const Keyframe& current, const Keyframe& next, float time, Vector3& position,
                        Quaternion& orientation);
