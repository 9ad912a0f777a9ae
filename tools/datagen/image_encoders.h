// Picture file encoders: baseline JPEG through libjpeg, and uncompressed
// 32-bit TGA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

namespace datagen {

// A baseline JPEG of the picture's colour (alpha is dropped), full-resolution
// chroma, at quality 1..100.
bool encodeJpeg(const Picture& picture, int quality, std::uint64_t ditherSeed, std::vector<std::uint8_t>& out,
                std::string& error);

// A TGA of image type 2, 32 bits per pixel stored B, G, R, A, with 8 alpha
// bits and the bottom-left origin: the bottom row of the picture comes first
// in the file, as the saver (which ignores the origin bit) expects.
std::vector<std::uint8_t> encodeTga(const Picture& picture, std::uint64_t ditherSeed);

}  // namespace datagen
