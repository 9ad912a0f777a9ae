// Converts painted pictures to 8-bit samples.
#include "picture.h"

#include <cmath>

#include "random.h"

namespace datagen {

std::vector<std::uint8_t> quantise(const Picture& picture, int channels, std::uint64_t seed) {
  std::vector<std::uint8_t> samples;
  samples.reserve(picture.pixels.size() * channels);
  std::uint64_t index = 0;
  for (const Colour& c : picture.pixels) {
    const float values[4] = {c.r, c.g, c.b, c.a};
    for (int channel = 0; channel < channels; ++channel) {
      // Triangular dither below half a step: 0 and 255 stay exact.
      std::uint64_t h = mix64(seed ^ (index * 4 + channel));
      double dither = (unitFromHash(h) - unitFromHash(mix64(h))) * 0.49;
      double level = std::floor(clamp01(values[channel]) * 255.0 + dither + 0.5);
      samples.push_back(static_cast<std::uint8_t>(std::fmin(255.0, std::fmax(0.0, level))));
    }
    ++index;
  }
  return samples;
}

}  // namespace datagen
