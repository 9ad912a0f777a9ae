// The entry point of every run mode.
#include "shell/entry.h"

#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/config_dialog.h"
#include "shell/launch_options.h"
#include "shell/preview.h"
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

// A window to draw into must exist. xscreensaver runs one process per
// monitor, each in its own window; only the one on the primary monitor plays
// the music (a run on the whole root window has every monitor to itself).
bool meetHostWindow(std::uint64_t hostWindow) {
  if (hostWindow == 0) return true;
  platform::Rect window;
  if (!platform::nativeWindowRect(hostWindow, window)) {
    std::fprintf(stderr, "vantorel: there is no window 0x%llx to draw into\n",
                 static_cast<unsigned long long>(hostWindow));
    return false;
  }
  if (!windowOnPrimaryMonitor(window, platform::displayAdapters())) settings::EnableMusic = 0;
  return true;
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
  const bool saverRun = app.runMode == RunMode::Saver || app.runMode == RunMode::Test;
  if (saverRun) {
    applySettingOverrides(launch.overrides);
    if (!meetHostWindow(launch.hostWindow)) {
      platform::stop();
      return 1;
    }
    app.enumerateMonitors();
  }
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
      runPreview(app);
      break;
    case RunMode::Configure:
      if (runConfigDialog(app) < 0) {
        std::fprintf(stderr, "vantorel: cannot show the configuration dialog (GTK could not start)\n");
        status = 1;
      }
      break;
  }
  platform::stop();
  return status;
}
