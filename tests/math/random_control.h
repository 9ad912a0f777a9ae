// Steering the random generator in tests: the state whose next draw is a
// chosen value.
#pragma once

#include <cstdint>

namespace random_test {

// The state whose next randomInt() returns value (0 to 32767), found by
// inverting the generator's step for the state that yields exactly value << 16.
inline std::uint32_t stateBeforeDraw(int value) {
  std::uint32_t inverse = 1;  // 214013^-1 mod 2^32 by Newton's iteration
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  const std::uint32_t next = static_cast<std::uint32_t>(value) << 16;
  return (next - 2531011u) * inverse;
}

}  // namespace random_test
