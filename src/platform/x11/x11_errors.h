// X protocol errors as return values: a process-wide handler that records
// errors instead of ending the process, and a trap that collects the errors
// of the requests made while it is alive.
#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace platform::x11 {

// Installs the recording handler, and a handler for a lost connection that
// ends the process at once: with the server gone there is nothing left to
// restore, and exit() would run hooks and destructors that talk to it again.
// Safe to call more than once.
void installErrorHandler();

// Errors of this thread's requests on `display` made while the trap is alive
// land here instead of being reported. Traps nest; the innermost one wins.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Waits until the server has answered every request sent so far and
  // returns the first error code it reported (Success when none).
  int sync();
  bool failed() { return sync() != Success; }

 private:
  friend int recordError(Display*, XErrorEvent*);
  Display* display_;
  ErrorTrap* outer_;
  int firstError_ = Success;
};

// Windows that errors outside any trap named as no longer existing
// (BadWindow) on the watched display since the last call. Only one display
// is watched at a time (the backend's; null for none).
void watchLostWindows(Display* display);
std::vector<XID> takeLostWindows();

}  // namespace platform::x11
