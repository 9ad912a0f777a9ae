// The SDL audio device behind the module: subsystem start and stop, the
// device, its lock and the callback that hands blocks to the mixer.
#include "sdl_output.h"

#include <SDL.h>

#include <cstring>

namespace audio {

namespace {
constexpr int kChannels = 2;
constexpr Uint16 kBlockFrames = 2048;  // about 46 ms at 44.1 kHz

// SDL stays initialised only while it has no other user in the process;
// the module then owns it and shuts it down completely.
void stopAudioSubsystem() {
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}
}  // namespace

bool SdlOutput::open(std::uint32_t rate, FillFunction fill, void* context) {
  close();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    stopAudioSubsystem();  // a failed start may still leave SDL's own state behind
    return false;
  }
  fill_ = fill;
  context_ = context;
  SDL_AudioSpec wanted{};
  wanted.freq = int(rate);
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = kBlockFrames;
  wanted.callback = &SdlOutput::callback;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware takes.
  SDL_AudioSpec obtained{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device_ == 0) {
    stopAudioSubsystem();
    return false;
  }
  return true;
}

void SdlOutput::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  stopAudioSubsystem();
}

void SdlOutput::setPaused(bool paused) {
  if (device_ != 0) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void SdlOutput::callback(void* userdata, std::uint8_t* stream, int length) {
  auto* output = static_cast<SdlOutput*>(userdata);
  std::memset(stream, 0, std::size_t(length));
  std::size_t frames = std::size_t(length) / (kChannels * sizeof(float));
  output->fill_(output->context_, reinterpret_cast<float*>(stream), frames);
}

SdlOutput::Lock::Lock(SdlOutput& output) : device_(output.device_) {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

SdlOutput::Lock::~Lock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

}  // namespace audio
