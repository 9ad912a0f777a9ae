// PNG reading and writing through libpng's simplified interface, which keeps
// libpng's longjmp error handling inside libpng.
#include "platform/headless/png_image.h"

#include <png.h>

namespace image {
namespace {

bool validSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxPngSide && height <= kMaxPngSide &&
         static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxPngPixels;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
  if (!validSize(width, height)) return false;
  if (rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) return false;

  png_image picture{};
  picture.version = PNG_IMAGE_VERSION;
  picture.width = static_cast<png_uint_32>(width);
  picture.height = static_cast<png_uint_32>(height);
  picture.format = PNG_FORMAT_RGBA;
  // No filters and a low deflate level: the render mode writes many frames.
  picture.flags = PNG_IMAGE_FLAG_FAST;
  bool written = png_image_write_to_file(&picture, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
  png_image_free(&picture);
  return written;
}

bool readPng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba) {
  png_image picture{};
  picture.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&picture, path.c_str())) return false;
  if (picture.width > static_cast<png_uint_32>(kMaxPngSide) ||
      picture.height > static_cast<png_uint_32>(kMaxPngSide) ||
      !validSize(static_cast<int>(picture.width), static_cast<int>(picture.height))) {
    png_image_free(&picture);
    return false;
  }
  picture.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(picture));
  if (!png_image_finish_read(&picture, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&picture);
    return false;
  }
  width = static_cast<int>(picture.width);
  height = static_cast<int>(picture.height);
  rgba.swap(pixels);
  return true;
}

}  // namespace image
