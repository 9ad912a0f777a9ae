// The event pump: waits on the X connection and the termination pipe and
// turns X events into the Win32 messages the window procedures expect.
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>

#include "platform/x11/x11_backend.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_restore.h"

namespace platform::x11 {
namespace {

// The MK_ flags of mouse messages.
constexpr WPARAM kMouseLeft = 0x0001, kMouseRight = 0x0002, kMouseShift = 0x0004, kMouseControl = 0x0008,
                 kMouseMiddle = 0x0010;
constexpr int kWheelDelta = 120;

// The X server's own screensaver and monitor power-down would end the
// picture; while the saver holds the screen its idle timer is reset this often.
constexpr std::int64_t kScreenSaverResetNanoseconds = 30'000'000'000;

WPARAM mouseKeyFlags(unsigned state) {
  WPARAM flags = 0;
  if (state & Button1Mask) flags |= kMouseLeft;
  if (state & Button2Mask) flags |= kMouseMiddle;
  if (state & Button3Mask) flags |= kMouseRight;
  if (state & ShiftMask) flags |= kMouseShift;
  if (state & ControlMask) flags |= kMouseControl;
  return flags;
}

// Repeat count 1, the Alt context bit, and for releases the previous-state
// and transition bits.
LPARAM keyLParam(bool down, bool alt) {
  std::uint32_t bits = 1;
  if (alt) bits |= 1u << 29;
  if (!down) bits |= 3u << 30;
  return static_cast<LPARAM>(static_cast<std::int32_t>(bits));
}

// WM_SIZE packs the client width and height like a mouse position.
LPARAM sizeLParam(int width, int height) { return makeMouseLParam(width, height); }

}  // namespace

void X11Backend::post(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  postMessage(window, message, wParam, lParam);
  ++postedCount_;
}

WindowHandle X11Backend::handleOf(::Window id) const {
  auto it = windowsById_.find(id);
  if (it == windowsById_.end() || !findWindow(it->second)) return 0;
  return it->second;
}

void X11Backend::pumpEvents(bool wait) {
  std::size_t before = postedCount_;
  processPending();
  while (wait && postedCount_ == before) {
    waitForInput();
    processPending();
  }
}

void X11Backend::processPending() {
  handleTermination();
  while (XPending(connection_) > 0) {
    XEvent event;
    XNextEvent(connection_, &event);
    translate(event);
  }
  handleLostWindows();
  keepScreenAwake();
}

void X11Backend::waitForInput() {
  // Round trips made since the last look may have queued events already;
  // the connection would not wake the poll for those.
  if (XEventsQueued(connection_, QueuedAlready) > 0) return;
  pollfd sources[2] = {{ConnectionNumber(connection_), POLLIN, 0}, {terminationWakeFd(), POLLIN, 0}};
  // An interrupted wait simply ends; the caller looks at everything again.
  poll(sources, sources[1].fd >= 0 ? 2 : 1, -1);
}

void X11Backend::translate(XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease:
      if (WindowHandle handle = handleOf(event.xkey.window)) onKey(event.xkey, handle);
      break;
    case ButtonPress:
    case ButtonRelease:
      if (WindowHandle handle = handleOf(event.xbutton.window)) onButton(event.xbutton, handle);
      break;
    case MotionNotify:
      if (WindowHandle handle = handleOf(event.xmotion.window)) onMotion(event.xmotion, handle);
      break;
    case Expose:
      if (event.xexpose.count != 0) break;  // the last of a series stands for all
      if (WindowHandle handle = handleOf(event.xexpose.window)) post(handle, WM_PAINT, 0, 0);
      break;
    case ConfigureNotify:
      onConfigure(event.xconfigure);
      break;
    case DestroyNotify: {
      ::Window id = event.xdestroywindow.window;
      if (WindowHandle handle = handleOf(id)) markGone(handle);
      if (auto parent = watchedParents_.find(id); parent != watchedParents_.end()) markGone(parent->second);
      break;
    }
    case ClientMessage:
      if (event.xclient.message_type == atoms_.wmProtocols && event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == atoms_.wmDeleteWindow) {
        if (WindowHandle handle = handleOf(event.xclient.window)) post(handle, WM_CLOSE, 0, 0);
      }
      break;
    case MappingNotify:
      if (event.xmapping.request == MappingPointer) break;
      XRefreshKeyboardMapping(&event.xmapping);
      if (event.xmapping.request == MappingModifier) altMask_ = altModifierMask(connection_);
      break;
    default:
      break;
  }
}

void X11Backend::onKey(XKeyEvent& event, WindowHandle handle) {
  int key = virtualKeyOf(event);
  bool alt = (event.state & altMask_) != 0;
  // As on Windows: Alt combinations, Alt itself and F10 are system keys.
  bool system = alt || key == vk::F10 || key == vk::Menu;
  if (event.type == KeyPress) {
    post(handle, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), keyLParam(true, alt));
    return;
  }
  if (isAutoRepeatRelease(event)) return;
  post(handle, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key), keyLParam(false, alt));
}

bool X11Backend::isAutoRepeatRelease(const XKeyEvent& release) {
  // With detectable auto-repeat the server sends repeats as presses alone.
  // Without it, a repeat is a release and a press of the same key with the
  // same time stamp; dropping the release leaves a repeated WM_KEYDOWN.
  if (detectableAutoRepeat_ || XEventsQueued(connection_, QueuedAfterReading) == 0) return false;
  XEvent next;
  XPeekEvent(connection_, &next);
  return next.type == KeyPress && next.xkey.window == release.window && next.xkey.keycode == release.keycode &&
         next.xkey.time == release.time;
}

void X11Backend::onButton(const XButtonEvent& event, WindowHandle handle) {
  bool down = event.type == ButtonPress;
  WPARAM flags = mouseKeyFlags(event.state);
  LPARAM where = makeMouseLParam(event.x, event.y);
  // The state is the one before the event: the button itself is added on
  // its press and taken away on its release.
  auto button = [&](std::uint32_t downMessage, std::uint32_t upMessage, WPARAM bit) {
    post(handle, down ? downMessage : upMessage, down ? (flags | bit) : (flags & ~bit), where);
  };
  switch (event.button) {
    case Button1:
      button(WM_LBUTTONDOWN, WM_LBUTTONUP, kMouseLeft);
      break;
    case Button2:
      button(WM_MBUTTONDOWN, WM_MBUTTONUP, kMouseMiddle);
      break;
    case Button3:
      button(WM_RBUTTONDOWN, WM_RBUTTONUP, kMouseRight);
      break;
    case Button4:
    case Button5:
      if (down) {
        // The wheel's delta is in the high word; its position is in screen coordinates.
        int delta = event.button == Button4 ? kWheelDelta : -kWheelDelta;
        WPARAM wParam = static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16 | flags;
        post(handle, WM_MOUSEWHEEL, wParam, makeMouseLParam(event.x_root, event.y_root));
      }
      break;
    default:
      break;
  }
}

void X11Backend::onMotion(XMotionEvent& event, WindowHandle handle) {
  // Like Windows, only the latest position of a burst of moves is reported.
  while (XEventsQueued(connection_, QueuedAlready) > 0) {
    XEvent next;
    XPeekEvent(connection_, &next);
    if (next.type != MotionNotify || next.xmotion.window != event.window) break;
    XNextEvent(connection_, &next);
    event = next.xmotion;
  }
  post(handle, WM_MOUSEMOVE, mouseKeyFlags(event.state), makeMouseLParam(event.x, event.y));
}

void X11Backend::onConfigure(const XConfigureEvent& event) {
  if (auto parent = watchedParents_.find(event.window); parent != watchedParents_.end()) {
    Window* child = findWindow(parent->second);
    if (!child) return;
    const NativeWindow& native = nativeOf(*child);
    if (native.fillsParent && !native.gone)
      XResizeWindow(connection_, native.id, static_cast<unsigned>(std::max(1, event.width)),
                    static_cast<unsigned>(std::max(1, event.height)));
    return;
  }
  WindowHandle handle = handleOf(event.window);
  if (!handle) return;
  NativeWindow& native = nativeOf(*findWindow(handle));
  if (event.width == native.width && event.height == native.height) return;
  native.width = event.width;
  native.height = event.height;
  post(handle, WM_SIZE, 0, sizeLParam(event.width, event.height));
}

void X11Backend::markGone(WindowHandle handle) {
  Window* window = findWindow(handle);
  if (!window) return;
  NativeWindow& native = nativeOf(*window);
  native.gone = true;
  if (grabWindow_ == native.id) grabWindow_ = 0;  // the grab ended with the window
  if (glXGetCurrentDrawable() == native.id) glXMakeCurrent(connection_, None, nullptr);
  if (native.destroyPosted) return;
  native.destroyPosted = true;
  post(handle, WM_DESTROY, 0, 0);
}

void X11Backend::handleLostWindows() {
  for (XID id : takeLostWindows()) {
    if (WindowHandle handle = handleOf(id)) markGone(handle);
    if (auto parent = watchedParents_.find(id); parent != watchedParents_.end()) markGone(parent->second);
  }
}

void X11Backend::handleTermination() {
  if (!takeTerminationRequest()) return;
  bool anyWindow = false;
  for (const auto& [id, handle] : windowsById_) {
    if (!findWindow(handle)) continue;
    post(handle, WM_CLOSE, 0, 0);
    anyWindow = true;
  }
  if (!anyWindow) {
    postQuitMessage(0);
    ++postedCount_;
  }
}

void X11Backend::keepScreenAwake() {
  if (!grabWindow_) return;
  std::int64_t now = performanceCounter();
  if (lastScreenSaverReset_ != 0 && now - lastScreenSaverReset_ < kScreenSaverResetNanoseconds) return;
  lastScreenSaverReset_ = now;
  XResetScreenSaver(connection_);
}

}  // namespace platform::x11
