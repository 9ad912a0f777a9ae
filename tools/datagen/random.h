// A small seeded pseudo-random stream (SplitMix64) and integer hashing for the
// generators: the same seed gives the same numbers on every machine.
#pragma once

#include <cstdint>

#include "vec3.h"

namespace datagen {

// Mixes 64 bits into 64 well-distributed bits (the SplitMix64 finaliser).
constexpr std::uint64_t mix64(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// A hash of three lattice coordinates and a seed.
inline std::uint64_t hashLattice(int x, int y, int z, std::uint64_t seed) {
  std::uint64_t h = mix64(seed ^ 0x9E3779B97F4A7C15ull);
  h = mix64(h ^ static_cast<std::uint32_t>(x));
  h = mix64(h ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 21));
  return mix64(h ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(z)) << 42));
}

// A hash turned into a double in [0, 1).
inline double unitFromHash(std::uint64_t h) { return static_cast<double>(h >> 11) * 0x1.0p-53; }

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    return mix64(state_);
  }
  // Uniform in [0, 1).
  double uniform() { return unitFromHash(next()); }
  double range(double low, double high) { return low + (high - low) * uniform(); }
  // Uniform in [0, count).
  int below(int count) { return static_cast<int>(uniform() * count); }
  // A direction uniformly distributed over the unit sphere.
  Vec3 direction() {
    double z = range(-1.0, 1.0);
    double angle = range(0.0, 6.283185307179586);
    double r = std::sqrt(1.0 - z * z);
    return {r * std::cos(angle), r * std::sin(angle), z};
  }

 private:
  std::uint64_t state_;
};

}  // namespace datagen
