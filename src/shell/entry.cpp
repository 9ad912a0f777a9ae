// The entry point of every run mode.
#include "shell/entry.h"

#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/launch_options.h"
#include "shell/saver_app.h"
#include "shell/saver_run.h"
#include "shell/settings.h"

namespace {

platform::StartOptions backendFor(const LaunchOptions& launch) {
  platform::StartOptions start;
  if (launch.render) {
    start.kind = platform::BackendKind::Headless;
    start.headlessWidth = launch.width;
    start.headlessHeight = launch.height;
    start.headlessFramesPerSecond = launch.framesPerSecond;
  } else {
    start.kind = platform::BackendKind::X11;
  }
  return start;
}

void useDesktopMode() {
  platform::DisplayMode mode;
  if (!platform::currentDisplayMode(mode)) return;
  settings::Width = mode.width;
  settings::Height = mode.height;
  settings::Depth = mode.bitsPerPixel;
}

// Every swap becomes a picture: the loading screen's, then the given number
// of seconds of the journey.
int runOffline(SaverApp& app, const LaunchOptions& launch, SaverRunOptions runOptions) {
  const auto frames = static_cast<std::uint64_t>(launch.seconds * launch.framesPerSecond + 0.5);
  if (!platform::headless::recordFrames(launch.renderDirectory, 0)) {
    std::fprintf(stderr, "vantorel: cannot make the directory %s\n", launch.renderDirectory.c_str());
    return 1;
  }
  if (frames == 0) return 0;
  runOptions.frameLimit = frames;
  SaverRunStats stats;
  runSaver(app, runOptions, &stats);
  if (platform::headless::frameOutputFailed()) return 1;
  const double loopFps = stats.loopSeconds > 0 ? stats.loopFrames / stats.loopSeconds : 0.0;
  const std::uint64_t written = platform::headless::framesWritten();
  std::printf(
      "vantorel: %llu frames drawn into %s at %dx%d (%llu of loading, %llu of the journey); load %.3f s; "
      "frame loop %.1f frames per second\n",
      static_cast<unsigned long long>(written), launch.renderDirectory.c_str(), launch.width, launch.height,
      static_cast<unsigned long long>(written - stats.loopFrames), static_cast<unsigned long long>(stats.loopFrames),
      stats.loadSeconds, loopFps);
  return 0;
}

}  // namespace

int vantorelMain(const std::vector<std::string>& args) {
  const LaunchOptions launch = parseLaunchOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
  if (!launch.error.empty()) {
    std::fprintf(stderr, "vantorel: %s\n", launch.error.c_str());
    return 1;
  }
  const bool hosted = launch.hostRoot || launch.hostWindow != 0;

  SaverApp app;
  app.runMode = app.parseCommandLine(launch.commandLine.c_str());
  if (launch.render || hosted) app.runMode = RunMode::Saver;

  if (!platform::start(backendFor(launch))) {
    std::fprintf(stderr, "vantorel: cannot open the X display (for offline frames: --render DIR)\n");
    return 1;
  }

  settings::loadSettings();
  if (app.runMode == RunMode::Saver || app.runMode == RunMode::Test) app.enumerateMonitors();
  if (settings::UseDesktop || launch.render) useDesktopMode();
  platform::setCurrentDirectory(settings::Path);

  SaverRunOptions runOptions;
  runOptions.startScene = launch.startScene;
  if (hosted) {
    runOptions.hosted = true;
    runOptions.hostWindow = launch.hostRoot ? platform::kRootWindow : launch.hostWindow;
    settings::DefGamma = 1;  // the host owns the display's gamma
  }

  int status = 0;
  switch (app.runMode) {
    case RunMode::Saver:
    case RunMode::Test:
      if (launch.render)
        status = runOffline(app, launch, runOptions);
      else
        runSaver(app, runOptions);
      break;
    case RunMode::Preview:
      std::fprintf(stderr, "vantorel: the preview window comes in a later version\n");
      break;
    default:
      std::fprintf(stderr, "vantorel: the configuration dialog comes in a later version\n");
      break;
  }
  platform::stop();
  return status;
}
