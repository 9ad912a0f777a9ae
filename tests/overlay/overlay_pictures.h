// Small pictures made in the test for the overlay archives: JPEG and TGA
// encoders, a digit-font grid with legible glyphs, noise, a panel, discs.
#pragma once

#include <jpeglib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "rar_writer.h"

namespace overlay_test {

using rar::Bytes;

// Rows top-down, 3 (RGB) or 4 (RGBA) bytes per pixel.
struct Picture {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<std::uint8_t> pixels;

  Picture(int w, int h, int c) : width(w), height(h), channels(c), pixels(static_cast<std::size_t>(w) * h * c) {}
  std::uint8_t* at(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * channels]; }
  void set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    std::uint8_t* p = at(x, y);
    p[0] = r, p[1] = g, p[2] = b;
    if (channels == 4) p[3] = a;
  }
};

inline Bytes jpegBytes(const Picture& picture) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  for (int y = 0; y < picture.height; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(&picture.pixels[static_cast<std::size_t>(y) * picture.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// An uncompressed true-colour TGA: bottom row first, B, G, R (, A) per pixel.
inline Bytes tgaBytes(const Picture& picture) {
  const auto depth = static_cast<std::uint8_t>(picture.channels * 8);
  const auto w = static_cast<std::uint16_t>(picture.width);
  const auto h = static_cast<std::uint16_t>(picture.height);
  Bytes bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 static_cast<std::uint8_t>(w & 0xFF), static_cast<std::uint8_t>(w >> 8),
                 static_cast<std::uint8_t>(h & 0xFF), static_cast<std::uint8_t>(h >> 8),
                 depth, static_cast<std::uint8_t>(picture.channels == 4 ? 8 : 0)};
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = &picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * picture.channels];
      bytes.insert(bytes.end(), {p[2], p[1], p[0]});
      if (picture.channels == 4) bytes.push_back(p[3]);
    }
  }
  return bytes;
}

// 3 × 5 pixel shapes of the 13 digit-font glyphs: '0'–'9', ':', and the two
// 12-hour markers drawn as A (';') and P ('<').
constexpr const char* kGlyphShapes[13] = {
    "###"
    "#.#"
    "#.#"
    "#.#"
    "###",
    ".#."
    "##."
    ".#."
    ".#."
    "###",
    "###"
    "..#"
    "###"
    "#.."
    "###",
    "###"
    "..#"
    ".##"
    "..#"
    "###",
    "#.#"
    "#.#"
    "###"
    "..#"
    "..#",
    "###"
    "#.."
    "###"
    "..#"
    "###",
    "###"
    "#.."
    "###"
    "#.#"
    "###",
    "###"
    "..#"
    "..#"
    ".#."
    ".#.",
    "###"
    "#.#"
    "###"
    "#.#"
    "###",
    "###"
    "#.#"
    "###"
    "..#"
    "###",
    "..."
    ".#."
    "..."
    ".#."
    "...",
    ".#."
    "#.#"
    "###"
    "#.#"
    "#.#",
    "###"
    "#.#"
    "###"
    "#.."
    "#..",
};

// The digit font's 4 × 4 grid, `cell` pixels per cell: glyph k in column
// k mod 4 and row k div 4 from the top, white on black.
inline Picture digitGrid(int cell = 32) {
  Picture picture(cell * 4, cell * 4, 3);
  const int dot = cell / 8;
  for (int k = 0; k < 13; ++k) {
    const int left = (k % 4) * cell + cell / 2 - 3 * dot / 2, top = (k / 4) * cell + cell / 2 - 5 * dot / 2;
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 3; ++column) {
        if (kGlyphShapes[k][row * 3 + column] != '#') continue;
        for (int y = 0; y < dot; ++y) {
          for (int x = 0; x < dot; ++x) picture.set(left + column * dot + x, top + row * dot + y, 255, 255, 255);
        }
      }
    }
  }
  return picture;
}

// Grey noise from a fixed generator.
inline Picture noise(int size = 64) {
  Picture picture(size, size, 3);
  std::uint32_t state = 12345;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      state = state * 1103515245u + 12345u;
      const auto v = static_cast<std::uint8_t>(state >> 24);
      picture.set(x, y, v, v, v);
    }
  }
  return picture;
}

// A translucent blue panel with an opaque light frame.
inline Picture panel(int width = 128, int height = 64) {
  Picture picture(width, height, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool frame = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
      if (frame) {
        picture.set(x, y, 180, 200, 255, 255);
      } else {
        picture.set(x, y, 20, 40, static_cast<std::uint8_t>(90 + y), 160);
      }
    }
  }
  return picture;
}

// A disc of the colour on black, with a darker rim.
inline Picture disc(std::uint8_t r, std::uint8_t g, std::uint8_t b, int size = 64) {
  Picture picture(size, size, 3);
  const double radius = size / 2.0 - 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / radius;
      if (d > 1.0) continue;
      const double shade = 1.0 - 0.6 * d * d;
      picture.set(x, y, static_cast<std::uint8_t>(r * shade), static_cast<std::uint8_t>(g * shade),
                  static_cast<std::uint8_t>(b * shade));
    }
  }
  return picture;
}

// A framed stripe picture for the loading screen.
inline Picture loadingBanner(int size = 64) {
  Picture picture(size, size, 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool frame = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
      const auto v = static_cast<std::uint8_t>(frame ? 255 : (x * 4) % 256);
      picture.set(x, y, v, frame ? 255 : 80, frame ? 255 : static_cast<std::uint8_t>(255 - v));
    }
  }
  return picture;
}

}  // namespace overlay_test
