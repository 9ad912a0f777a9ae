// One cycle of a waveform made of harmonics, read with linear interpolation.
#pragma once

#include <vector>

namespace musicgen {

class Wavetable {
 public:
  // amplitudes[n] is the level of harmonic n + 1 (sine phase).
  explicit Wavetable(const std::vector<double>& amplitudes);
  // phase in cycles; only its fractional part matters.
  float at(double phase) const;

 private:
  std::vector<float> table_;  // one cycle plus a guard entry
};

// The pads' timbres: a soft saw with few harmonics and a brighter one.
Wavetable darkPadTable();
Wavetable brightPadTable();

}  // namespace musicgen
