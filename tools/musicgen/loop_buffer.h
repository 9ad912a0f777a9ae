// A stereo signal of a fixed length that repeats: writes past the end wrap
// around to the start, so a note ringing over the loop point is heard at
// the beginning of the next pass.
#pragma once

#include <cstddef>
#include <vector>

namespace musicgen {

constexpr double kSampleRate = 44100.0;

class LoopBuffer {
 public:
  explicit LoopBuffer(std::size_t frames) : left_(frames, 0.0f), right_(frames, 0.0f) {}

  std::size_t frames() const { return left_.size(); }
  // Adds to the frame at a position counted from the start of the first pass.
  void add(std::size_t frame, float left, float right) {
    std::size_t i = frame % left_.size();
    left_[i] += left;
    right_[i] += right;
  }
  float left(std::size_t frame) const { return left_[frame % left_.size()]; }
  float right(std::size_t frame) const { return right_[frame % right_.size()]; }
  void set(std::size_t frame, float left, float right) {
    left_[frame] = left;
    right_[frame] = right;
  }

 private:
  std::vector<float> left_;
  std::vector<float> right_;
};

inline std::size_t secondsToFrames(double seconds) { return static_cast<std::size_t>(seconds * kSampleRate + 0.5); }

}  // namespace musicgen
