// A benchmark in test form: the saver's own music from the build's data
// directory, looping for ten minutes of output through the disk driver,
// with the process's resident memory printed once a minute. Prints figures
// and asserts only that music came out.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "shell/settings.h"
#include "sound/music.h"
#include "sound_test_support.h"

namespace {

double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

TEST(MusicMemory, TenMinutesOfLoopingMusic) {
  constexpr int kMinutes = 10;
  constexpr std::size_t kSecondFrames = sound_test::kRate;
  sound_test::OutputCapture capture;
  ASSERT_TRUE(capture.ready());
  const std::string data = std::string(VT_BINARY_DIR) + "/data";
  std::strcpy(settings::Path, data.c_str());
  settings::Volume = 100;
  archive_test::CurrentDirectory inData(data);

  std::printf("before initMusic: RSS %.1f MiB\n", residentMegabytes());
  initMusic(0);
  int silentSeconds = 0;
  for (int minute = 1; minute <= kMinutes; ++minute) {
    for (int second = 0; second < 60; ++second) {
      const sound_test::Frames frames = capture.read(kSecondFrames);
      ASSERT_EQ(frames.size(), 2 * kSecondFrames);
      if (sound_test::rms(frames, 0, kSecondFrames) < 1e-3) ++silentSeconds;
    }
    std::printf("after %2d minutes of output: RSS %.1f MiB\n", minute, residentMegabytes());
  }
  capture.drainWhile([] { shutdownMusic(); });
  std::printf("after shutdownMusic: RSS %.1f MiB\n", residentMegabytes());
  // Only the lead-in before the track starts may be quiet.
  EXPECT_LE(silentSeconds, 1);
}

}  // namespace
