// Reading, preparing and sampling keyframe tracks.
#include "direction/keyframe_track.h"

#include <cstdio>

#include "math/interpolation.h"
#include "world/world_file.h"

namespace {

// The float nearest to 1/3, the blend of the first and last control points.
constexpr float kOneThird = 0.33333334f;

// Applies every attribute keyword that the line starts with, in this order.
void applyKeyframeLine(Keyframe& key, const char* line) {
  if (startsWith(line, "position"))
    std::sscanf(line, "position V(%f %f %f)", &key.position.x, &key.position.y, &key.position.z);
  if (startsWith(line, "gradient"))
    std::sscanf(line, "gradient V(%f %f %f)", &key.gradient.x, &key.gradient.y, &key.gradient.z);
  if (startsWith(line, "quaternion"))
    std::sscanf(line, "quaternion Q(%f %f %f %f)", &key.orientation.x, &key.orientation.y, &key.orientation.z,
                &key.orientation.w);
  if (startsWith(line, "time")) std::sscanf(line, "time %f", &key.time);
  if (startsWith(line, "freeze")) key.freeze = true;
}

// Reads the lines of one keyframe block up to and including its "end" line.
// False when the data ended instead.
bool readKeyframeBlock(Keyframe& key, ArchiveFile& script) {
  char line[kScriptLineCapacity];
  for (;;) {
    const bool lineFeedFollows = script.readLine(line);
    applyKeyframeLine(key, line);
    if (startsWith(line, "end")) return lineFeedFollows;
    if (!lineFeedFollows) return false;
  }
}

}  // namespace

void readKeyframes(KeyframeTrack& track, ArchiveFile& script) {
  char line[kScriptLineCapacity];
  for (;;) {
    const bool lineFeedFollows = script.readLine(line);
    if (startsWith(line, "ENDKEYS")) return;
    if (startsWith(line, "keyframe")) {
      auto key = std::make_unique<Keyframe>();
      const bool dataContinues = readKeyframeBlock(*key, script);
      track.keys.push_back(std::move(key));
      if (!dataContinues) return;
    } else if (!lineFeedFollows) {
      return;
    }
  }
}

void prepareTrack(KeyframeTrack& track) {
  if (!track.usable()) return;
  std::vector<std::unique_ptr<Keyframe>>& keys = track.keys;
  const std::size_t last = keys.size() - 1;

  Keyframe& first = *keys[0];
  first.outControl = slerp(first.orientation, keys[1]->orientation, kOneThird);
  first.gradient = subtract(keys[1]->position, first.position);

  for (std::size_t i = 1; i < last; ++i) {
    Keyframe& key = *keys[i];
    const Keyframe& previous = *keys[i - 1];
    const Keyframe& following = *keys[i + 1];
    const Vector3 incoming = subtract(key.position, previous.position);
    const Vector3 outgoing = subtract(following.position, key.position);
    key.gradient = add(incoming, scale(subtract(outgoing, incoming), 0.5f));

    const Quaternion towardsPrevious = slerp(key.orientation, previous.orientation, -kOneThird);
    const Quaternion towardsFollowing = slerp(key.orientation, following.orientation, kOneThird);
    const Quaternion middle = slerp(towardsPrevious, towardsFollowing, 0.5f);
    key.inControl = slerp(key.orientation, middle, -1.0f);
    key.outControl = slerp(key.orientation, middle, 1.0f);
  }

  Keyframe& lastKey = *keys[last];
  lastKey.inControl = slerp(lastKey.orientation, keys[last - 1]->orientation, kOneThird);
  lastKey.gradient = subtract(lastKey.position, keys[last - 1]->position);
}

void clearTrack(KeyframeTrack& track) { track.keys.clear(); }

bool interpolateSegment(const Keyframe& current, const Keyframe& next, float time, Vector3& position,
                        Quaternion& orientation) {
  if (current.freeze) {
    position = current.position;
    return false;
  }
  // Keys at one time have no extent to move over: the segment rests at its start.
  const float duration = next.time - current.time;
  const float u = duration != 0.0f ? (time - current.time) / duration : 0.0f;
  position = hermite(current.position, next.position, current.gradient, next.gradient, u);
  orientation = slerpBezier(current.orientation, current.outControl, next.inControl, next.orientation, u);
  return true;
}
