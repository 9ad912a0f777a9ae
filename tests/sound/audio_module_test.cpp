// The audio module (libbass.so) through its exported functions: playback
// from memory, looping, volumes, bad data and a missing sound output.
#include <dlfcn.h>
#include <ogg/ogg.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sound/module_binding.h"
#include "sound_test_support.h"

namespace {

using sound_test::Frames;
using sound_test::kTrackFrames;

// Output made before a playback starts: the pipe and SDL's buffers.
constexpr std::size_t kLeadIn = 32768;
// The output fades a new playback in over its first block; compare after it.
constexpr std::size_t kFadeIn = 4096;

class AudioModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(capture.ready());
    library = dlopen(sound_test::modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    ASSERT_TRUE(bindAudioModule([this](const char* name) { return dlsym(library, name); }, bass));
  }
  void TearDown() override {
    if (library == nullptr) return;
    freeModule();
    dlclose(library);
  }
  void freeModule() {
    capture.drainWhile([this] { bass.free(); });
  }

  std::uint32_t loadTrack(std::uint32_t flags = 0) {
    const rar::Bytes ogg = sound_test::trackOgg();
    return bass.sampleLoad(1, ogg.data(), 0, std::uint32_t(ogg.size()), 1, flags);
  }

  // The level of the second pass of the track, played at these volumes.
  double loopLevel(int sampleVolume, std::uint32_t outputVolume) {
    EXPECT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
    EXPECT_NE(bass.setVolume(outputVolume), 0);
    EXPECT_NE(bass.samplePlayEx(loadTrack(), 0, -1, sampleVolume, -101, 1), 0u);
    const Frames out = capture.read(kLeadIn + 3 * kTrackFrames);
    freeModule();
    if (sound_test::allSilent(out)) return 0.0;
    const std::size_t start = sound_test::findTrackStart(out, 0.0f);
    return sound_test::rms(out, start + kTrackFrames, kTrackFrames);
  }

  sound_test::OutputCapture capture;  // first, so the module finds the disk driver
  void* library = nullptr;
  AudioModuleFunctions bass;
};

TEST_F(AudioModuleTest, PlaysTheSampleFromItsStartAndLoops) {
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  rar::Bytes ogg = sound_test::trackOgg();
  const std::uint32_t sample = bass.sampleLoad(1, ogg.data(), 0, std::uint32_t(ogg.size()), 1, 0);
  ASSERT_NE(sample, 0u);
  std::fill(ogg.begin(), ogg.end(), 0);  // the module must not need the bytes any more
  ASSERT_NE(bass.samplePlayEx(sample, 0, -1, 100, -101, 1), 0u);

  const Frames out = capture.read(kLeadIn + 4 * kTrackFrames);
  ASSERT_EQ(out.size(), 2 * (kLeadIn + 4 * kTrackFrames));
  const std::size_t start = sound_test::findTrackStart(out, 0.05f);
  EXPECT_GT(sound_test::correlationWithTrack(out, start + kFadeIn, kFadeIn, kTrackFrames - kFadeIn), 0.98);
  for (std::size_t pass = 1; pass <= 2; ++pass) {
    EXPECT_GT(sound_test::correlationWithTrack(out, start + pass * kTrackFrames, 0, kTrackFrames), 0.98)
        << "pass " << pass;
  }
  const double first = sound_test::rms(out, start + kFadeIn, kTrackFrames - kFadeIn);
  EXPECT_NEAR(sound_test::rms(out, start + 2 * kTrackFrames + kFadeIn, kTrackFrames - kFadeIn), first,
              0.02 * first);
  EXPECT_NEAR(first, sound_test::kTrackAmplitude / std::sqrt(2.0), 0.05);
}

TEST_F(AudioModuleTest, APlaybackWithoutLoopEndsAfterTheSample) {
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  ASSERT_NE(bass.samplePlayEx(loadTrack(), 0, -1, 100, -101, 0), 0u);
  const Frames out = capture.read(kLeadIn + 3 * kTrackFrames);
  const std::size_t start = sound_test::findTrackStart(out, 0.05f);
  EXPECT_GT(sound_test::rms(out, start + kFadeIn, kTrackFrames - kFadeIn), 0.3);
  EXPECT_EQ(sound_test::rms(out, start + kTrackFrames + 1, kTrackFrames), 0.0);
}

TEST_F(AudioModuleTest, TheGainIsTheSampleVolumeTimesTheOutputVolume) {
  struct Case {
    int sampleVolume;
    std::uint32_t outputVolume;
    double gain;
  };
  const Case cases[] = {{1, 100, 0.01}, {100, 1, 0.01}, {50, 40, 0.2}, {1, 1, 1e-4}, {0, 100, 0.0}, {100, 0, 0.0}};
  const double full = loopLevel(100, 100);
  ASSERT_NEAR(full, sound_test::kTrackAmplitude / std::sqrt(2.0), 0.05);
  for (const Case& c : cases) {
    const double level = loopLevel(c.sampleVolume, c.outputVolume);
    EXPECT_NEAR(level / full, c.gain, 0.01 * c.gain) << c.sampleVolume << " x " << c.outputVolume;
    if (c.gain > 0.0) {
      EXPECT_GT(level, 0.0);
    }
  }
}

TEST_F(AudioModuleTest, TheOutputVolumeStartsFullAndKeepsWhatIsSet) {
  EXPECT_EQ(bass.getVolume(), 100u);
  EXPECT_NE(bass.setVolume(37), 0);
  EXPECT_EQ(bass.getVolume(), 37u);
  EXPECT_EQ(bass.setVolume(101), 0);
  EXPECT_EQ(bass.getVolume(), 37u);
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  EXPECT_EQ(bass.getVolume(), 37u);
}

// Finds the pages of an Ogg file, to damage them with valid checksums.
std::vector<std::size_t> pageOffsets(const rar::Bytes& ogg) {
  std::vector<std::size_t> offsets;
  for (std::size_t at = 0; at + 4 <= ogg.size(); ++at) {
    if (std::memcmp(ogg.data() + at, "OggS", 4) == 0) offsets.push_back(at);
  }
  return offsets;
}

// Changes one byte of a page's body and seals the page again, so that the
// damage reaches the decoder instead of the page check.
rar::Bytes withBodyByte(rar::Bytes ogg, std::size_t pageOffset, std::size_t bodyIndex, std::uint8_t value) {
  unsigned char* header = ogg.data() + pageOffset;
  const std::size_t segments = header[26];
  std::size_t bodyLength = 0;
  for (std::size_t s = 0; s < segments; ++s) bodyLength += header[27 + s];
  ogg_page page{header, long(27 + segments), header + 27 + segments, long(bodyLength)};
  if (bodyIndex < bodyLength) page.body[bodyIndex] = value;
  ogg_page_checksum_set(&page);
  return ogg;
}

TEST_F(AudioModuleTest, BadOrCutDataMakesNoSampleAndNoSound) {
  // Long enough for several audio pages, so that a cut one leaves audio.
  const rar::Bytes good = sound_test::trackOgg(4 * sound_test::kRate);
  const std::vector<std::size_t> pages = pageOffsets(good);
  ASSERT_GE(pages.size(), 5u);
  rar::Bytes flipped = good;
  flipped[good.size() / 2] ^= 0x40;
  const struct {
    const char* what;
    rar::Bytes bytes;
  } cases[] = {
      {"not Ogg at all", archive_test::patternBytes(4096)},
      {"the first 60 bytes", rar::Bytes(good.begin(), good.begin() + 60)},
      {"the first half", rar::Bytes(good.begin(), good.begin() + good.size() / 2)},
      {"all but the last byte", rar::Bytes(good.begin(), good.end() - 1)},
      {"all but the last page", rar::Bytes(good.begin(), good.begin() + pages.back())},
      {"a damaged page", flipped},
      {"zero channels", withBodyByte(good, 0, 11, 0)},
      {"a rate of zero", withBodyByte(withBodyByte(withBodyByte(withBodyByte(good, 0, 12, 0), 0, 13, 0), 0, 14, 0), 0,
                                      15, 0)},
  };
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  for (const auto& c : cases) {
    const std::uint32_t sample = bass.sampleLoad(1, c.bytes.data(), 0, std::uint32_t(c.bytes.size()), 1, 0);
    EXPECT_EQ(sample, 0u) << c.what;
    EXPECT_EQ(bass.samplePlayEx(sample, 0, -1, 100, -101, 1), 0u) << c.what;
  }
  EXPECT_EQ(bass.sampleLoad(1, good.data(), 0, 0, 1, 0), 0u) << "no bytes";
  EXPECT_EQ(bass.sampleLoad(1, nullptr, 0, 100, 1, 0), 0u) << "no pointer";
  EXPECT_TRUE(sound_test::allSilent(capture.read(kLeadIn)));
}

TEST_F(AudioModuleTest, DamagedPacketsWithValidPagesNeverCrash) {
  const rar::Bytes good = sound_test::trackOgg();
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  int loaded = 0;
  for (std::size_t page : pageOffsets(good)) {
    for (std::size_t index : {0, 1, 7, 11, 29, 30, 64, 200, 1000, 3000}) {
      for (std::uint8_t value : {std::uint8_t(0x00), std::uint8_t(0xFF), std::uint8_t(0x5A)}) {
        const rar::Bytes bytes = withBodyByte(good, page, index, value);
        const std::uint32_t sample = bass.sampleLoad(1, bytes.data(), 0, std::uint32_t(bytes.size()), 1, 0);
        if (sample != 0) {
          ++loaded;
          bass.samplePlayEx(sample, 0, -1, 100, -101, 1);
        }
      }
    }
  }
  capture.read(kTrackFrames);  // whatever did decode gets mixed
  EXPECT_GT(loaded, 0);        // damage inside audio packets only mars the sound
}

TEST_F(AudioModuleTest, WithoutASoundOutputEveryCallIsHarmless) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const rar::Bytes ogg = sound_test::trackOgg();
  EXPECT_EQ(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  EXPECT_EQ(bass.start(), 0);
  const std::uint32_t sample = bass.sampleLoad(1, ogg.data(), 0, std::uint32_t(ogg.size()), 1, 0);
  EXPECT_EQ(sample, 0u);
  EXPECT_EQ(bass.samplePlayEx(sample, 0, -1, 100, -101, 1), 0u);
  EXPECT_NE(bass.setVolume(20), 0);
  EXPECT_EQ(bass.getVolume(), 20u);
  EXPECT_EQ(bass.stop(), 0);
  EXPECT_EQ(bass.free(), 0);
}

TEST_F(AudioModuleTest, RefusesArgumentsOutOfRange) {
  EXPECT_EQ(bass.init(2, 44100, 0, nullptr, nullptr), 0) << "unknown device";
  EXPECT_EQ(bass.init(1, 1000, 0, nullptr, nullptr), 0) << "rate too low";
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  EXPECT_EQ(bass.init(1, 44100, 0, nullptr, nullptr), 0) << "already open";

  const rar::Bytes ogg = sound_test::trackOgg();
  EXPECT_EQ(bass.sampleLoad(0, ogg.data(), 0, std::uint32_t(ogg.size()), 1, 0), 0u) << "not in memory";
  EXPECT_EQ(bass.sampleLoad(1, ogg.data(), 0, std::uint32_t(ogg.size()), 0, 0), 0u) << "no playbacks";
  const std::uint32_t sample = loadTrack();
  ASSERT_NE(sample, 0u);
  const struct {
    const char* what;
    std::uint32_t start;
    int freq, volume, pan;
  } cases[] = {
      {"start past the end", std::uint32_t(kTrackFrames), -1, 100, -101},
      {"rate too low", 0, 50, 100, -101},
      {"volume above 100", 0, -1, 101, -101},
      {"pan beyond the right", 0, -1, 100, 101},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bass.samplePlayEx(sample, c.start, c.freq, c.volume, c.pan, 1), 0u) << c.what;
  }
  EXPECT_EQ(bass.samplePlayEx(sample + 1000, 0, -1, 100, -101, 1), 0u) << "unknown sample";
}

TEST_F(AudioModuleTest, AFullSampleOverridesItsPlaybackOnlyWhenAllowed) {
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  const std::uint32_t strict = loadTrack(0);
  ASSERT_NE(bass.samplePlayEx(strict, 0, -1, 100, -101, 1), 0u);
  EXPECT_EQ(bass.samplePlayEx(strict, 0, -1, 100, -101, 1), 0u);

  const std::uint32_t overriding = loadTrack(bass::kSampleOverPosition);
  const std::uint32_t first = bass.samplePlayEx(overriding, 0, -1, 100, -101, 1);
  const std::uint32_t second = bass.samplePlayEx(overriding, 0, -1, 100, -101, 1);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(second, first);
}

TEST_F(AudioModuleTest, StopPausesAndStartResumes) {
  ASSERT_NE(bass.init(1, 44100, 0, nullptr, nullptr), 0);
  ASSERT_NE(bass.samplePlayEx(loadTrack(), 0, -1, 100, -101, 1), 0u);
  capture.read(kLeadIn);
  ASSERT_NE(bass.stop(), 0);
  const Frames paused = capture.read(kLeadIn);
  // What was mixed before the pause may still be in the pipe; then silence.
  EXPECT_TRUE(sound_test::allSilent(Frames(paused.end() - 2 * 4096, paused.end())));
  ASSERT_NE(bass.start(), 0);
  const Frames resumed = capture.read(kLeadIn);
  EXPECT_GT(sound_test::rms(resumed, kLeadIn - 4096, 4096), 0.3);
}

}  // namespace
