// The virtual performance counter: it moves only when a frame is swapped,
// by exactly one frame period, so runs are deterministic to the frame.
#pragma once

#include <cstdint>

namespace platform {

class VirtualClock {
 public:
  static constexpr std::int64_t kFrequency = 10'000'000;  // ticks per second
  // The counter's value before the first swap; its low 32 bits seed the
  // saver's random generator, so they are fixed too.
  static constexpr std::int64_t kStart = 0x1234'5678'0000;

  explicit VirtualClock(double framesPerSecond) : framesPerSecond_(framesPerSecond) {}

  void swap() { ++swaps_; }
  std::uint64_t swaps() const { return swaps_; }
  // kStart plus the whole ticks of swaps() frame periods. Taken from the swap
  // count rather than summed per swap, so fractional periods never drift.
  std::int64_t counter() const;

 private:
  double framesPerSecond_;
  std::uint64_t swaps_ = 0;
};

}  // namespace platform
