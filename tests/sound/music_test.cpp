// initMusic and shutdownMusic: loading and binding the audio module from
// Path, playing "music.ogg" from the archive, restoring the output volume.
#include "sound/music.h"

#include <dlfcn.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/settings.h"
#include "sound/module_binding.h"
#include "sound_test_support.h"

namespace {

using sound_test::Frames;
using sound_test::kTrackFrames;

constexpr std::size_t kLeadIn = 32768;
constexpr std::size_t kFadeIn = 4096;

void setPath(const std::string& path) {
  ASSERT_LT(path.size(), settings::PathCapacity);
  std::strcpy(settings::Path, path.c_str());
}

bool moduleLoaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle != nullptr;
}

// A saver run's directory: data.sdd in the current directory, Path naming
// the directory that holds the module.
class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(capture.ready());
    setPath(std::string(VT_BINARY_DIR) + "/data");
    settings::Volume = 100;
  }
  void TearDown() override { capture.drainWhile([] { shutdownMusic(); }); }

  void writeArchive(const std::vector<rar::StoredEntry>& entries) {
    archive_test::writeFile(runDirectory.path() / "data.sdd", archive_test::buildArchive(entries));
  }
  void writeArchiveWithTrack() { writeArchive({{"music.ogg", sound_test::trackOgg()}}); }

  sound_test::OutputCapture capture;
  archive_test::TempDir runDirectory;
  archive_test::CurrentDirectory inRunDirectory{runDirectory.path()};
};

TEST_F(MusicTest, TheModuleIsLoadedOnlyFromInitMusicToShutdownMusic) {
  writeArchiveWithTrack();
  EXPECT_FALSE(moduleLoaded(sound_test::modulePath()));
  initMusic(0);
  EXPECT_TRUE(moduleLoaded(sound_test::modulePath()));
  capture.drainWhile([] { shutdownMusic(); });
  EXPECT_FALSE(moduleLoaded(sound_test::modulePath()));
}

TEST_F(MusicTest, PlaysTheArchiveTrackFromItsStartInALoop) {
  writeArchiveWithTrack();
  initMusic(0);
  const Frames out = capture.read(kLeadIn + 4 * kTrackFrames);
  ASSERT_EQ(out.size(), 2 * (kLeadIn + 4 * kTrackFrames));
  const std::size_t start = sound_test::findTrackStart(out, 0.05f);
  EXPECT_GT(sound_test::correlationWithTrack(out, start + kFadeIn, kFadeIn, kTrackFrames - kFadeIn), 0.98);
  for (std::size_t pass = 1; pass <= 3 && start + (pass + 1) * kTrackFrames <= out.size() / 2; ++pass) {
    EXPECT_GT(sound_test::correlationWithTrack(out, start + pass * kTrackFrames, 0, kTrackFrames), 0.98)
        << "pass " << pass;
  }
}

TEST_F(MusicTest, VolumeOneIsVeryQuietButPlays) {
  writeArchiveWithTrack();
  double levels[2] = {};
  const std::int32_t volumes[2] = {100, 1};
  for (int i = 0; i < 2; ++i) {
    settings::Volume = volumes[i];
    initMusic(0);
    const Frames out = capture.read(kLeadIn + 3 * kTrackFrames);
    capture.drainWhile([] { shutdownMusic(); });
    ASSERT_FALSE(sound_test::allSilent(out)) << "Volume " << volumes[i];
    const std::size_t start = sound_test::findTrackStart(out, 0.0f);
    levels[i] = sound_test::rms(out, start + kTrackFrames, kTrackFrames);
  }
  // Volume sets both the track's volume and the output volume.
  EXPECT_GT(levels[1], 0.0);
  EXPECT_NEAR(levels[1] / levels[0], 1e-4, 1e-6);
}

TEST_F(MusicTest, RestoresTheOutputVolumeItFound) {
  writeArchiveWithTrack();
  // A handle of the test's own keeps the module and its output volume alive
  // around the run.
  void* library = dlopen(sound_test::modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  AudioModuleFunctions bass;
  ASSERT_TRUE(bindAudioModule([library](const char* name) { return dlsym(library, name); }, bass));
  ASSERT_NE(bass.setVolume(37), 0);

  settings::Volume = 80;
  initMusic(0);
  EXPECT_EQ(bass.getVolume(), 80u);
  capture.drainWhile([] { shutdownMusic(); });
  EXPECT_EQ(bass.getVolume(), 37u);
  dlclose(library);
}

TEST_F(MusicTest, WithoutATrackTheRunGoesOnSilently) {
  writeArchive({{"other.txt", archive_test::bytesOf("x")}});
  initMusic(0);
  EXPECT_TRUE(sound_test::allSilent(capture.read(kLeadIn)));
}

TEST_F(MusicTest, AModuleLackingAFunctionIsRefusedWithoutACall) {
  writeArchiveWithTrack();
  const std::string partial = std::string(VT_PARTIAL_MODULE_DIR) + "/libbass.so";
  void* library = dlopen(partial.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto calls = reinterpret_cast<int (*)()>(dlsym(library, "partialModuleCalls"));
  ASSERT_NE(calls, nullptr);

  setPath(VT_PARTIAL_MODULE_DIR);
  initMusic(0);  // returns: the run goes on
  shutdownMusic();
  EXPECT_EQ(calls(), 0);
  dlclose(library);
  EXPECT_FALSE(moduleLoaded(partial));
}

using MusicDeathTest = MusicTest;

TEST_F(MusicDeathTest, AMissingModuleEndsTheProcessWithExitCodeZero) {
  writeArchiveWithTrack();
  setPath(runDirectory.path().string());
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(initMusic(0), ::testing::ExitedWithCode(0), "");
}

TEST(ModuleBindingTest, LooksTheFunctionsUpInOrderAndNeedsEveryOne) {
  const std::vector<std::string> order = {"BASS_Init",  "BASS_Free",      "BASS_SampleLoad", "BASS_SamplePlayEx",
                                          "BASS_SetVolume", "BASS_Start", "BASS_Stop",       "BASS_GetVolume"};
  static int symbol;  // any address will do
  std::vector<std::string> asked;
  AudioModuleFunctions bound;
  ASSERT_TRUE(bindAudioModule(
      [&](const char* name) {
        asked.push_back(name);
        return static_cast<void*>(&symbol);
      },
      bound));
  EXPECT_EQ(asked, order);
  EXPECT_NE(bound.getVolume, nullptr);

  for (const std::string& missing : order) {
    AudioModuleFunctions untouched;
    EXPECT_FALSE(bindAudioModule(
        [&](const char* name) { return missing == name ? nullptr : static_cast<void*>(&symbol); }, untouched))
        << missing;
    EXPECT_EQ(untouched.init, nullptr) << missing;
  }
}

}  // namespace
