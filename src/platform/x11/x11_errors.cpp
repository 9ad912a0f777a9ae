// The recording X error handler and the error trap.
#include "platform/x11/x11_errors.h"

#include <unistd.h>

#include <cstdio>

namespace platform::x11 {
namespace {

thread_local ErrorTrap* innermostTrap = nullptr;

// Only the watched display's thread (the backend's) touches these.
Display* watchedDisplay = nullptr;
std::vector<XID> lostWindows;

// Untrapped errors are reported on stderr, but only the first few: a request
// that fails every frame must not flood the terminal.
constexpr int kReportedErrorLimit = 20;
int reportedErrors = 0;

}  // namespace

int recordError(Display* display, XErrorEvent* error) {
  for (ErrorTrap* trap = innermostTrap; trap; trap = trap->outer_) {
    if (trap->display_ != display) continue;
    if (trap->firstError_ == Success) trap->firstError_ = error->error_code;
    return 0;
  }
  if (error->error_code == BadWindow && display == watchedDisplay) lostWindows.push_back(error->resourceid);
  if (reportedErrors < kReportedErrorLimit) {
    ++reportedErrors;
    char text[128] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d.%d, resource 0x%lx)\n", text, error->request_code,
                 error->minor_code, error->resourceid);
  }
  return 0;
}

namespace {

int onConnectionLost(Display*) {
  std::fprintf(stderr, "X connection lost\n");
  _exit(1);
}

}  // namespace

void installErrorHandler() {
  XSetErrorHandler(recordError);
  XSetIOErrorHandler(onConnectionLost);
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), outer_(innermostTrap) {
  // Errors of earlier requests belong to whoever made them, not to this trap.
  XSync(display_, False);
  innermostTrap = this;
}

ErrorTrap::~ErrorTrap() {
  XSync(display_, False);
  innermostTrap = outer_;
}

int ErrorTrap::sync() {
  XSync(display_, False);
  return firstError_;
}

void watchLostWindows(Display* display) {
  watchedDisplay = display;
  lostWindows.clear();
}

std::vector<XID> takeLostWindows() {
  std::vector<XID> taken;
  taken.swap(lostWindows);
  return taken;
}

}  // namespace platform::x11
