// Building and reading the harmonic wavetables.
#include "wavetable.h"

#include <cmath>

namespace musicgen {

namespace {
constexpr int kTableSize = 4096;
constexpr double kTwoPi = 6.283185307179586;

// A saw's harmonics (1/n), rolled off above `corner` so the top stays soft.
std::vector<double> softSaw(int harmonics, double corner) {
  std::vector<double> amplitudes;
  for (int n = 1; n <= harmonics; ++n) amplitudes.push_back(1.0 / (n * (1.0 + std::pow(n / corner, 2.0))));
  return amplitudes;
}
}  // namespace

Wavetable::Wavetable(const std::vector<double>& amplitudes) : table_(kTableSize + 1) {
  double peak = 0.0;
  std::vector<double> cycle(kTableSize, 0.0);
  for (int i = 0; i < kTableSize; ++i) {
    for (std::size_t n = 0; n < amplitudes.size(); ++n) {
      cycle[i] += amplitudes[n] * std::sin(kTwoPi * double(n + 1) * i / kTableSize);
    }
    peak = std::fmax(peak, std::fabs(cycle[i]));
  }
  for (int i = 0; i < kTableSize; ++i) table_[i] = float(cycle[i] / peak);
  table_[kTableSize] = table_[0];
}

float Wavetable::at(double phase) const {
  double position = (phase - std::floor(phase)) * kTableSize;
  int index = int(position);
  float t = float(position - index);
  if (index >= kTableSize) {  // a phase a rounding error below a whole cycle
    index = 0;
    t = 0.0f;
  }
  return table_[index] + (table_[index + 1] - table_[index]) * t;
}

Wavetable darkPadTable() { return Wavetable(softSaw(4, 2.0)); }
Wavetable brightPadTable() { return Wavetable(softSaw(12, 5.0)); }

}  // namespace musicgen
