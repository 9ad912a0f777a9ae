// Mixing the playing samples: linear interpolation between frames, wrap-around
// at the loop point, per-playback pan and a ramped gain.
#include "mixer.h"

#include <algorithm>
#include <utility>

namespace audio {

namespace {
constexpr int kFractionBits = 32;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;
constexpr float kFractionScale = 1.0f / 4294967296.0f;
constexpr float kSampleScale = 1.0f / 32768.0f;
}  // namespace

void Mixer::clear() {
  // Swapped with empty vectors so that the memory goes too, not just the items.
  std::vector<Playback>().swap(playbacks_);
  std::vector<std::unique_ptr<Sample>>().swap(samples_);
}

std::uint32_t Mixer::newHandle() {
  if (++lastHandle_ == 0) ++lastHandle_;
  return lastHandle_;
}

const Mixer::Sample* Mixer::findSample(std::uint32_t handle) const {
  for (const auto& sample : samples_) {
    if (sample->handle == handle) return sample.get();
  }
  return nullptr;
}

std::uint32_t Mixer::addSample(DecodedSound&& sound, std::uint32_t maxPlaybacks, bool overrideFurthest) {
  samples_.push_back(std::make_unique<Sample>(Sample{newHandle(), std::move(sound), maxPlaybacks, overrideFurthest}));
  return samples_.back()->handle;
}

std::uint32_t Mixer::play(std::uint32_t sampleHandle, const PlaybackRequest& request) {
  const Sample* sample = findSample(sampleHandle);
  if (sample == nullptr || request.startFrame >= sample->sound.frameCount()) return 0;

  Playback* slot = nullptr;
  std::uint32_t busy = 0;
  for (Playback& playback : playbacks_) {
    if (playback.sample != sample) continue;
    ++busy;
    if (slot == nullptr || playback.position > slot->position) slot = &playback;
  }
  if (busy < sample->maxPlaybacks) {
    playbacks_.emplace_back();
    slot = &playbacks_.back();
  } else if (!sample->overrideFurthest) {
    return 0;
  }

  std::uint32_t rate = request.rate != 0 ? request.rate : sample->sound.rate;
  slot->handle = newHandle();
  slot->sample = sample;
  slot->position = std::uint64_t{request.startFrame} << kFractionBits;
  slot->step = (std::uint64_t{rate} << kFractionBits) / outputRate_;
  slot->volume = float(request.volume) / 100.0f;
  slot->leftPan = request.pan > 0 ? float(100 - request.pan) / 100.0f : 1.0f;
  slot->rightPan = request.pan < 0 ? float(100 + request.pan) / 100.0f : 1.0f;
  slot->loop = request.loop;
  slot->appliedGain = 0.0f;  // faded in over its first block, so it starts without a click
  return slot->handle;
}

bool Mixer::mixPlayback(Playback& playback, float* frames, std::size_t frameCount, float targetGain) {
  const std::int16_t* pcm = playback.sample->sound.samples.data();
  const std::size_t length = playback.sample->sound.frameCount();
  const std::uint64_t end = std::uint64_t{length} << kFractionBits;
  const float startGain = playback.appliedGain;
  const float gainStep = (targetGain - startGain) / float(frameCount);
  playback.appliedGain = targetGain;

  for (std::size_t i = 0; i < frameCount; ++i) {
    if (playback.position >= end) {
      if (!playback.loop) return false;
      playback.position %= end;
    }
    const std::size_t frame = std::size_t(playback.position >> kFractionBits);
    const std::size_t next = frame + 1 < length ? frame + 1 : (playback.loop ? 0 : frame);
    const float t = float(playback.position & kFractionMask) * kFractionScale;
    const float left = float(pcm[2 * frame]) + float(pcm[2 * next] - pcm[2 * frame]) * t;
    const float right = float(pcm[2 * frame + 1]) + float(pcm[2 * next + 1] - pcm[2 * frame + 1]) * t;
    const float gain = (startGain + gainStep * float(i + 1)) * kSampleScale;
    frames[2 * i] += left * gain * playback.leftPan;
    frames[2 * i + 1] += right * gain * playback.rightPan;
    playback.position += playback.step;
  }
  return true;
}

void Mixer::mix(float* frames, std::size_t frameCount, std::uint32_t outputVolume) {
  std::fill(frames, frames + 2 * frameCount, 0.0f);
  if (frameCount == 0) return;
  const float output = float(std::min<std::uint32_t>(outputVolume, 100)) / 100.0f;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < playbacks_.size(); ++i) {
    Playback& playback = playbacks_[i];
    if (mixPlayback(playback, frames, frameCount, playback.volume * output)) playbacks_[kept++] = playback;
  }
  playbacks_.resize(kept);
  for (std::size_t i = 0; i < 2 * frameCount; ++i) frames[i] = std::clamp(frames[i], -1.0f, 1.0f);
}

}  // namespace audio
