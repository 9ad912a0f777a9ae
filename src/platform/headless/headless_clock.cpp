// The virtual performance counter.
#include "platform/headless/headless_clock.h"

#include <cmath>

namespace platform {

std::int64_t VirtualClock::counter() const {
  double ticks = std::floor(static_cast<double>(swaps_) * static_cast<double>(kFrequency) / framesPerSecond_);
  return kStart + static_cast<std::int64_t>(ticks);
}

}  // namespace platform
