// The piece's effects: a ping-pong echo and a feedback-delay-network reverb,
// both processing one stereo frame at a time.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace musicgen {

// A delay line of fixed length with one-pole low-pass damping on its output.
class DampedDelay {
 public:
  DampedDelay(std::size_t frames, double damping);
  // The sample written frames ago, damped.
  float read() const { return damped_; }
  void write(float value);

 private:
  std::vector<float> line_;
  std::size_t position_ = 0;
  float damping_;
  float damped_ = 0.0f;
};

// An echo that bounces between the channels, each repeat darker and softer.
class PingPongDelay {
 public:
  PingPongDelay(double seconds, double feedback);
  void process(float inLeft, float inRight, float& outLeft, float& outRight);

 private:
  DampedDelay left_;
  DampedDelay right_;
  float feedback_;
};

// Eight delay lines of mutually prime lengths mixed through a Householder
// matrix; the loop gain of each line gives the decay time.
class Reverb {
 public:
  static constexpr std::size_t kLines = 8;
  explicit Reverb(double decaySeconds);
  void process(float inLeft, float inRight, float& outLeft, float& outRight);

 private:
  std::vector<DampedDelay> lines_;
  std::array<float, kLines> gains_{};
  DampedDelay preDelayLeft_;
  DampedDelay preDelayRight_;
};

}  // namespace musicgen
