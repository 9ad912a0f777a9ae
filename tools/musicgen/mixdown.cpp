// The send levels, the two passes through the effects and the final level.
#include "mixdown.h"

#include <algorithm>
#include <cmath>

#include "effects.h"

namespace musicgen {

namespace {
constexpr double kEchoSeconds = 0.62;
constexpr double kEchoFeedback = 0.45;
constexpr double kReverbSeconds = 5.5;
constexpr float kBodyToReverb = 0.45f;
constexpr float kBellsToReverb = 0.8f;
constexpr float kEchoToReverb = 0.6f;
constexpr float kBellsDry = 0.7f;
constexpr float kEchoLevel = 0.45f;
constexpr float kReverbLevel = 0.8f;
constexpr float kPeakLevel = 0.6f;  // about -4.4 dBFS, room for the encoder
}  // namespace

LoopBuffer mixDown(const DryStems& stems) {
  const std::size_t frames = stems.body.frames();
  LoopBuffer out(frames);
  PingPongDelay echo(kEchoSeconds, kEchoFeedback);
  Reverb reverb(kReverbSeconds);
  float peak = 0.0f;
  for (std::size_t n = 0; n < 2 * frames; ++n) {
    float echoLeft = 0.0f, echoRight = 0.0f;
    echo.process(stems.bells.left(n), stems.bells.right(n), echoLeft, echoRight);
    const float sendLeft =
        kBodyToReverb * stems.body.left(n) + kBellsToReverb * stems.bells.left(n) + kEchoToReverb * echoLeft;
    const float sendRight =
        kBodyToReverb * stems.body.right(n) + kBellsToReverb * stems.bells.right(n) + kEchoToReverb * echoRight;
    float wetLeft = 0.0f, wetRight = 0.0f;
    reverb.process(sendLeft, sendRight, wetLeft, wetRight);
    if (n < frames) continue;  // the first pass only fills the effects
    const float left = stems.body.left(n) + kBellsDry * stems.bells.left(n) + kEchoLevel * echoLeft +
                       kReverbLevel * wetLeft;
    const float right = stems.body.right(n) + kBellsDry * stems.bells.right(n) + kEchoLevel * echoRight +
                        kReverbLevel * wetRight;
    out.set(n - frames, left, right);
    peak = std::max({peak, std::fabs(left), std::fabs(right)});
  }
  const float scale = peak > 0.0f ? kPeakLevel / peak : 1.0f;
  for (std::size_t i = 0; i < frames; ++i) out.set(i, out.left(i) * scale, out.right(i) * scale);
  return out;
}

}  // namespace musicgen
