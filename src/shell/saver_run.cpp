// The saver run: startup sequence, message and frame loop, shutdown.
#include "shell/saver_run.h"

#include <GL/gl.h>

#include <chrono>
#include <vector>

#include "math/random.h"
#include "platform/platform.h"
#include "resources/load_progress.h"
#include "shell/frame_timer.h"
#include "shell/gl_setup.h"
#include "shell/run_state.h"
#include "shell/saver_app.h"
#include "shell/saver_frame.h"
#include "shell/saver_loading.h"
#include "shell/saver_window.h"
#include "shell/settings.h"
#include "sound/music.h"

using namespace platform;

namespace {

const char kMainClass[] = "MyWindow";
const char kCoverClass[] = "FakeMonitor";
const char kWindowTitle[] = "Vantorel";

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void registerWindowClasses() {
  registerClass(WindowClass{kMainClass, saverWindowProc, true});
  registerClass(WindowClass{kCoverClass, nullptr, false});
}

// One window per monitor that has a handle: the main window on the first,
// black covers on the others. False when a creation fails or no monitor has
// a handle.
bool createWindows(SaverApp& app, const SaverRunOptions& options,
                   std::vector<WindowHandle>& created) {
  for (std::uint32_t i = 0; i < app.monitorCount; ++i) {
    MonitorInfo& monitor = app.monitors[i];
    if (!monitor.monitor) continue;
    WindowSpec spec;
    spec.title = kWindowTitle;
    spec.topmost = true;
    if (created.empty()) {
      spec.className = kMainClass;
      spec.width = settings::Width;
      spec.height = settings::Height;
      spec.foreignWindow = options.hostWindow;
    } else {
      if (options.hosted) break;  // the host covers its other screens itself
      spec.className = kCoverClass;
      spec.visible = true;
      spec.x = monitor.rect.left;
      spec.y = monitor.rect.top;
      spec.width = monitor.rect.width();
      spec.height = monitor.rect.height();
    }
    monitor.window = createWindow(spec);
    if (!monitor.window) return false;
    created.push_back(monitor.window);
    if (created.size() == 1) {
      mainWindow = monitor.window;
      setLoadProgressWindow(mainWindow);
    }
  }
  return !created.empty();
}

void shutDown(const std::vector<WindowHandle>& created) {
  if (settings::EnableMusic) shutdownMusic();
  if (!settings::DefGamma) setGammaRamp(1.0f, 1.0f, 1.0f);
  emptyObjectLists();
  changeDisplayMode(nullptr);
  if (glContext) {
    makeCurrent(0, 0);
    deleteGlContext(glContext);
    glContext = 0;
  }
  drawingContext = 0;
  showCursor(true);
  for (WindowHandle window : created) destroyWindow(window);
  unregisterClass(kMainClass);
  unregisterClass(kCoverClass);
  setLoadProgressWindow(0);
  mainWindow = 0;
}

}  // namespace

int runSaver(SaverApp& app, const SaverRunOptions& options, SaverRunStats* stats) {
  const Clock::time_point runStart = Clock::now();

  for (auto& flag : visitedDestinations) flag = 0;
  currentWorld = nullptr;
  // Every draw made while loading follows the same sequence at every start,
  // also when one process runs the saver more than once (tests do).
  seedRandom(1);
  mouseDeltaX = mouseDeltaY = 0.0f;

  registerWindowClasses();
  if (!options.hosted) setDisplayMode();

  std::vector<WindowHandle> created;
  if (!createWindows(app, options, created)) {
    for (WindowHandle window : created) destroyWindow(window);
    return 0;
  }

  if (options.hosted) {
    // The host's window decides the size of the picture.
    const Rect client = clientRect(mainWindow);
    settings::Width = client.width();
    settings::Height = client.height();
  }
  FrameTimer::initFrequency();
  for (auto& key : keyState) key = 0;
  for (WindowHandle window : created) showWindow(window, app.showCommand);
  setFocus(mainWindow);

  setupGl();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  loadEverything();

  sceneClock = 0.0f;
  if (settings::EnableMusic) initMusic(mainWindow);

  frameTimer.mark();
  seedRandom(static_cast<std::uint32_t>(frameTimer.start));
  fpsTimer.mark();
  particlesEnabled = 1;
  startSceneChain(options.startScene);
  if (!options.hosted) centreCursor();

  const Clock::time_point loopStart = Clock::now();
  std::uint64_t frames = 0;
  Message message;
  for (;;) {
    if (peekMessage(message)) {
      if (message.message == WM_QUIT) break;
      translateMessage(message);
      dispatchMessage(message);
      continue;
    }
    ++frames;
    if (!frameStep(options) || frames == options.frameLimit) break;
  }
  if (stats) {
    stats->loadSeconds = std::chrono::duration<double>(loopStart - runStart).count();
    stats->loopFrames = frames;
    stats->loopSeconds = secondsSince(loopStart);
  }

  shutDown(created);
  return static_cast<int>(message.wParam);
}
