// Test helper: decodes a JPEG from memory with libjpeg, the way the saver
// does (default output colour space), failing softly on bad data.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

struct DecodedJpeg {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<std::uint8_t> pixels;  // top row first
};

namespace jpeg_reader_detail {
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};
inline void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
inline void ignore(j_common_ptr) {}

inline bool decode(const std::uint8_t* data, std::size_t size, int& width, int& height, int& components,
                   std::uint8_t** pixels) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onError;
  errors.base.output_message = ignore;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  components = info.output_components;
  std::size_t rowBytes = static_cast<std::size_t>(width) * components;
  *pixels = new std::uint8_t[rowBytes * height];
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = *pixels + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}
}  // namespace jpeg_reader_detail

inline bool decodeJpegBytes(const std::vector<std::uint8_t>& bytes, DecodedJpeg& image) {
  std::uint8_t* pixels = nullptr;
  bool ok = jpeg_reader_detail::decode(bytes.data(), bytes.size(), image.width, image.height, image.components,
                                       &pixels);
  if (ok) image.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height * image.components);
  delete[] pixels;
  return ok;
}
