// Delay lines, the ping-pong echo and the reverb.
#include "effects.h"

#include <cmath>

#include "loop_buffer.h"

namespace musicgen {

DampedDelay::DampedDelay(std::size_t frames, double damping)
    : line_(frames == 0 ? 1 : frames, 0.0f), damping_(float(damping)) {}

void DampedDelay::write(float value) {
  const float oldest = line_[position_];
  damped_ += (oldest - damped_) * (1.0f - damping_);
  line_[position_] = value;
  position_ = (position_ + 1) % line_.size();
}

PingPongDelay::PingPongDelay(double seconds, double feedback)
    : left_(secondsToFrames(seconds), 0.35), right_(secondsToFrames(seconds), 0.35), feedback_(float(feedback)) {}

void PingPongDelay::process(float inLeft, float inRight, float& outLeft, float& outRight) {
  outLeft = left_.read();
  outRight = right_.read();
  // The left input and the right echo feed the left line, and the other way round.
  left_.write(0.5f * (inLeft + inRight) + outRight * feedback_);
  right_.write(outLeft * feedback_);
}

namespace {
// Prime lengths between 30 and 70 ms, so no echo pattern lines up.
constexpr std::size_t kLineFrames[Reverb::kLines] = {1361, 1601, 1867, 2053, 2287, 2539, 2767, 3049};
constexpr double kLineDamping = 0.25;
constexpr double kPreDelaySeconds = 0.025;
}  // namespace

Reverb::Reverb(double decaySeconds)
    : preDelayLeft_(secondsToFrames(kPreDelaySeconds), 0.0), preDelayRight_(secondsToFrames(kPreDelaySeconds), 0.0) {
  for (std::size_t i = 0; i < kLines; ++i) {
    lines_.emplace_back(kLineFrames[i], kLineDamping);
    // -60 dB after decaySeconds: each pass through a line loses its share.
    gains_[i] = float(std::pow(10.0, -3.0 * double(kLineFrames[i]) / (decaySeconds * kSampleRate)));
  }
}

void Reverb::process(float inLeft, float inRight, float& outLeft, float& outRight) {
  const float left = preDelayLeft_.read();
  const float right = preDelayRight_.read();
  preDelayLeft_.write(inLeft);
  preDelayRight_.write(inRight);

  std::array<float, kLines> outputs{};
  float sum = 0.0f;
  for (std::size_t i = 0; i < kLines; ++i) {
    outputs[i] = lines_[i].read() * gains_[i];
    sum += outputs[i];
  }
  // Householder feedback: each line gets its own output minus 2/N of the sum.
  const float shared = sum * (2.0f / float(kLines));
  outLeft = 0.0f;
  outRight = 0.0f;
  for (std::size_t i = 0; i < kLines; ++i) {
    const bool even = i % 2 == 0;
    lines_[i].write(outputs[i] - shared + (even ? left : right));
    // Alternating signs keep the two outputs decorrelated.
    const float sign = (i / 2) % 2 == 0 ? 1.0f : -1.0f;
    (even ? outLeft : outRight) += sign * outputs[i];
  }
  outLeft *= 0.35f;
  outRight *= 0.35f;
}

}  // namespace musicgen
