// What the headless backend offers beyond platform.h: scripted input, frame
// output, and records of what the program asked of the display.
//
// The headless backend runs without an X server on an EGL surfaceless
// context (Mesa llvmpipe). It has one virtual monitor of the size given to
// platform::start and one GL drawable of that size, a pbuffer that every
// window's context renders into. Windows are records: they are always
// created, shown and focused as asked, at the position and size asked; any
// native window of another program is a window covering the whole monitor.
//
// Time is virtual: performanceCounter() starts at a fixed value and advances
// by exactly one frame period (frequency / headlessFramesPerSecond) at each
// swapBuffers and at no other moment, so a run is deterministic to the frame.
// Input is scripted: scheduled messages are posted when the swap count
// reaches their swap number. A message loop that waits (getMessage) while
// nothing can arrive is not left hanging: it receives the next scheduled
// message at once, or WM_QUIT(0) when nothing is scheduled at all.
//
// The virtual monitor lists these display modes, in this order (bits per
// pixel @ refresh rate): 320x240x16@60, 640x480x8@60, 640x480x16@60,
// 640x480x32@60, 800x600x16@60, 800x600x32@60, 800x600x32@75,
// 1024x768x32@60, 1280x1024x32@60, then the monitor's own mode W x H x 32@60
// when it is not among them. Mode changes are recorded, never applied.
//
// Every call below acts on the active backend when it is the headless one
// and otherwise does nothing and returns the empty or zero value. All state
// belongs to the backend instance: platform::stop() and a new start begin
// clean.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace platform::headless {

// ---- Scripted input ---------------------------------------------------------

// Posts the message when swapCount() reaches atSwap (0: at the first event
// pump, before any swap) to the window that has the focus then, or to the
// first window of a class with ownDeviceContext when none has. WM_QUIT is
// posted as postQuitMessage would.
void scheduleMessage(std::uint64_t atSwap, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// The same for one given window (e.g. a cover window that never has focus).
void scheduleMessageTo(std::uint64_t atSwap, WindowHandle window, std::uint32_t message, WPARAM wParam,
                       LPARAM lParam);
// Buffer swaps since the backend started.
std::uint64_t swapCount();

// ---- Frame output -------------------------------------------------------------

// From now on every swap writes the swapped window's picture (its client
// area, clipped to the monitor) to DIRECTORY/frame_NNNNN.png, numbered from
// 00000, creating the directory when needed; after maxFrames swaps a WM_QUIT
// is posted (0: no limit). False when the directory cannot be made.
bool recordFrames(const std::string& directory, std::uint64_t maxFrames);
// Posts WM_QUIT after n more swaps, without writing files (0: no limit).
void quitAfterSwaps(std::uint64_t n);
std::uint64_t framesWritten();
// True once a frame could not be written; recording then stopped and a
// WM_QUIT was posted.
bool frameOutputFailed();
// The current drawable's lower-left width x height pixels as RGBA rows,
// top-down, after glFinish. False without a current context.
bool captureFrame(int width, int height, std::vector<std::uint8_t>& rgbaTopDown);

// ---- Records ----------------------------------------------------------------

// Message boxes as (text, caption), in order; each is also printed to stderr
// as "caption: text" and returns at once.
const std::vector<std::pair<std::string, std::string>>& recordedMessageBoxes();

// Cursor position last set (starts at the monitor centre), and visibility
// with the Win32 display count: each hide subtracts 1, each show adds 1, and
// the cursor is visible while the count is 0 or more.
Point cursorPosition();
bool cursorVisible();

WindowHandle focusedWindow();
bool windowVisible(WindowHandle window);

// One paintRgbPicture call: the window, where, and a copy of the pixels.
struct PaintedPicture {
  WindowHandle window = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // rows top-down, three bytes a pixel
};
const std::vector<PaintedPicture>& recordedPictures();

// One changeDisplayMode call: a requested mode, or the restore (null).
struct ModeChange {
  bool restore = false;
  DisplayMode mode;
};
const std::vector<ModeChange>& recordedModeChanges();

// The last ramp handed to setGammaRamp, or null when none was; and how many
// ramps were set.
const GammaRamp* lastGammaRamp();
int gammaRampCount();

// The last interval given to setSwapInterval, or -1 when none was.
int swapInterval();

}  // namespace platform::headless
