// Finding and reading the saver's own pictures.
#include "shell/preview_picture.h"

#include <filesystem>
#include <system_error>

#include "platform/headless/png_image.h"
#include "platform/platform.h"
#include "shell/settings.h"

std::string findSaverPicture(const std::string& fileName) {
  namespace fs = std::filesystem;
  const std::string programDirectory = platform::executableDirectory();
  const fs::path besideProgram = fs::path(programDirectory) / fileName;
  const fs::path inShare = fs::path(settings::defaultDataDirectory(programDirectory)) / fileName;
  std::error_code error;
  if (!fs::is_regular_file(besideProgram, error) && fs::is_regular_file(inShare, error)) return inShare.string();
  return besideProgram.string();
}

bool loadRgbPicture(const std::string& path, RgbPicture& out) {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  if (!image::readPng(path, width, height, rgba)) return false;
  RgbPicture picture;
  picture.width = width;
  picture.height = height;
  picture.rgb.resize(rgba.size() / 4 * 3);
  for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel)
    for (std::size_t channel = 0; channel < 3; ++channel) picture.rgb[pixel * 3 + channel] = rgba[pixel * 4 + channel];
  out = std::move(picture);
  return true;
}
