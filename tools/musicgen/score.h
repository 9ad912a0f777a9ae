// The piece: eight slow chords in D with a sine bass, a low drone and a
// scattering of high bells, laid out over one loop.
#pragma once

#include <cstdint>

#include "loop_buffer.h"

namespace musicgen {

// The length of the loop in seconds: eight chords of nine seconds.
constexpr double kLoopSeconds = 72.0;

struct DryStems {
  LoopBuffer body;   // pads, bass and drone
  LoopBuffer bells;  // the shimmer, sent harder into the echo and reverb
};

// Renders every note of the loop (tails wrapping around to the start). The
// same seed gives the same stems.
DryStems renderScore(std::uint64_t seed);

}  // namespace musicgen
