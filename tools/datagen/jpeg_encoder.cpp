// Encodes pictures as baseline JPEG in memory with libjpeg.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "image_encoders.h"

namespace datagen {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to encodeJpeg with the message kept.
struct JumpingErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void jumpOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
  manager->base.format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

// Runs the compressor over rows of RGB samples; nothing with a destructor
// lives in this frame, so the error jump is safe.
bool compress(const std::uint8_t* rgb, int width, int height, int quality, unsigned char** buffer,
              unsigned long* size, char* message) {
  jpeg_compress_struct info;
  JumpingErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jumpOnError;
  errors.base.output_message = ignoreMessage;
  errors.message[0] = '\0';
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.dct_method = JDCT_ISLOW;  // the integer transform: the same bytes everywhere
  for (int component = 0; component < info.num_components; ++component) {
    info.comp_info[component].h_samp_factor = 1;
    info.comp_info[component].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(info.next_scanline) * width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool encodeJpeg(const Picture& picture, int quality, std::uint64_t ditherSeed, std::vector<std::uint8_t>& out,
                std::string& error) {
  std::vector<std::uint8_t> rgb = quantise(picture, 3, ditherSeed);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX];
  bool encoded = compress(rgb.data(), picture.width, picture.height, quality, &buffer, &size, message);
  if (encoded) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!encoded) error = std::string("JPEG encoding failed: ") + message;
  return encoded;
}

}  // namespace datagen
