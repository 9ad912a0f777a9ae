// The headless backend: windows as records on one virtual monitor, drawing
// into one EGL pbuffer, time that moves only with buffer swaps, and input
// that arrives on a script. Everything is recorded so tests can assert it.
#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/headless/headless_display.h"
#include "platform/headless/png_image.h"

namespace platform {

HeadlessBackend::HeadlessBackend(const StartOptions& options, std::unique_ptr<EglDrawable> drawable)
    : width_(options.headlessWidth),
      height_(options.headlessHeight),
      drawable_(std::move(drawable)),
      modes_(virtualMonitorModes(width_, height_)),
      clock_(options.headlessFramesPerSecond) {
  records_.cursor = Point{width_ / 2, height_ / 2};
}

// ---- Windows ----------------------------------------------------------------

bool HeadlessBackend::createNative(Window& window) {
  auto virtualWin = std::make_unique<VirtualWindow>();
  const WindowSpec& spec = window.spec;
  // A window of another program can only be the whole virtual monitor here.
  virtualWin->rect = spec.foreignWindow != 0
                         ? Rect{0, 0, width_, height_}
                         : Rect{spec.x, spec.y, spec.x + std::max(0, spec.width), spec.y + std::max(0, spec.height)};
  virtualWin->visible = spec.visible;
  window.native = virtualWin.get();
  windows_[window.handle] = std::move(virtualWin);
  return true;
}

void HeadlessBackend::destroyNative(Window& window) {
  if (records_.focused == window.handle) records_.focused = 0;
  windows_.erase(window.handle);
  window.native = nullptr;
}

void HeadlessBackend::show(Window& window, int showCommand) {
  virtualWindow(window).visible = showCommand != SW_HIDE;
}

void HeadlessBackend::focus(Window& window) { records_.focused = window.handle; }

Rect HeadlessBackend::clientRect(const Window& window) {
  const Rect& rect = virtualWindow(window).rect;
  return Rect{0, 0, rect.width(), rect.height()};
}

Point HeadlessBackend::clientToScreen(const Window& window, Point client) {
  // A child sits in its parent's client area, so walk up to the top level.
  for (const Window* w = &window; w != nullptr;) {
    const Rect& rect = virtualWindow(*w).rect;
    client.x += rect.left;
    client.y += rect.top;
    w = w->spec.child ? findWindow(w->spec.parent) : nullptr;
  }
  return client;
}

bool HeadlessBackend::paintRgbPicture(Window& window, int x, int y, int width, int height, const std::uint8_t* rgb) {
  const auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  records_.pictures.push_back(headless::PaintedPicture{window.handle, x, y, width, height,
                                                       std::vector<std::uint8_t>(rgb, rgb + bytes)});
  return true;
}

bool HeadlessBackend::windowVisible(WindowHandle handle) const {
  auto it = windows_.find(handle);
  return it != windows_.end() && it->second->visible;
}

// ---- Scripted input -----------------------------------------------------------

WindowHandle HeadlessBackend::inputTarget() const {
  if (records_.focused != 0) return records_.focused;
  for (const auto& entry : windows_) {
    const Window* window = findWindow(entry.first);
    if (window && window->ownDeviceContext) return entry.first;
  }
  return 0;
}

void HeadlessBackend::deliver(const std::vector<ScheduledMessage>& messages) {
  for (const ScheduledMessage& m : messages) {
    if (m.message == WM_QUIT) {
      postQuitMessage(static_cast<int>(m.wParam));
    } else {
      postMessage(m.window != 0 ? m.window : inputTarget(), m.message, m.wParam, m.lParam);
    }
  }
}

void HeadlessBackend::pumpEvents(bool wait) {
  std::vector<ScheduledMessage> due = schedule_.takeDue(clock_.swaps());
  if (due.empty() && wait) {
    // A waiting loop draws nothing, so the swap count will not move: hand it
    // the next scripted message now, or end it when the script is over.
    if (schedule_.empty()) {
      postQuitMessage(0);
      return;
    }
    due = schedule_.takeEarliest();
  }
  deliver(due);
}

// ---- Cursor -----------------------------------------------------------------

void HeadlessBackend::showCursor(bool show) { records_.cursorDisplayCount += show ? 1 : -1; }

void HeadlessBackend::setCursorPos(int screenX, int screenY) { records_.cursor = Point{screenX, screenY}; }

// ---- Display ----------------------------------------------------------------

std::vector<DisplayAdapter> HeadlessBackend::displayAdapters() { return {virtualMonitorAdapter(width_, height_)}; }

bool HeadlessBackend::nativeWindowRect(std::uint64_t, Rect& out) {
  out = Rect{0, 0, width_, height_};
  return true;
}

bool HeadlessBackend::currentDisplayMode(DisplayMode& out) {
  out = virtualMonitorMode(width_, height_);
  return true;
}

bool HeadlessBackend::listedDisplayMode(int index, DisplayMode& out) {
  if (index < 0 || static_cast<std::size_t>(index) >= modes_.size()) return false;
  out = modes_[static_cast<std::size_t>(index)];
  return true;
}

bool HeadlessBackend::changeDisplayMode(const DisplayMode* mode) {
  records_.modeChanges.push_back(mode ? headless::ModeChange{false, *mode} : headless::ModeChange{true, {}});
  return true;
}

bool HeadlessBackend::setGammaRamp(Window* window, const GammaRamp& ramp) {
  // Like SetDeviceGammaRamp, the ramp needs the display of a window.
  if (!window) return false;
  std::copy(&ramp[0][0], &ramp[0][0] + 3 * 256, &records_.gammaRamp[0][0]);
  ++records_.gammaRampCount;
  return true;
}

// ---- OpenGL -----------------------------------------------------------------

bool HeadlessBackend::choosePixelFormat(Window& window, const PixelFormatRequest&) {
  // There is one format, RGBA8 with depth 24 and stencil 8: the closest one
  // to any request, as ChoosePixelFormat would answer.
  virtualWindow(window).hasPixelFormat = true;
  return true;
}

std::uintptr_t HeadlessBackend::createGlContext(Window& window) {
  return virtualWindow(window).hasPixelFormat ? drawable_->createContext() : 0;
}

bool HeadlessBackend::makeCurrent(Window* window, std::uintptr_t context) {
  if (context == 0) return drawable_->makeCurrent(0);
  if (!window || !virtualWindow(*window).hasPixelFormat) return false;
  return drawable_->makeCurrent(context);
}

void HeadlessBackend::deleteGlContext(std::uintptr_t context) { drawable_->deleteContext(context); }

void HeadlessBackend::swapBuffers(Window& window) {
  if (frames_.recording()) {
    const Rect& rect = virtualWindow(window).rect;
    int width = std::min(rect.width(), drawable_->width());
    int height = std::min(rect.height(), drawable_->height());
    if (!frames_.writeFrame(*drawable_, width, height)) postQuitMessage(0);
  } else {
    drawable_->finish();
  }
  clock_.swap();
  if (quitAtSwap_ != 0 && clock_.swaps() >= quitAtSwap_) {
    quitAtSwap_ = 0;
    postQuitMessage(0);
  }
}

bool HeadlessBackend::setSwapInterval(int interval) {
  // A pbuffer is never presented, so there is nothing to pace.
  records_.swapInterval = interval;
  return true;
}

// ---- Services and extras --------------------------------------------------------

void HeadlessBackend::messageBox(const std::string& text, const std::string& caption) {
  records_.messageBoxes.emplace_back(text, caption);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

bool HeadlessBackend::recordFrames(const std::string& directory, std::uint64_t maxFrames) {
  if (!frames_.start(directory)) return false;
  quitAfterSwaps(maxFrames);
  return true;
}

void HeadlessBackend::quitAfterSwaps(std::uint64_t n) { quitAtSwap_ = n == 0 ? 0 : clock_.swaps() + n; }

std::unique_ptr<Backend> makeHeadlessBackend(const StartOptions& options) {
  const int width = options.headlessWidth, height = options.headlessHeight;
  const double fps = options.headlessFramesPerSecond;
  if (width <= 0 || height <= 0 || width > image::kMaxPngSide || height > image::kMaxPngSide) return nullptr;
  if (!std::isfinite(fps) || fps <= 0.0) return nullptr;
  std::unique_ptr<EglDrawable> drawable = EglDrawable::open(width, height);
  if (!drawable) return nullptr;
  return std::make_unique<HeadlessBackend>(options, std::move(drawable));
}

}  // namespace platform
