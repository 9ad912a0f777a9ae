// Offline frame output: each swapped frame as DIRECTORY/frame_NNNNN.png.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class EglDrawable;

class FrameRecorder {
 public:
  // Creates the directory when needed and numbers frames from 00000 again.
  // False when the directory cannot be made.
  bool start(const std::string& directory);
  bool recording() const { return recording_; }
  // Reads the drawable's lower-left width x height pixels and writes them as
  // the next frame. A failure is reported once on stderr and ends recording.
  bool writeFrame(const EglDrawable& drawable, int width, int height);
  std::uint64_t framesWritten() const { return framesWritten_; }
  bool failed() const { return failed_; }

 private:
  std::string directory_;
  bool recording_ = false;
  bool failed_ = false;
  std::uint64_t framesWritten_ = 0;
  std::vector<std::uint8_t> pixels_;  // reused from frame to frame
};

}  // namespace platform
