// A painted picture in floating-point colour, and its conversion to bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "colour.h"

namespace datagen {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // row by row, the top row first

  Picture() = default;
  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Colour& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 8-bit samples, `channels` per pixel (3: R, G, B; 4: R, G, B, A), the top
// row first. A seeded sub-step dither keeps smooth gradients free of bands.
std::vector<std::uint8_t> quantise(const Picture& picture, int channels, std::uint64_t seed);

}  // namespace datagen
