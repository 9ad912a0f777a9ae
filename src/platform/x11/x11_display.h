// Monitors, display modes and gamma through XRandR (1.2 and later), with a
// single whole-screen monitor when the server has no RandR or no outputs.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

#include "platform/platform.h"
#include "platform/x11/x11_randr_state.h"

namespace platform::x11 {

class DisplayControl {
 public:
  DisplayControl(Display* display, int screen);

  // One adapter per connected output, in the server's order.
  std::vector<DisplayAdapter> adapters();
  // The primary monitor's mode; the root size when there is no RandR.
  bool currentMode(DisplayMode& out);
  // The primary output's modes in the server's order, at the current depth.
  bool listedMode(int index, DisplayMode& out);
  // Switches the primary output's CRTC to the mode of that size (null: back
  // to the original). False when there is no such mode or the server refuses.
  bool changeMode(const DisplayMode* mode);
  // The ramp on every CRTC with a gamma table; false when there is none.
  bool setGamma(const GammaRamp& ramp);

 private:
  struct Primary {
    RROutput output = 0;
    RRCrtc crtc = 0;  // 0 when the output is not lit
  };
  Primary primaryOf(const ScreenResources& resources);
  DisplayAdapter wholeScreen() const;
  int reportedDepth() const;

  Display* display_;
  int screen_;
  ::Window root_;
  RandrVersion randr_;
};

}  // namespace platform::x11
