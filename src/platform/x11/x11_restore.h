// Putting the display back the way the run found it.
//
// Before the first change of a CRTC's mode, the screen size or a CRTC's gamma
// ramp, the original is remembered here (process-wide). Four paths restore it:
// changeDisplayMode(nullptr) (the mode only), the backend's destructor, an
// exit hook (exit() while the backend is still up), and a signal watchdog.
//
// SIGTERM and SIGINT: the handler only counts the signal and writes a byte to
// two pipes (nothing else runs in signal context). One pipe wakes the event
// pump, which posts WM_CLOSE to every window so the run ends through its own
// shutdown. The other wakes a watchdog thread: it gives the saver one second
// (cut short by a second signal) and, if the backend is still up by then -
// the frame or the loading step in progress never came back - restores the
// display on a connection of its own and ends the process with the signal.
// A third signal finds the default action and ends the process at once.
// Nothing can restore after SIGKILL.
#pragma once

#include <X11/Xlib.h>

#include "platform/x11/x11_randr_state.h"

namespace platform::x11 {

class OriginalDisplayState {
 public:
  // Each remembers only the first value given for its CRTC (or screen).
  void rememberCrtc(const CrtcConfig& config);
  void rememberScreenSize(const ScreenSize& size);
  void rememberGamma(const GammaTables& tables);
  bool knowsGamma(RRCrtc crtc);

  // Puts back and forgets the CRTC configurations and the screen size; true
  // when everything went back (or nothing had changed).
  bool restoreMode(Display* display);
  // The mode, then the gamma ramps.
  bool restoreAll(Display* display);
  bool empty();
};
OriginalDisplayState& originalDisplayState();

// Installs the exit hook, the signal handlers and the watchdog for a backend
// on `display`; disarm when that backend goes away.
void armExitGuards(Display* display);
void disarmExitGuards();

// Readable while a termination signal waits for the event pump.
int terminationWakeFd();
// True once for every signal received since the last call; empties the pipe.
bool takeTerminationRequest();
// True while a signal waits for takeTerminationRequest.
bool terminationPending();

}  // namespace platform::x11
