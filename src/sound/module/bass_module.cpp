// The audio module's exported functions: argument checks around the one
// sound output and mixer of the module, and their lifetime.
#include "bass_api.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "mixer.h"
#include "ogg_decoder.h"
#include "sdl_output.h"

namespace {

constexpr std::uint32_t kMinOutputRate = 8000;
constexpr std::uint32_t kMaxOutputRate = 192000;
constexpr int kMinPlaybackRate = 100;
constexpr int kMaxPlaybackRate = 200000;
constexpr std::uint32_t kMaxPlaybacks = 65535;
constexpr int kMaxPan = 100;

struct Module {
  std::mutex apiMutex;  // one API call at a time, from whatever thread
  audio::SdlOutput output;
  audio::Mixer mixer;  // changed only with the output locked
  std::atomic<std::uint32_t> outputVolume{bass::kMaxOutputVolume};
  bool initialised = false;

  void release() {
    output.close();  // the callback has stopped when this returns
    mixer.clear();
    initialised = false;
  }
  // A module unloaded without BASS_Free must not leave SDL's audio thread
  // calling into code that is gone.
  ~Module() { release(); }
};

Module module;

void fillFromMixer(void* context, float* frames, std::size_t frameCount) {
  auto* owner = static_cast<Module*>(context);
  owner->mixer.mix(frames, frameCount, owner->outputVolume.load(std::memory_order_relaxed));
}

bool isDefaultOr(int value, int defaultValue, int lowest, int highest) {
  return value == defaultValue || (value >= lowest && value <= highest);
}

}  // namespace

int BASS_Init(int device, std::uint32_t freq, std::uint32_t, void*, void*) {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (module.initialised) return 0;
  if (device != bass::kDefaultDevice && device != bass::kFirstDevice) return 0;
  if (freq < kMinOutputRate || freq > kMaxOutputRate) return 0;
  module.mixer.setOutputRate(freq);
  if (!module.output.open(freq, fillFromMixer, &module)) return 0;
  module.initialised = true;
  module.output.setPaused(false);
  return 1;
}

int BASS_Free() {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (!module.initialised) return 0;
  module.release();
  return 1;
}

std::uint32_t BASS_SampleLoad(int mem, const void* file, std::uint32_t offset, std::uint32_t length,
                              std::uint32_t max, std::uint32_t flags) {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (!module.initialised || mem == 0 || file == nullptr || length == 0) return 0;
  if (max == 0 || max > kMaxPlaybacks) return 0;
  audio::DecodedSound sound;
  if (!audio::decodeOggVorbis(static_cast<const unsigned char*>(file) + offset, length, sound)) return 0;
  bool overrideFurthest = (flags & bass::kSampleOverrideMask) == bass::kSampleOverPosition;
  audio::SdlOutput::Lock lock(module.output);
  return module.mixer.addSample(std::move(sound), max, overrideFurthest);
}

std::uint32_t BASS_SamplePlayEx(std::uint32_t handle, std::uint32_t start, int freq, int volume, int pan,
                                int loop) {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (!module.initialised || handle == 0) return 0;
  if (!isDefaultOr(freq, bass::kOwnFrequency, kMinPlaybackRate, kMaxPlaybackRate)) return 0;
  if (!isDefaultOr(volume, bass::kDefaultVolume, 0, int(bass::kMaxOutputVolume))) return 0;
  if (!isDefaultOr(pan, bass::kOwnPan, -kMaxPan, kMaxPan)) return 0;
  audio::PlaybackRequest request;
  request.startFrame = start;
  request.rate = freq == bass::kOwnFrequency ? 0 : std::uint32_t(freq);
  request.volume = volume == bass::kDefaultVolume ? bass::kMaxOutputVolume : std::uint32_t(volume);
  request.pan = pan == bass::kOwnPan ? 0 : pan;
  request.loop = loop != 0;
  audio::SdlOutput::Lock lock(module.output);
  return module.mixer.play(handle, request);
}

int BASS_SetVolume(std::uint32_t volume) {
  if (volume > bass::kMaxOutputVolume) return 0;
  module.outputVolume.store(volume, std::memory_order_relaxed);
  return 1;
}

std::uint32_t BASS_GetVolume() { return module.outputVolume.load(std::memory_order_relaxed); }

int BASS_Start() {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (!module.initialised) return 0;
  module.output.setPaused(false);
  return 1;
}

int BASS_Stop() {
  std::lock_guard<std::mutex> api(module.apiMutex);
  if (!module.initialised) return 0;
  module.output.setPaused(true);
  return 1;
}
