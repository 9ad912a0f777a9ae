// Starting and stopping the music through the run-time loaded audio module.
#include "sound/music.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "resources/archive_file.h"
#include "shell/settings.h"
#include "sound/module_binding.h"

namespace {

constexpr int kOutputDevice = 1;
constexpr std::uint32_t kOutputRate = 44100;
constexpr std::uint32_t kMaxPlaybacks = 1;

struct MusicState {
  platform::LibraryHandle library = nullptr;  // null when not loaded
  AudioModuleFunctions functions;
  std::uint32_t savedOutputVolume = 0;  // the module's output volume at start
  // The track's bytes, kept in memory for as long as the module plays them.
  ArchiveFile track;
};

MusicState music;

}  // namespace

void initMusic(platform::WindowHandle mainWindow) {
  if (music.library != nullptr) return;
  const std::string path = std::string(settings::Path) + "/" + kAudioModuleFileName;
  platform::LibraryHandle library = platform::loadLibrary(path);
  // No shutdown sequence and no message; exit rather than _Exit, so that
  // the platform's exit hooks still give back the display mode and gamma.
  if (library == nullptr) std::exit(0);

  AudioModuleFunctions module;
  auto lookup = [library](const char* name) { return platform::libraryFunction(library, name); };
  if (!bindAudioModule(lookup, module)) {
    platform::freeLibrary(library);
    return;
  }
  music.library = library;
  music.functions = module;

  // The results are not checked: without a sound output, a track or a
  // sample the module stays silent and the run goes on.
  module.init(kOutputDevice, kOutputRate, 0, reinterpret_cast<void*>(mainWindow), nullptr);
  module.start();
  music.savedOutputVolume = module.getVolume();
  const std::uint32_t volume = std::uint32_t(settings::Volume);
  module.setVolume(volume);
  music.track.open("music.ogg");
  std::uint32_t sample =
      module.sampleLoad(1, music.track.data(), 0, music.track.size(), kMaxPlaybacks, bass::kSampleOverPosition);
  module.samplePlayEx(sample, 0, bass::kOwnFrequency, settings::Volume, bass::kOwnPan, 1);
}

void shutdownMusic() {
  if (music.library == nullptr) return;
  const AudioModuleFunctions& module = music.functions;
  module.setVolume(music.savedOutputVolume);
  module.stop();
  module.free();
  platform::freeLibrary(music.library);
  music.library = nullptr;
  music.functions = AudioModuleFunctions{};
  music.track.close();
}
