// The main saver window's procedure.
//
// It never ends the run by itself: input lands in keyState and the mouse
// deltas, which the frame loop polls; only close and destroy post a quit.
#include "shell/saver_window.h"

#include <GL/gl.h>

#include "resources/load_progress.h"
#include "shell/gl_setup.h"
#include "overlay/loading_screen.h"
#include "shell/run_state.h"
#include "shell/settings.h"

using namespace platform;

Point windowCentreOnScreen(WindowHandle window) {
  const Rect client = clientRect(window);
  return clientToScreen(window, Point{client.width() / 2, client.height() / 2});
}

namespace {

void onCreate(WindowHandle window) {
  drawingContext = window;
  choosePixelFormat();
  glContext = createGlContext(window);
  if (glContext) makeCurrent(window, glContext);
}

void onMouseMove(WindowHandle window, LPARAM lParam) {
  const auto bits = static_cast<std::uint32_t>(lParam);
  const Point cursor = clientToScreen(
      window, Point{static_cast<int>(bits & 0xFFFFu), static_cast<int>((bits >> 16) & 0xFFFFu)});
  const Point centre = windowCentreOnScreen(window);
  mouseDeltaX = static_cast<float>((cursor.x - centre.x) * 0.3);
  mouseDeltaY = static_cast<float>((cursor.y - centre.y) * 0.3);
}

// A host's window may change size: the picture follows it.
void onSize(LPARAM lParam) {
  const auto bits = static_cast<std::uint32_t>(lParam);
  const int width = static_cast<int>(bits & 0xFFFFu);
  const int height = static_cast<int>((bits >> 16) & 0xFFFFu);
  if (width <= 0 || height <= 0) return;
  settings::Width = width;
  settings::Height = height;
  if (glContext) glViewport(0, 0, width, height);
}

void onLoadProgress() {
  ++loadProgress;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawLoadingScreen(loadProgress);
  glFinish();
  swapBuffers(drawingContext);
}

}  // namespace

LRESULT saverWindowProc(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate(window);
      return 0;
    case WM_CLOSE:
    case WM_DESTROY:
      postQuitMessage(0);
      return 0;
    case WM_SYSCOMMAND:  // screensaver start, monitor power, close: all swallowed
      return 0;
    case WM_KEYDOWN:
      keyState[0] = 1;
      keyState[wParam & 0xFF] = 1;
      return 0;
    case WM_KEYUP:
      keyState[wParam & 0xFF] = 0;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      keyState[0] = 1;
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(window, lParam);
      return 0;
    case WM_SIZE:
      onSize(lParam);
      return 0;
    case kLoadProgressMessage:
      onLoadProgress();
      return 0;
    default:
      return defWindowProc(window, message, wParam, lParam);
  }
}
