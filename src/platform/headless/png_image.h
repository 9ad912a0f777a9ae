// Reading and writing 8-bit RGBA PNG files, rows top-down: the headless
// frame output and the golden-frame comparisons both go through here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace image {

// Largest picture either call accepts, so a hostile header cannot make the
// reader allocate without bound.
constexpr int kMaxPngSide = 16384;
constexpr std::uint64_t kMaxPngPixels = 64ull * 1024 * 1024;

// Writes width x height pixels of four bytes each (R, G, B, A), the first row
// at the top. Favours speed over size (no filter search, fast deflate).
// False when the sizes do not match the data or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);

// Reads any PNG as 8-bit RGBA rows top-down. False, leaving the outputs
// untouched, when the file is missing, malformed or larger than the limits.
bool readPng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba);

}  // namespace image
