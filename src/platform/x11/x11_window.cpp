// Native windows: our own, adopted foreign ones and children of foreign ones;
// showing, focus, geometry, the input grab of the saver window and the cursor.
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

#include "platform/x11/x11_backend.h"
#include "platform/x11/x11_errors.h"

namespace platform::x11 {
namespace {

constexpr long kOwnEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                               PointerMotionMask | ExposureMask | StructureNotifyMask;

// The saver window's grab can fail while another client still holds one (a
// menu closing, the desktop's own screensaver handing over); it is retried
// for about half a second.
constexpr int kGrabAttempts = 25;
constexpr useconds_t kGrabRetryMicroseconds = 20000;

}  // namespace

bool X11Backend::selectInput(::Window id, long mask) {
  ErrorTrap trap(connection_);
  XSelectInput(connection_, id, mask);
  return !trap.failed();
}

bool X11Backend::createNative(Window& window) {
  auto native = std::make_unique<NativeWindow>();
  bool made = window.spec.foreignWindow != 0   ? adoptForeign(window, *native)
              : window.spec.foreignParent != 0 ? createChildOfForeign(window, *native)
                                               : createOwn(window, *native);
  if (!made) return false;
  windowsById_[native->id] = window.handle;
  if (native->ownership == Ownership::ChildOfForeign) watchedParents_[native->foreignParent] = window.handle;
  window.native = native.release();
  if (window.spec.visible) show(window, SW_SHOW);
  return true;
}

bool X11Backend::adoptForeign(Window& window, NativeWindow& native) {
  ::Window id = window.spec.foreignWindow == kRootWindow ? root_ : static_cast<::Window>(window.spec.foreignWindow);
  XWindowAttributes attributes;
  {
    ErrorTrap trap(connection_);
    Status ok = XGetWindowAttributes(connection_, id, &attributes);
    if (trap.failed() || !ok) return false;
  }
  // Only one client may select button presses on a window, and the window's
  // owner may have done so already.
  if (!selectInput(id, kOwnEventMask)) selectInput(id, kOwnEventMask & ~ButtonPressMask);
  native.id = id;
  native.ownership = Ownership::Adopted;
  native.visual = XVisualIDFromVisual(attributes.visual);
  native.width = attributes.width;
  native.height = attributes.height;
  return true;
}

bool X11Backend::createChildOfForeign(Window& window, NativeWindow& native) {
  ::Window parent = static_cast<::Window>(window.spec.foreignParent);
  XWindowAttributes attributes;
  {
    // Watching the parent before creating the child leaves no gap in which
    // its destruction could go unnoticed.
    ErrorTrap trap(connection_);
    XSelectInput(connection_, parent, StructureNotifyMask);
    Status ok = XGetWindowAttributes(connection_, parent, &attributes);
    if (trap.failed() || !ok) return false;
  }
  WindowSpec placed = window.spec;
  if (placed.width <= 0 || placed.height <= 0) {
    placed.x = 0;
    placed.y = 0;
    placed.width = attributes.width;
    placed.height = attributes.height;
  }
  native.ownership = Ownership::ChildOfForeign;
  native.foreignParent = parent;
  native.fillsParent = placed.x == 0 && placed.y == 0 && placed.width == attributes.width &&
                       placed.height == attributes.height;
  if (createXWindow(parent, placed, window.ownDeviceContext, false, native)) return true;
  selectInput(parent, NoEventMask);
  return false;
}

bool X11Backend::createOwn(Window& window, NativeWindow& native) {
  ::Window parent = root_;
  if (Window* parentWindow = findWindow(window.spec.parent); parentWindow && parentWindow->native)
    parent = nativeOf(*parentWindow).id;
  bool topLevel = parent == root_;
  // The saver's windows (topmost popups) are placed by us, not by a window
  // manager, and stay above everything; the main one takes the input.
  native.fullScreen = topLevel && window.spec.topmost;
  native.grabsInput = native.fullScreen && window.ownDeviceContext;
  ::Window id = createXWindow(parent, window.spec, window.ownDeviceContext, native.fullScreen, native);
  if (!id) return false;
  if (topLevel) setWindowProperties(id, window.spec);
  return true;
}

::Window X11Backend::createXWindow(::Window parent, const WindowSpec& spec, bool glVisual, bool overrideRedirect,
                                   NativeWindow& native) {
  Visual* visual = CopyFromParent;
  int depth = CopyFromParent;
  XSetWindowAttributes attributes{};
  unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask;
  attributes.background_pixel = 0;  // black, like the classes' black brush
  attributes.border_pixel = 0;
  attributes.event_mask = kOwnEventMask;
  if (glVisual) {
    // X fixes a window's visual at creation, so a window that will carry a
    // GL context gets the visual of the default pixel format now.
    GLXFBConfig config = glx_.chooseConfig(PixelFormatRequest{}, 0);
    if (XVisualInfo* info = config ? glXGetVisualFromFBConfig(connection_, config) : nullptr) {
      visual = info->visual;
      depth = info->depth;
      native.config = config;
      native.visual = info->visualid;
      native.colormap = XCreateColormap(connection_, root_, info->visual, AllocNone);
      attributes.colormap = native.colormap;
      mask |= CWColormap;
      XFree(info);
    }
  }
  if (overrideRedirect) {
    attributes.override_redirect = True;
    mask |= CWOverrideRedirect;
  }
  if (cursorHidden_) {
    attributes.cursor = invisibleCursor();
    mask |= CWCursor;
  }
  int width = std::max(1, spec.width);
  int height = std::max(1, spec.height);

  ErrorTrap trap(connection_);
  ::Window id = XCreateWindow(connection_, parent, spec.x, spec.y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), 0, depth, InputOutput, visual, mask, &attributes);
  XWindowAttributes created;
  if (trap.failed() || !XGetWindowAttributes(connection_, id, &created)) {
    if (native.colormap) XFreeColormap(connection_, native.colormap);
    native.colormap = 0;
    native.config = nullptr;
    return 0;
  }
  native.id = id;
  native.visual = XVisualIDFromVisual(created.visual);
  native.width = width;
  native.height = height;
  return id;
}

void X11Backend::setWindowProperties(::Window id, const WindowSpec& spec) {
  XStoreName(connection_, id, spec.title.c_str());
  XChangeProperty(connection_, id, atoms_.netWmName, atoms_.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(spec.title.data()), static_cast<int>(spec.title.size()));
  char name[] = "vantorel";
  char className[] = "Vantorel";
  XClassHint classHint{name, className};
  XSetClassHint(connection_, id, &classHint);
  XSetWMProtocols(connection_, id, &atoms_.wmDeleteWindow, 1);
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = spec.x;
  hints.y = spec.y;
  hints.width = std::max(1, spec.width);
  hints.height = std::max(1, spec.height);
  XSetWMNormalHints(connection_, id, &hints);
}

void X11Backend::destroyNative(Window& window) {
  std::unique_ptr<NativeWindow> native(static_cast<NativeWindow*>(window.native));
  window.native = nullptr;
  if (!native) return;
  windowsById_.erase(native->id);
  if (native->ownership == Ownership::ChildOfForeign) watchedParents_.erase(native->foreignParent);
  if (grabWindow_ == native->id) releaseGrab();
  if (glXGetCurrentDrawable() == native->id) glXMakeCurrent(connection_, None, nullptr);

  // Foreign windows may be gone already; their errors mean nothing here.
  ErrorTrap trap(connection_);
  if (native->ownership == Ownership::Adopted) {
    if (!native->gone) XSelectInput(connection_, native->id, NoEventMask);
  } else {
    if (!native->gone) XDestroyWindow(connection_, native->id);
    if (native->ownership == Ownership::ChildOfForeign) XSelectInput(connection_, native->foreignParent, NoEventMask);
  }
  if (native->colormap) XFreeColormap(connection_, native->colormap);
  trap.sync();
}

void X11Backend::map(NativeWindow& native) {
  if (native.fullScreen)
    XMapRaised(connection_, native.id);
  else
    XMapWindow(connection_, native.id);
  if (native.grabsInput) {
    // An override-redirect window is viewable as soon as the server has
    // mapped it; no window manager is in the way.
    XSync(connection_, False);
    grabInput(native.id);
  }
  XFlush(connection_);
}

void X11Backend::show(Window& window, int showCommand) {
  NativeWindow& native = nativeOf(window);
  // An adopted window is shown and hidden by its owner.
  if (native.gone || native.ownership == Ownership::Adopted) return;
  if (showCommand == SW_HIDE) {
    if (grabWindow_ == native.id) releaseGrab();
    XUnmapWindow(connection_, native.id);
    XFlush(connection_);
    return;
  }
  map(native);
}

void X11Backend::grabInput(::Window id) {
  // Keys all go to the main window; pointer events keep going to whichever
  // of our windows is under the pointer, so the cover windows still get theirs.
  const unsigned pointerMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
    int keyboard = XGrabKeyboard(connection_, id, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    int pointer = XGrabPointer(connection_, id, True, pointerMask, GrabModeAsync, GrabModeAsync, None, None,
                               CurrentTime);
    if (keyboard == GrabSuccess || pointer == GrabSuccess) grabWindow_ = id;
    if (keyboard == GrabSuccess && pointer == GrabSuccess) return;
    usleep(kGrabRetryMicroseconds);
  }
}

void X11Backend::releaseGrab() {
  XUngrabKeyboard(connection_, CurrentTime);
  XUngrabPointer(connection_, CurrentTime);
  XFlush(connection_);
  grabWindow_ = 0;
}

void X11Backend::focus(Window& window) {
  NativeWindow& native = nativeOf(window);
  // Focus inside another program's window is that program's business.
  if (native.gone || native.ownership != Ownership::Own) return;
  ErrorTrap trap(connection_);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(connection_, native.id, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(connection_, native.id, RevertToParent, CurrentTime);
  trap.sync();
}

Rect X11Backend::clientRect(const Window& window) {
  const NativeWindow& native = nativeOf(window);
  return Rect{0, 0, native.width, native.height};
}

Point X11Backend::clientToScreen(const Window& window, Point client) {
  const NativeWindow& native = nativeOf(window);
  if (native.gone) return client;
  int x = 0, y = 0;
  ::Window child = 0;
  if (!XTranslateCoordinates(connection_, native.id, root_, client.x, client.y, &x, &y, &child)) return client;
  return Point{x, y};
}

bool X11Backend::nativeWindowRect(std::uint64_t nativeWindow, Rect& out) {
  ::Window id = nativeWindow == kRootWindow ? root_ : static_cast<::Window>(nativeWindow);
  ErrorTrap trap(connection_);
  XWindowAttributes attributes;
  int x = 0, y = 0;
  ::Window child = 0;
  if (!XGetWindowAttributes(connection_, id, &attributes) ||
      !XTranslateCoordinates(connection_, id, root_, 0, 0, &x, &y, &child) || trap.failed())
    return false;
  out = Rect{x, y, x + attributes.width, y + attributes.height};
  return true;
}

Cursor X11Backend::invisibleCursor() {
  if (!invisibleCursor_) {
    char blankBits[1] = {0};
    Pixmap blank = XCreateBitmapFromData(connection_, root_, blankBits, 1, 1);
    XColor black{};
    invisibleCursor_ = XCreatePixmapCursor(connection_, blank, blank, &black, &black, 0, 0);
    XFreePixmap(connection_, blank);
  }
  return invisibleCursor_;
}

void X11Backend::showCursor(bool show) {
  // Remembered, so that windows made later (the saver hides the cursor
  // before it creates its windows) get it as well.
  cursorHidden_ = !show;
  for (const auto& [id, handle] : windowsById_) {
    Window* window = findWindow(handle);
    if (!window) continue;
    const NativeWindow& native = nativeOf(*window);
    if (native.gone || native.ownership == Ownership::Adopted) continue;
    if (cursorHidden_)
      XDefineCursor(connection_, id, invisibleCursor());
    else
      XUndefineCursor(connection_, id);
  }
  XFlush(connection_);
}

void X11Backend::setCursorPos(int screenX, int screenY) {
  XWarpPointer(connection_, None, root_, 0, 0, 0, 0, screenX, screenY);
  XFlush(connection_);
}

}  // namespace platform::x11
