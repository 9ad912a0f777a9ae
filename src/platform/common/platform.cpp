// Backend selection and the calls that go straight to the active backend.
#include <cstdlib>

#include "platform/backend.h"

namespace platform {

void destroyAllWindows();  // windows.cpp
void clearMessageQueue();  // messages.cpp

namespace {
std::unique_ptr<Backend> active;
}

Backend* backend() { return active.get(); }

bool start(const StartOptions& options) {
  stop();
  switch (options.kind) {
    case BackendKind::X11:
      active = makeX11Backend();
      break;
    case BackendKind::Headless:
      active = makeHeadlessBackend(options);
      break;
    case BackendKind::Automatic:
      active = makeX11Backend();
      if (!active) active = makeHeadlessBackend(options);
      break;
  }
  return active != nullptr;
}

void stop() {
  if (!active) return;
  destroyAllWindows();
  clearMessageQueue();
  active.reset();
}

BackendKind activeBackend() { return active ? active->kind() : BackendKind::Automatic; }

void showCursor(bool show) {
  if (active) active->showCursor(show);
}
void setCursorPos(int x, int y) {
  if (active) active->setCursorPos(x, y);
}

std::vector<DisplayAdapter> displayAdapters() {
  return active ? active->displayAdapters() : std::vector<DisplayAdapter>{};
}
bool nativeWindowRect(std::uint64_t nativeWindow, Rect& out) {
  return active && nativeWindow != 0 && active->nativeWindowRect(nativeWindow, out);
}
bool currentDisplayMode(DisplayMode& out) { return active && active->currentDisplayMode(out); }
bool listedDisplayMode(int index, DisplayMode& out) {
  return active && index >= 0 && active->listedDisplayMode(index, out);
}
bool changeDisplayMode(const DisplayMode* mode) { return active && active->changeDisplayMode(mode); }
bool setGammaRamp(WindowHandle window, const GammaRamp& ramp) {
  return active && active->setGammaRamp(findWindow(window), ramp);
}

bool choosePixelFormat(WindowHandle handle, const PixelFormatRequest& request) {
  Window* window = findWindow(handle);
  return active && window && active->choosePixelFormat(*window, request);
}
std::uintptr_t createGlContext(WindowHandle handle) {
  Window* window = findWindow(handle);
  return active && window ? active->createGlContext(*window) : 0;
}
bool makeCurrent(WindowHandle handle, std::uintptr_t context) {
  return active && active->makeCurrent(findWindow(handle), context);
}
void deleteGlContext(std::uintptr_t context) {
  if (active && context) active->deleteGlContext(context);
}
void swapBuffers(WindowHandle handle) {
  Window* window = findWindow(handle);
  if (active && window) active->swapBuffers(*window);
}
bool setSwapInterval(int interval) { return active && active->setSwapInterval(interval); }

std::int64_t performanceCounter() { return active ? active->performanceCounter() : 0; }
std::int64_t performanceFrequency() { return active ? active->performanceFrequency() : 1; }

void messageBox(const std::string& text, const std::string& caption) {
  if (active) active->messageBox(text, caption);
}

}  // namespace platform
