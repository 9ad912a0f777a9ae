// Offline frame output through the PNG writer.
#include "platform/headless/headless_frames.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/headless/headless_egl.h"
#include "platform/headless/png_image.h"

namespace platform {
namespace {

std::string framePath(const std::string& directory, std::uint64_t index) {
  char name[40];
  std::snprintf(name, sizeof name, "frame_%05llu.png", static_cast<unsigned long long>(index));
  return directory + "/" + name;
}

}  // namespace

bool FrameRecorder::start(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  recording_ = !directory.empty() && std::filesystem::is_directory(directory, error);
  directory_ = directory;
  failed_ = false;
  framesWritten_ = 0;
  return recording_;
}

bool FrameRecorder::writeFrame(const EglDrawable& drawable, int width, int height) {
  if (!recording_) return false;
  const std::string path = framePath(directory_, framesWritten_);
  if (!drawable.capture(width, height, pixels_) || !image::writePng(path, width, height, pixels_)) {
    std::fprintf(stderr, "headless: cannot write frame %s\n", path.c_str());
    recording_ = false;
    failed_ = true;
    return false;
  }
  ++framesWritten_;
  return true;
}

}  // namespace platform
