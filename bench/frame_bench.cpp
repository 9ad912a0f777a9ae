// Prints the figures of the headless saver: load time, the frame loop's
// frames per second on the journey, and the drawing rate of every world.
//
//   vantorel_bench [DATA_DIR] [FRAMES]
//
// DATA_DIR defaults to the build's data directory; FRAMES (default 300) is
// the number of frames per measurement. Runs on the headless backend at
// 800 × 600 and 320 × 240, so it needs no X server.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "shell/saver_app.h"
#include "shell/saver_run.h"
#include "shell/settings.h"

namespace {

bool startHeadless(int width, int height) {
  platform::stop();
  if (!platform::start({platform::BackendKind::Headless, width, height, 60.0})) return false;
  settings::Width = width;
  settings::Height = height;
  return true;
}

// The saver run itself: load, then `frames` frames from the first scene of
// a world ("system" is the journey's own start).
void measureRun(const char* startScene, int width, int height, std::uint64_t frames) {
  if (!startHeadless(width, height)) return;
  SaverApp app;
  app.enumerateMonitors();
  SaverRunOptions options;
  options.startScene = startScene;
  options.frameLimit = frames;
  SaverRunStats stats;
  runSaver(app, options, &stats);
  std::printf("%-22s %4dx%-4d load %.3f s, frame loop %7.1f frames per second over %llu frames\n", startScene,
              width, height, stats.loadSeconds, stats.loopFrames / stats.loopSeconds,
              static_cast<unsigned long long>(stats.loopFrames));
}

}  // namespace

int main(int argc, char** argv) {
  const char* data = argc > 1 ? argv[1] : nullptr;
  const std::uint64_t frames = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 300;
  unsetenv("DISPLAY");
  platform::start({platform::BackendKind::Headless, 800, 600, 60.0});
  settings::loadSettings();
  settings::EnableMusic = 0;
  if (data) std::snprintf(settings::Path, sizeof settings::Path, "%s", data);
  platform::setCurrentDirectory(settings::Path);
  // The first scene of each world; a missing one leaves its world's camera
  // where the previous run put it.
  const char* const starts[] = {"system/intro0.txt", "earth/earth0.txt", "aster/aster0.txt"};
  for (const char* start : starts) {
    measureRun(start, 800, 600, frames);
    measureRun(start, 320, 240, frames);
  }
  platform::stop();
  return 0;
}
