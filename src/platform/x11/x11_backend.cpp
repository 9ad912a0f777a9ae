// The X11 backend's connection: opening and closing the display, the atoms
// and keyboard settings every window shares, the clock.
#include "platform/x11/x11_backend.h"

#include <X11/XKBlib.h>

#include <ctime>

#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_restore.h"

namespace platform {

std::unique_ptr<Backend> makeX11Backend() {
  // The signal watchdog may open a connection of its own on another thread.
  XInitThreads();
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  x11::installErrorHandler();
  return std::make_unique<x11::X11Backend>(display);
}

namespace x11 {
namespace {

Atoms internAtoms(Display* display) {
  char* names[] = {const_cast<char*>("WM_PROTOCOLS"),     const_cast<char*>("WM_DELETE_WINDOW"),
                   const_cast<char*>("_NET_WM_NAME"),     const_cast<char*>("UTF8_STRING"),
                   const_cast<char*>("_NET_WM_WINDOW_TYPE"), const_cast<char*>("_NET_WM_WINDOW_TYPE_DIALOG")};
  Atom atoms[6] = {};
  XInternAtoms(display, names, 6, False, atoms);
  return Atoms{atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5]};
}

}  // namespace

X11Backend::X11Backend(Display* connection)
    : connection_(connection),
      screen_(DefaultScreen(connection)),
      root_(RootWindow(connection, screen_)),
      atoms_(internAtoms(connection)),
      display_(connection, screen_),
      glx_(connection, screen_) {
  Bool supported = False;
  XkbSetDetectableAutoRepeat(connection_, True, &supported);
  detectableAutoRepeat_ = supported == True;
  altMask_ = altModifierMask(connection_);
  watchLostWindows(connection_);
  armExitGuards(connection_);
}

X11Backend::~X11Backend() {
  originalDisplayState().restoreAll(connection_);
  if (grabWindow_) releaseGrab();
  if (contexts_.count(glXGetCurrentContext())) glXMakeCurrent(connection_, None, nullptr);
  for (GLXContext context : contexts_) glXDestroyContext(connection_, context);
  if (invisibleCursor_) XFreeCursor(connection_, invisibleCursor_);
  disarmExitGuards();
  watchLostWindows(nullptr);
  XCloseDisplay(connection_);
}

std::int64_t X11Backend::performanceCounter() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace x11
}  // namespace platform
