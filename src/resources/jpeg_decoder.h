// JPEG pictures from the archive, decoded by libjpeg into bottom-up RGB rows.
#pragma once

#include <cstdint>
#include <vector>

// A decoded picture: `height` rows of `rowBytes` bytes, row 0 the bottom of
// the picture (the last scanline), as OpenGL expects. Pixels are always
// three bytes R, G, B: greyscale pictures are expanded to grey RGB.
struct DecodedImage {
  std::int32_t rowBytes = 0;  // width × 3
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;
};

// Pictures with a longer side are refused: their buffer alone would be huge,
// and any real picture of ours is far smaller.
constexpr std::uint32_t kMaxJpegSide = 8192;

// Decodes the archive entry at `path`. When the entry cannot be opened, shows
// "ARCH:Can't load JPG file: <path>" with the caption "Error" and returns
// false. Also false, silently and with `image` empty, when libjpeg meets a
// fatal error, the picture is neither colour (YCbCr or RGB) nor greyscale
// (CMYK is refused), or a side exceeds kMaxJpegSide. libjpeg's warnings and
// errors are never shown; damaged scan data is a warning, and libjpeg fills
// in what is missing.
bool decodeJpeg(const char* path, DecodedImage& image);
