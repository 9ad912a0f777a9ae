// The X11 backend: native windows on one Xlib connection, their events as
// Win32 messages, XRandR monitors, modes and gamma, GLX.
//
// The portable window table (common/) owns every platform::Window; this
// backend keeps a NativeWindow per window and a map from X window ids back
// to handles, so that events of windows it does not know are ignored.
// Three kinds of native window exist: our own (the saver's full-screen
// windows, cover windows, dialogs), an adopted foreign window (xscreensaver's
// window, drawn into but never created or destroyed here), and our own child
// of a foreign window (the preview), which follows its parent's size and
// reports its parent's end as WM_DESTROY.
#pragma once

#include <X11/Xlib.h>
#include <GL/glx.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "platform/backend.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_glx.h"

namespace platform::x11 {

enum class Ownership {
  Own,             // created and destroyed here
  Adopted,         // another program's window, drawn into
  ChildOfForeign,  // created here inside another program's window
};

struct NativeWindow {
  ::Window id = 0;
  Ownership ownership = Ownership::Own;
  ::Window foreignParent = 0;  // ChildOfForeign: the parent being watched
  bool fillsParent = false;    // ChildOfForeign: resized with the parent
  bool fullScreen = false;     // a topmost saver window: override-redirect
  bool grabsInput = false;     // the saver's main window: grabs keyboard and pointer when shown
  VisualID visual = 0;
  Colormap colormap = 0;  // ours to free, 0 when none
  GLXFBConfig config = nullptr;
  int width = 0;
  int height = 0;
  bool gone = false;  // destroyed by someone else
  bool destroyPosted = false;
};

struct Atoms {
  Atom wmProtocols = 0;
  Atom wmDeleteWindow = 0;
  Atom netWmName = 0;
  Atom utf8String = 0;
  Atom netWmWindowType = 0;
  Atom netWmWindowTypeDialog = 0;
};

class X11Backend final : public Backend {
 public:
  explicit X11Backend(Display* display);
  ~X11Backend() override;

  BackendKind kind() const override { return BackendKind::X11; }

  bool createNative(Window& window) override;
  void destroyNative(Window& window) override;
  void show(Window& window, int showCommand) override;
  void focus(Window& window) override;
  Rect clientRect(const Window& window) override;
  Point clientToScreen(const Window& window, Point client) override;
  // x11_picture.cpp
  bool paintRgbPicture(Window& window, int x, int y, int width, int height, const std::uint8_t* rgb) override;

  void pumpEvents(bool wait) override;

  void showCursor(bool show) override;
  void setCursorPos(int screenX, int screenY) override;

  std::vector<DisplayAdapter> displayAdapters() override { return display_.adapters(); }
  bool nativeWindowRect(std::uint64_t nativeWindow, Rect& out) override;
  bool currentDisplayMode(DisplayMode& out) override { return display_.currentMode(out); }
  bool listedDisplayMode(int index, DisplayMode& out) override { return display_.listedMode(index, out); }
  bool changeDisplayMode(const DisplayMode* mode) override { return display_.changeMode(mode); }
  bool setGammaRamp(Window* window, const GammaRamp& ramp) override { return display_.setGamma(ramp); }

  bool choosePixelFormat(Window& window, const PixelFormatRequest& request) override;
  std::uintptr_t createGlContext(Window& window) override;
  bool makeCurrent(Window* window, std::uintptr_t context) override;
  void deleteGlContext(std::uintptr_t context) override;
  void swapBuffers(Window& window) override;
  bool setSwapInterval(int interval) override { return glx_.setSwapInterval(interval); }

  std::int64_t performanceCounter() override;
  std::int64_t performanceFrequency() override { return 1000000000; }
  void messageBox(const std::string& text, const std::string& caption) override;

 private:
  // x11_window.cpp
  bool adoptForeign(Window& window, NativeWindow& native);
  bool createChildOfForeign(Window& window, NativeWindow& native);
  bool createOwn(Window& window, NativeWindow& native);
  ::Window createXWindow(::Window parent, const WindowSpec& spec, bool glVisual, bool overrideRedirect,
                         NativeWindow& native);
  void setWindowProperties(::Window id, const WindowSpec& spec);
  bool selectInput(::Window id, long mask);
  void map(NativeWindow& native);
  void grabInput(::Window id);
  void releaseGrab();
  Cursor invisibleCursor();

  // x11_events.cpp
  void processPending();
  void waitForInput();
  void translate(XEvent& event);
  void onKey(XKeyEvent& event, WindowHandle handle);
  void onButton(const XButtonEvent& event, WindowHandle handle);
  void onMotion(XMotionEvent& event, WindowHandle handle);
  void onConfigure(const XConfigureEvent& event);
  void markGone(WindowHandle handle);
  void handleTermination();
  void handleLostWindows();
  void keepScreenAwake();
  bool isAutoRepeatRelease(const XKeyEvent& release);
  void post(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
  WindowHandle handleOf(::Window id) const;

  Display* connection_;
  int screen_;
  ::Window root_;
  Atoms atoms_;
  DisplayControl display_;
  Glx glx_;
  bool detectableAutoRepeat_ = false;
  unsigned altMask_ = Mod1Mask;  // the modifier bit of the Alt keys

  std::map<::Window, WindowHandle> windowsById_;
  std::map<::Window, WindowHandle> watchedParents_;  // foreign parent -> our child
  std::set<GLXContext> contexts_;

  ::Window grabWindow_ = 0;
  bool cursorHidden_ = false;
  Cursor invisibleCursor_ = 0;
  std::size_t postedCount_ = 0;
  std::int64_t lastScreenSaverReset_ = 0;
};

inline NativeWindow& nativeOf(const Window& window) { return *static_cast<NativeWindow*>(window.native); }

}  // namespace platform::x11
