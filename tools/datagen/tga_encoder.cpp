// Encodes pictures as uncompressed 32-bit TGA, bottom row first.
#include "image_encoders.h"

namespace datagen {

namespace {

constexpr std::uint8_t kTrueColourImage = 2;
constexpr std::uint8_t kBitsPerPixel = 32;
constexpr std::uint8_t kAlphaBits = 8;  // descriptor bits 0-3; origin bits clear: bottom-left

void putShort(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> encodeTga(const Picture& picture, std::uint64_t ditherSeed) {
  std::vector<std::uint8_t> rgba = quantise(picture, 4, ditherSeed);
  std::vector<std::uint8_t> out;
  out.reserve(18 + rgba.size());
  out.push_back(0);  // no identification field
  out.push_back(0);  // no colour map
  out.push_back(kTrueColourImage);
  for (int i = 0; i < 5; ++i) out.push_back(0);  // colour map specification
  putShort(out, 0);                              // x origin
  putShort(out, 0);                              // y origin
  putShort(out, picture.width);
  putShort(out, picture.height);
  out.push_back(kBitsPerPixel);
  out.push_back(kAlphaBits);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint8_t* row = rgba.data() + static_cast<std::size_t>(y) * picture.width * 4;
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = row + x * 4;
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  return out;
}

}  // namespace datagen
