// The one narrow interface between Vantorel and the operating system.
//
// The saver shell is written in the shape of a Win32 program: window classes
// with procedures, a per-thread message queue drained one message at a time,
// a synchronous send, display modes, a gamma ramp, a settings store, a
// run-time loaded library. This header keeps that shape so the shell reads
// like a Win32 program, while the backends (x11/, headless/, later win32/)
// do the real work. Message numbers and key codes keep their Win32 values:
// WM_USER + 2 is 1026 everywhere and keyState is indexed by virtual-key code.
//
// The window table and the message queue are portable (common/); a backend
// creates native windows, turns native events into posted messages, and
// provides display, OpenGL and service calls. Exactly one backend is active
// per process, chosen by platform::start().
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace platform {

using WindowHandle = std::uintptr_t;  // 0 is "no window"
// Windows are numbered from here in the order they are made, from each start.
constexpr WindowHandle kFirstWindowHandle = 0x100;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WindowProc = LRESULT (*)(WindowHandle, std::uint32_t message, WPARAM, LPARAM);

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct Message {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// ---- Window classes and windows ------------------------------------------

struct WindowClass {
  std::string name;
  WindowProc procedure = nullptr;  // null: the default procedure
  bool ownDeviceContext = false;   // CS_OWNDC: the window keeps its GL drawable
};

struct WindowSpec {
  std::string className;
  std::string title;
  int x = 0, y = 0, width = 0, height = 0;
  bool visible = false;  // WS_VISIBLE
  bool topmost = false;  // WS_EX_TOPMOST
  bool child = false;    // WS_CHILD: needs a parent
  WindowHandle parent = 0;
  // A native window of another program to draw into instead of creating one
  // (an xscreensaver window id, the parent of a preview); 0 for none.
  std::uint64_t foreignWindow = 0;
  // A native window id of another program to use as the parent; 0 for none.
  std::uint64_t foreignParent = 0;
};

// As a foreign window: the root window of the default screen.
constexpr std::uint64_t kRootWindow = ~std::uint64_t{0};

bool registerClass(const WindowClass& windowClass);
void unregisterClass(const std::string& name);

// Creates the window and sends WM_CREATE to its procedure before returning.
// Returns 0 when the class is unknown, a child has no parent, or the
// backend cannot make the window.
WindowHandle createWindow(const WindowSpec& spec);
// Sends WM_DESTROY, then releases the native window.
void destroyWindow(WindowHandle window);
bool isWindow(WindowHandle window);
void showWindow(WindowHandle window, int showCommand);
void setFocus(WindowHandle window);
Rect clientRect(WindowHandle window);  // left and top are 0
Point clientToScreen(WindowHandle window, Point client);
// Paints width x height pixels of three bytes each (red, green, blue), rows
// top-down, with their top-left corner at (x, y) of the window's client
// area, clipped to it; the bitmap copy of a WM_PAINT. False when the window
// is gone or its display cannot show such a picture.
bool paintRgbPicture(WindowHandle window, int x, int y, int width, int height, const std::uint8_t* rgb);

// ---- Messages ---------------------------------------------------------------

// Removes one message of any window of the thread; false when none is waiting.
bool peekMessage(Message& out);
// Waits for a message; false when it is WM_QUIT.
bool getMessage(Message& out);
void translateMessage(const Message& message);
LRESULT dispatchMessage(const Message& message);
// Calls the window's procedure at once and returns its result.
LRESULT sendMessage(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
void postMessage(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
void postQuitMessage(int exitCode);
LRESULT defWindowProc(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// ---- Cursor -----------------------------------------------------------------

void showCursor(bool show);
void setCursorPos(int screenX, int screenY);

// ---- Display ----------------------------------------------------------------

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int refreshHz = 0;
};

// One display adapter with its monitor, as EnumDisplayDevices reports it.
struct DisplayAdapter {
  bool attachedToDesktop = false;
  bool primary = false;
  bool mirroring = false;
  Rect rect;                        // virtual-screen rectangle when attached
  std::uintptr_t monitorHandle = 0;  // 0 when not attached
};

std::vector<DisplayAdapter> displayAdapters();
// Where a native window of any program (kRootWindow: the root) lies in
// virtual-screen coordinates; false when there is no such window.
bool nativeWindowRect(std::uint64_t nativeWindow, Rect& out);
bool currentDisplayMode(DisplayMode& out);
// The index-th display mode in the system's own order; false past the end.
bool listedDisplayMode(int index, DisplayMode& out);
// Switches to the mode for the length of the run; null restores the mode the
// system had before the first switch. The result says whether it took.
bool changeDisplayMode(const DisplayMode* mode);

using GammaRamp = std::uint16_t[3][256];  // red, green, blue
// Hands the ramp to the display of the window (resampled when the hardware
// ramp has another size). False when the system refuses it.
bool setGammaRamp(WindowHandle window, const GammaRamp& ramp);

// ---- OpenGL -----------------------------------------------------------------

struct PixelFormatRequest {
  int colorBits = 32;
  int depthBits = 24;
  int stencilBits = 8;
  bool doubleBuffer = true;
};

bool choosePixelFormat(WindowHandle window, const PixelFormatRequest& request);
// Creates a rendering context for the window's pixel format; 0 on failure.
std::uintptr_t createGlContext(WindowHandle window);
// context 0 makes no context current.
bool makeCurrent(WindowHandle window, std::uintptr_t context);
void deleteGlContext(std::uintptr_t context);
void swapBuffers(WindowHandle window);
// The swap-interval extension; false when there is none.
bool setSwapInterval(int interval);

// ---- Fonts ------------------------------------------------------------------

// Compiles `count` display lists from firstList on, one per character code
// from firstCharacter on: each draws that character's glyph with glBitmap at
// the raster position and moves the raster position right by its advance.
// The face is found by family name among the system's fonts, where a
// metric-compatible face stands in for a missing one ("Arial" may become
// Liberation Sans). As with a Win32 font height, a negative pixelHeight is
// the character (em) height and a positive one the cell height. False, with
// no list compiled, when no face can be loaded.
bool buildBitmapFont(const char* face, int pixelHeight, int firstCharacter, int count, std::uint32_t firstList);

// ---- Services ---------------------------------------------------------------

std::int64_t performanceCounter();
std::int64_t performanceFrequency();

// A modal box with an OK button and no owner.
void messageBox(const std::string& text, const std::string& caption);
bool openUrl(const std::string& url);

using LibraryHandle = void*;
LibraryHandle loadLibrary(const std::string& path);
void* libraryFunction(LibraryHandle library, const char* name);
void freeLibrary(LibraryHandle library);

bool setCurrentDirectory(const std::string& path);
std::string currentDirectory();
// The directory that holds the running program.
std::string executableDirectory();

// The per-user settings store (the registry key on Windows). Values are
// 32-bit words and strings; nothing in the store can crash its reader.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool queryDword(const char* name, std::uint32_t& out) const = 0;
  // Copies at most capacity - 1 bytes and a terminator; false when absent or
  // when the string does not fit (a cut path would name another directory).
  virtual bool queryString(const char* name, char* out, std::size_t capacity) const = 0;
  virtual void setDword(const char* name, std::uint32_t value) = 0;
  // Writes what was set; either the old or the new contents survive a crash.
  virtual bool commit() = 0;
};
std::unique_ptr<SettingsStore> openSettingsStore();

// What the user's locale prefers, for settings the user has never chosen.
struct LocalePreferences {
  bool twelveHourClock = false;  // the locale's time format has an AM/PM marker
  bool imperialUnits = false;    // the locale measures in US customary units
};
LocalePreferences localePreferences();

// ---- Backends -----------------------------------------------------------------

enum class BackendKind { Automatic, X11, Headless };

// Options a run gives its backend before starting it.
struct StartOptions {
  BackendKind kind = BackendKind::Automatic;
  // Headless: the size of the one virtual monitor and the virtual clock's rate.
  int headlessWidth = 800;
  int headlessHeight = 600;
  double headlessFramesPerSecond = 60.0;
};

// Picks the backend: X11 when a display can be opened, else headless (or the
// one asked for). False when the backend asked for is not available here.
bool start(const StartOptions& options);
void stop();
BackendKind activeBackend();

}  // namespace platform
