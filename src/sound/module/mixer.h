// The module's samples and their playbacks, mixed into stereo float frames.
//
// The mixer knows nothing of the sound output: the output's callback asks it
// for frames, and the API adds samples and playbacks between callbacks, with
// the output locked. Mixing allocates nothing, so a sample looping for hours
// keeps memory flat.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "ogg_decoder.h"

namespace audio {

struct PlaybackRequest {
  std::uint32_t startFrame = 0;
  std::uint32_t rate = 0;  // 0: the sample's own
  std::uint32_t volume = 100;  // 0 to 100
  int pan = 0;                 // -100 left to 100 right
  bool loop = false;
};

class Mixer {
 public:
  // Forgets every sample and playback and frees their memory.
  void clear();
  // The rate of the frames `mix` makes; playbacks started later step by it.
  void setOutputRate(std::uint32_t outputRate) { outputRate_ = outputRate; }

  // Takes the sound as a new sample; returns its handle (never 0).
  std::uint32_t addSample(DecodedSound&& sound, std::uint32_t maxPlaybacks, bool overrideFurthest);
  // Starts a playback; 0 when the sample is unknown, the start lies beyond
  // its end, or all its playbacks are busy and it may not override one.
  std::uint32_t play(std::uint32_t sampleHandle, const PlaybackRequest& request);

  // Overwrites frameCount stereo frames with the mix at the output volume
  // (0 to 100). A change of the combined gain is ramped over the block, so
  // neither volume changes nor new playbacks (which rise from silence over
  // their first block) click.
  void mix(float* frames, std::size_t frameCount, std::uint32_t outputVolume);

  std::size_t playbackCount() const { return playbacks_.size(); }

 private:
  struct Sample {
    std::uint32_t handle;
    DecodedSound sound;
    std::uint32_t maxPlaybacks;
    bool overrideFurthest;
  };
  struct Playback {
    std::uint32_t handle;
    const Sample* sample;
    std::uint64_t position;  // frames, 32.32 fixed point
    std::uint64_t step;      // frames per output frame, 32.32 fixed point
    float volume;            // 0 to 1
    float leftPan, rightPan;
    bool loop;
    float appliedGain;  // the gain the last block ended with
  };

  std::uint32_t newHandle();
  const Sample* findSample(std::uint32_t handle) const;
  // Mixes one playback; false when it has ended.
  bool mixPlayback(Playback& playback, float* frames, std::size_t frameCount, float targetGain);

  std::uint32_t outputRate_ = 44100;
  std::uint32_t lastHandle_ = 0;
  std::vector<std::unique_ptr<Sample>> samples_;
  std::vector<Playback> playbacks_;
};

}  // namespace audio
