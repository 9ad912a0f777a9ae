// What a backend provides to the portable window table and message queue.
// Only the platform library includes this header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// One window as the portable layer keeps it; the backend owns `native`.
struct Window {
  WindowHandle handle = 0;
  WindowSpec spec;
  WindowProc procedure = nullptr;
  bool ownDeviceContext = false;
  void* native = nullptr;  // backend state of this window
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual BackendKind kind() const = 0;

  // Windows. createNative fills window.native; false when it cannot.
  virtual bool createNative(Window& window) = 0;
  virtual void destroyNative(Window& window) = 0;
  virtual void show(Window& window, int showCommand) = 0;
  virtual void focus(Window& window) = 0;
  virtual Rect clientRect(const Window& window) = 0;
  virtual Point clientToScreen(const Window& window, Point client) = 0;
  virtual bool paintRgbPicture(Window& window, int x, int y, int width, int height, const std::uint8_t* rgb) = 0;

  // Translates native events into posted messages (postMessage of the
  // portable queue). With wait set, blocks until at least one event arrived.
  virtual void pumpEvents(bool wait) = 0;

  virtual void showCursor(bool show) = 0;
  virtual void setCursorPos(int screenX, int screenY) = 0;

  virtual std::vector<DisplayAdapter> displayAdapters() = 0;
  virtual bool nativeWindowRect(std::uint64_t nativeWindow, Rect& out) = 0;
  virtual bool currentDisplayMode(DisplayMode& out) = 0;
  virtual bool listedDisplayMode(int index, DisplayMode& out) = 0;
  virtual bool changeDisplayMode(const DisplayMode* mode) = 0;
  virtual bool setGammaRamp(Window* window, const GammaRamp& ramp) = 0;

  virtual bool choosePixelFormat(Window& window, const PixelFormatRequest& request) = 0;
  virtual std::uintptr_t createGlContext(Window& window) = 0;
  virtual bool makeCurrent(Window* window, std::uintptr_t context) = 0;
  virtual void deleteGlContext(std::uintptr_t context) = 0;
  virtual void swapBuffers(Window& window) = 0;
  virtual bool setSwapInterval(int interval) = 0;

  virtual std::int64_t performanceCounter() = 0;
  virtual std::int64_t performanceFrequency() = 0;
  virtual void messageBox(const std::string& text, const std::string& caption) = 0;
};

// Backend factories; each returns null when it cannot run here (no display).
std::unique_ptr<Backend> makeX11Backend();
std::unique_ptr<Backend> makeHeadlessBackend(const StartOptions& options);

// The active backend, or null before start().
Backend* backend();
// The portable window record of a handle, or null.
Window* findWindow(WindowHandle handle);

}  // namespace platform
