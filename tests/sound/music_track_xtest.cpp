// The generated music track as the build packed it into data.sdd: its
// format, length, size and level, a loop point without a step, and that the
// generator makes the same bytes again.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/archive_file.h"
#include "sound_test_support.h"

namespace {

namespace fs = std::filesystem;

rar::Bytes archivedTrack() {
  archive_test::CurrentDirectory inData(fs::path(VT_BINARY_DIR) / "data");
  ArchiveFile track;
  if (!track.open("music.ogg")) return {};
  return rar::Bytes(track.data(), track.data() + track.size());
}

struct Decoded {
  int channels = 0;
  long rate = 0;
  std::vector<float> left, right;
};

Decoded decodeFile(const fs::path& path) {
  Decoded out;
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return out;
  const vorbis_info* info = ov_info(&file, -1);
  out.channels = info->channels;
  out.rate = info->rate;
  int link = 0;
  float** pcm = nullptr;
  long frames;
  while ((frames = ov_read_float(&file, &pcm, 4096, &link)) > 0 && out.channels == 2) {
    out.left.insert(out.left.end(), pcm[0], pcm[0] + frames);
    out.right.insert(out.right.end(), pcm[1], pcm[1] + frames);
  }
  ov_clear(&file);
  return out;
}

float largestStep(const std::vector<float>& samples) {
  float largest = 0.0f;
  for (std::size_t i = 1; i < samples.size(); ++i) largest = std::max(largest, std::fabs(samples[i] - samples[i - 1]));
  return largest;
}

class MusicTrack : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = archivedTrack();
    ASSERT_FALSE(bytes.empty()) << "music.ogg is not in the build's data.sdd";
    archive_test::writeFile(directory.path() / "music.ogg", bytes);
    track = decodeFile(directory.path() / "music.ogg");
  }
  archive_test::TempDir directory;
  rar::Bytes bytes;
  Decoded track;
};

TEST_F(MusicTrack, IsAStereoMinuteOrSoUnderOneAndAHalfMegabytes) {
  EXPECT_LT(bytes.size(), 1500u * 1000u);
  ASSERT_EQ(track.channels, 2);
  EXPECT_EQ(track.rate, 44100);
  const double seconds = double(track.left.size()) / 44100.0;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 90.0);
}

TEST_F(MusicTrack, IsNeitherClippedNorFaint) {
  ASSERT_FALSE(track.left.empty());
  double sum = 0.0;
  float peak = 0.0f;
  for (const std::vector<float>* channel : {&track.left, &track.right}) {
    for (float value : *channel) {
      sum += double(value) * value;
      peak = std::max(peak, std::fabs(value));
    }
  }
  const double rmsDb = 10.0 * std::log10(sum / double(2 * track.left.size()));
  EXPECT_LT(peak, 0.95f);
  EXPECT_GT(rmsDb, -30.0);
  EXPECT_LT(rmsDb, -10.0);
}

TEST_F(MusicTrack, EndsWhereItBegins) {
  for (const std::vector<float>* channel : {&track.left, &track.right}) {
    ASSERT_GT(channel->size(), 2u);
    const float join = std::fabs(channel->front() - channel->back());
    EXPECT_LT(join, 0.01f);
    EXPECT_LE(join, largestStep(*channel));
  }
}

TEST_F(MusicTrack, TheGeneratorMakesTheSameBytesAgain) {
  const fs::path again = directory.path() / "again.ogg";
  const std::string command = std::string(VT_BINARY_DIR) + "/bin/vt_musicgen " + again.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(archive_test::readFile(again) == bytes);
}

}  // namespace
