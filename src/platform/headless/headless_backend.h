// The headless backend: virtual windows and monitor, the EGL pbuffer, the
// virtual clock, scripted input and frame output (see headless.h).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_egl.h"
#include "platform/headless/headless_frames.h"
#include "platform/headless/headless_input.h"

namespace platform {

// What the program asked of the virtual display and services.
struct HeadlessRecords {
  std::vector<std::pair<std::string, std::string>> messageBoxes;  // text, caption
  std::vector<headless::PaintedPicture> pictures;
  std::vector<headless::ModeChange> modeChanges;
  GammaRamp gammaRamp = {};
  int gammaRampCount = 0;
  int swapInterval = -1;
  Point cursor;
  int cursorDisplayCount = 0;
  WindowHandle focused = 0;
};

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend(const StartOptions& options, std::unique_ptr<EglDrawable> drawable);

  BackendKind kind() const override { return BackendKind::Headless; }

  bool createNative(Window& window) override;
  void destroyNative(Window& window) override;
  void show(Window& window, int showCommand) override;
  void focus(Window& window) override;
  Rect clientRect(const Window& window) override;
  Point clientToScreen(const Window& window, Point client) override;
  bool paintRgbPicture(Window& window, int x, int y, int width, int height, const std::uint8_t* rgb) override;

  void pumpEvents(bool wait) override;

  void showCursor(bool show) override;
  void setCursorPos(int screenX, int screenY) override;

  std::vector<DisplayAdapter> displayAdapters() override;
  bool nativeWindowRect(std::uint64_t nativeWindow, Rect& out) override;
  bool currentDisplayMode(DisplayMode& out) override;
  bool listedDisplayMode(int index, DisplayMode& out) override;
  bool changeDisplayMode(const DisplayMode* mode) override;
  bool setGammaRamp(Window* window, const GammaRamp& ramp) override;

  bool choosePixelFormat(Window& window, const PixelFormatRequest& request) override;
  std::uintptr_t createGlContext(Window& window) override;
  bool makeCurrent(Window* window, std::uintptr_t context) override;
  void deleteGlContext(std::uintptr_t context) override;
  void swapBuffers(Window& window) override;
  bool setSwapInterval(int interval) override;

  std::int64_t performanceCounter() override { return clock_.counter(); }
  std::int64_t performanceFrequency() override { return VirtualClock::kFrequency; }
  void messageBox(const std::string& text, const std::string& caption) override;

  // The extras of headless.h.
  void schedule(const ScheduledMessage& message) { schedule_.add(message); }
  std::uint64_t swapCount() const { return clock_.swaps(); }
  bool recordFrames(const std::string& directory, std::uint64_t maxFrames);
  void quitAfterSwaps(std::uint64_t n);
  const FrameRecorder& frames() const { return frames_; }
  const EglDrawable& drawable() const { return *drawable_; }
  const HeadlessRecords& records() const { return records_; }
  bool windowVisible(WindowHandle handle) const;

 private:
  struct VirtualWindow {
    Rect rect;  // relative to the parent's client area for a child, else the screen
    bool visible = false;
    bool hasPixelFormat = false;
  };

  static VirtualWindow& virtualWindow(const Window& window) {
    return *static_cast<VirtualWindow*>(window.native);
  }
  void deliver(const std::vector<ScheduledMessage>& messages);
  WindowHandle inputTarget() const;

  int width_;
  int height_;
  std::unique_ptr<EglDrawable> drawable_;
  std::vector<DisplayMode> modes_;
  VirtualClock clock_;
  MessageSchedule schedule_;
  FrameRecorder frames_;
  std::uint64_t quitAtSwap_ = 0;  // 0: none
  std::map<WindowHandle, std::unique_ptr<VirtualWindow>> windows_;  // in creation order
  HeadlessRecords records_;
};

}  // namespace platform
