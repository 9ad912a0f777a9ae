// Helpers for the sound tests: a test track made with the music tool's
// encoder, a capture of the module's output through SDL's disk driver, and
// measures on the captured frames.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "resources/archive_test_support.h"
#include "vorbis_writer.h"

namespace sound_test {

namespace fs = std::filesystem;

constexpr std::size_t kRate = 44100;
// The test track: half a second of a rising sweep, so that every stretch of
// it is unlike every other and its start can be found in the output.
constexpr std::size_t kTrackFrames = kRate / 2;
constexpr double kTrackAmplitude = 0.5;

inline std::string modulePath() { return std::string(VT_BINARY_DIR) + "/data/libbass.so"; }

// The sweep, 300 Hz rising to 1500 Hz on the left, a fifth higher on the right.
inline float trackSample(std::size_t frame, int channel) {
  constexpr double kTwoPi = 6.283185307179586;
  const double t = double(frame) / kRate;
  const double duration = double(kTrackFrames) / kRate;
  const double scale = channel == 0 ? 1.0 : 1.5;
  const double phase = kTwoPi * scale * (300.0 * t + 0.5 * (1200.0 / duration) * t * t);
  return float(kTrackAmplitude * std::cos(phase));
}

// The test track as an Ogg Vorbis file; longer ones continue the sweep.
inline rar::Bytes trackOgg(std::size_t frames = kTrackFrames) {
  musicgen::LoopBuffer loop(frames);
  for (std::size_t i = 0; i < frames; ++i) loop.set(i, trackSample(i, 0), trackSample(i, 1));
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(musicgen::encodeVorbis(loop, 0.5f, bytes, error)) << error;
  return bytes;
}

// Stereo frames, interleaved left and right.
using Frames = std::vector<float>;

// Makes SDL's disk driver write the module's output into a pipe that the
// test reads: the output advances only as fast as the test takes it, so a
// capture is the same however busy the machine is. Create the capture
// before the module opens its output; call `drainWhile` around the call
// that closes the output, so the audio thread is never left blocked on a
// full pipe.
class OutputCapture {
 public:
  OutputCapture() {
    signal(SIGPIPE, SIG_IGN);
    pipePath_ = directory_.path() / "output";
    if (mkfifo(pipePath_.c_str(), 0600) == 0) reader_ = open(pipePath_.c_str(), O_RDONLY | O_NONBLOCK);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipePath_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
  }
  ~OutputCapture() {
    if (reader_ >= 0) close(reader_);
  }
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  bool ready() const { return reader_ >= 0; }

  // The next frameCount frames; fewer when the output stops for a minute.
  Frames read(std::size_t frameCount) {
    Frames frames(2 * frameCount);
    auto* bytes = reinterpret_cast<char*>(frames.data());
    const std::size_t wanted = frames.size() * sizeof(float);
    std::size_t got = 0;
    while (got < wanted) {
      ssize_t n = readSome(bytes + got, wanted - got, kPatienceMs);
      if (n <= 0) break;
      got += std::size_t(n);
    }
    frames.resize(got / (2 * sizeof(float)) * 2);
    return frames;
  }

  // Keeps reading and dropping the output while `action` runs.
  template <typename Action>
  void drainWhile(Action action) {
    std::atomic<bool> done{false};
    std::thread drainer([&] {
      char sink[16384];
      while (!done.load()) readSome(sink, sizeof sink, 20);
    });
    action();
    done.store(true);
    drainer.join();
  }

 private:
  static constexpr int kPatienceMs = 60000;

  // Up to count bytes once the pipe has some; 0 after timeoutMs without.
  ssize_t readSome(char* destination, std::size_t count, int timeoutMs) {
    pollfd waiting{reader_, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0) return 0;
    ssize_t n = ::read(reader_, destination, count);
    if (n == 0) usleep(1000);  // no writer yet: poll reports hang-up at once
    return n < 0 ? 0 : n;
  }

  archive_test::TempDir directory_;
  fs::path pipePath_;
  int reader_ = -1;
};

inline double rms(const Frames& frames, std::size_t firstFrame, std::size_t frameCount) {
  double sum = 0.0;
  for (std::size_t i = 2 * firstFrame; i < 2 * (firstFrame + frameCount) && i < frames.size(); ++i) {
    sum += double(frames[i]) * frames[i];
  }
  return frameCount == 0 ? 0.0 : std::sqrt(sum / double(2 * frameCount));
}

// The normalised correlation between the output from `at` and the track
// from `trackFrame`, over frameCount frames of both channels.
inline double correlationWithTrack(const Frames& frames, std::size_t at, std::size_t trackFrame,
                                   std::size_t frameCount) {
  double both = 0.0, output = 0.0, track = 0.0;
  for (std::size_t i = 0; i < frameCount; ++i) {
    if (2 * (at + i) + 1 >= frames.size()) return 0.0;
    for (int channel = 0; channel < 2; ++channel) {
      const double y = frames[2 * (at + i) + channel];
      const double x = trackSample(trackFrame + i, channel);
      both += x * y;
      output += y * y;
      track += x * x;
    }
  }
  return output == 0.0 ? 0.0 : both / std::sqrt(output * track);
}

inline std::size_t firstSoundingFrame(const Frames& frames, float threshold) {
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (std::fabs(frames[i]) > threshold) return i / 2;
  }
  return frames.size() / 2;
}

// Where in the output the track's first frame went: the offset near the
// first sound that best matches a stretch of the track past the output's
// fade-in.
inline std::size_t findTrackStart(const Frames& frames, float threshold) {
  constexpr std::size_t kSearch = 4096;
  constexpr std::size_t kProbeFrom = 4096;
  constexpr std::size_t kProbeLength = 2048;
  const std::size_t sound = firstSoundingFrame(frames, threshold);
  std::size_t best = sound;
  double bestCorrelation = -2.0;
  for (std::size_t at = sound > kSearch ? sound - kSearch : 0; at <= sound + kSearch; ++at) {
    double c = correlationWithTrack(frames, at + kProbeFrom, kProbeFrom, kProbeLength);
    if (c > bestCorrelation) {
      bestCorrelation = c;
      best = at;
    }
  }
  return best;
}

inline bool allSilent(const Frames& frames) {
  for (float value : frames) {
    if (value != 0.0f) return false;
  }
  return true;
}

}  // namespace sound_test
