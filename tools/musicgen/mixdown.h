// Mixing the dry stems through the echo and the reverb into the finished,
// exactly repeating loop.
#pragma once

#include "score.h"
#include "loop_buffer.h"

namespace musicgen {

// The effects run over the loop twice and only the second pass is kept: its
// start then holds the echoes and reverb of its own end, so the last frame
// flows into the first. The result is scaled to a fixed peak level.
LoopBuffer mixDown(const DryStems& stems);

}  // namespace musicgen
