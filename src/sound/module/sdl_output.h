// The sound output: one SDL audio device playing stereo float frames that a
// callback supplies on SDL's audio thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

class SdlOutput {
 public:
  // Fills frameCount interleaved stereo frames; runs on SDL's audio thread
  // with the device locked.
  using FillFunction = void (*)(void* context, float* frames, std::size_t frameCount);

  SdlOutput() = default;
  SdlOutput(const SdlOutput&) = delete;
  SdlOutput& operator=(const SdlOutput&) = delete;
  ~SdlOutput() { close(); }

  // Starts SDL's audio subsystem and opens the default output at the rate,
  // paused. False (and nothing left open) when there is no sound output.
  bool open(std::uint32_t rate, FillFunction fill, void* context);
  // Stops the callback, closes the device and shuts the audio subsystem.
  void close();
  bool isOpen() const { return device_ != 0; }

  void setPaused(bool paused);

  // Keeps the callback from running while the mixer's state changes.
  class Lock {
   public:
    explicit Lock(SdlOutput& output);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    std::uint32_t device_;
  };

 private:
  static void callback(void* userdata, std::uint8_t* stream, int length);

  std::uint32_t device_ = 0;
  FillFunction fill_ = nullptr;
  void* context_ = nullptr;
};

}  // namespace audio
