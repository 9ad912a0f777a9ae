// JPEG decoding through libjpeg from an in-memory entry, with an error
// manager that keeps every message to itself and turns fatal errors into a
// jump back to the decoder, which then gives up cleanly.
#include "resources/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "platform/platform.h"
#include "resources/archive_file.h"

namespace {

constexpr int kRgbComponents = 3;

struct SilentErrorManager {
  jpeg_error_mgr base;  // first, so libjpeg's pointer is also ours
  std::jmp_buf escape;
};

// Messages are formatted as libjpeg expects and then dropped.
void discardMessage(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  info->err->format_message(info, text);
}

[[noreturn]] void escapeFatalError(j_common_ptr info) {
  discardMessage(info);
  std::longjmp(reinterpret_cast<SilentErrorManager*>(info->err)->escape, 1);
}

// Grey scanlines were read into the start of their RGB rows; widen each row
// in place from its end, so no grey value is overwritten before it is used.
void expandGreyRows(DecodedImage& image) {
  for (std::int32_t row = 0; row < image.height; ++row) {
    std::uint8_t* line = image.pixels.data() + static_cast<std::size_t>(row) * image.rowBytes;
    for (std::int32_t x = image.width - 1; x >= 0; --x) {
      const std::uint8_t grey = line[x];
      line[x * 3] = line[x * 3 + 1] = line[x * 3 + 2] = grey;
    }
  }
}

// The decode proper. Everything that must survive a jump back lives outside
// this frame (the image and the row table belong to the caller), so the jump
// skips no destructor and leaves no local in doubt.
bool decodeWithEscape(const std::uint8_t* data, std::size_t size, DecodedImage& image,
                      std::vector<JSAMPROW>& rowTable, bool& grey) {
  jpeg_decompress_struct info;
  SilentErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = escapeFatalError;
  errors.base.output_message = discardMessage;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }

  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  grey = info.out_color_space == JCS_GRAYSCALE;
  const bool colour = info.out_color_space == JCS_RGB;
  if ((!grey && !colour) || info.image_width > kMaxJpegSide || info.image_height > kMaxJpegSide) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);

  image.width = static_cast<std::int32_t>(info.output_width);
  image.height = static_cast<std::int32_t>(info.output_height);
  image.rowBytes = image.width * kRgbComponents;
  image.pixels.assign(static_cast<std::size_t>(image.rowBytes) * image.height, 0);
  rowTable.resize(image.height);
  for (std::int32_t k = 0; k < image.height; ++k) {
    rowTable[k] = image.pixels.data() + static_cast<std::size_t>(image.height - 1 - k) * image.rowBytes;
  }
  while (info.output_scanline < info.output_height) {
    const JDIMENSION done = info.output_scanline;
    // The memory source never suspends; a call that yields nothing would loop.
    if (jpeg_read_scanlines(&info, rowTable.data() + done, info.output_height - done) == 0) break;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// Decodes a whole JPEG held in memory.
bool decodeJpegData(const std::uint8_t* data, std::size_t size, DecodedImage& image) {
  image = DecodedImage{};
  std::vector<JSAMPROW> rowTable;
  bool grey = false;
  if (!decodeWithEscape(data, size, image, rowTable, grey)) {
    image = DecodedImage{};
    return false;
  }
  if (grey) expandGreyRows(image);
  return true;
}

}  // namespace

bool decodeJpeg(const char* path, DecodedImage& image) {
  ArchiveFile entry;
  if (!entry.open(path)) {
    image = DecodedImage{};
    platform::messageBox(std::string("ARCH:Can't load JPG file: ") + path, "Error");
    return false;
  }
  return decodeJpegData(entry.data(), entry.size(), image);
}
