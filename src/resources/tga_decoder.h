// TGA pictures from the archive: colour-mapped, true-colour and greyscale,
// raw or run-length, decoded into rows in file order (the first row of the
// file becomes row 0, the bottom row for OpenGL).
//
// Results per pixel: 32-bit pictures give R, G, B, A; 24-bit, 16-bit and
// colour-mapped pictures give B, G, R (the bytes as stored; 16-bit values are
// widened to 5 bits × 8 each and the picture's depth becomes 24); 8-bit
// greyscale gives one byte. The origin bit of the image descriptor is
// ignored. Whatever the header claims, the decoder stays inside the entry and
// its buffers: pixels the data does not supply stay 0.
#pragma once

#include <cstdint>
#include <vector>

class ArchiveFile;

// The decoder's state, fields in header order. `depth` is the depth of the
// decoded `pixels` once decoding succeeded (24 for 16-bit and colour-mapped
// pictures).
struct TgaImage {
  std::uint8_t identificationLength = 0;
  std::uint8_t colourMapType = 0;
  std::uint8_t imageType = 0;
  std::uint16_t colourMapFirstIndex = 0;  // read, never used
  std::uint16_t colourMapLength = 0;
  std::uint8_t colourMapEntrySize = 0;
  std::uint16_t origin = 0;  // the x and then the y origin are read into it; never used
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t depth = 0;
  std::uint8_t imageDescriptor = 0;  // never used
  std::vector<std::uint8_t> palette;  // colourMapLength × 3 bytes, as stored
  std::vector<std::uint8_t> pixels;   // width × height × depth / 8 bytes
};

// No picture may have more pixels than this, nor more than the entry could
// produce: a run-length packet of two to five bytes yields at most 128 pixels.
constexpr std::uint64_t kMaxTgaPixels = 8192ull * 8192ull;
constexpr std::uint64_t kMaxTgaPixelsPerEntryByte = 128;

// Decodes the archive entry at `path` into `image`. False, silently, when the
// entry cannot be opened, the image type or a type and depth combination is
// not supported, colour-mapped pictures lack a 24-bit colour map, or the
// picture is empty or too large. A depth other than 8, 16, 24 or 32 shows
// "Unsupported image depth." with the caption "TGA" and fails.
bool decodeTga(const char* path, TgaImage& image);

// Expands run-length pixel data of the given depth from the file's position
// into `pixels`, converted as above, until width × height pixels are written,
// the buffer is full or the data ends. Packets are clipped at the end of the
// picture. `pixels` must hold (depth == 16 ? 3 : depth / 8) bytes per pixel.
void decodeTgaRle(std::vector<std::uint8_t>& pixels, int width, int height, int depth, ArchiveFile& file);
