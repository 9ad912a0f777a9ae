// The pieces of XRandR state the saver changes, as plain values: a CRTC's
// configuration, the screen size and a CRTC's gamma ramp. Being plain values
// (server ids, sizes, tables), a state read on one connection can be put back
// on another one, which the signal watchdog relies on.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace platform::x11 {

struct CrtcConfig {
  RRCrtc crtc = 0;
  RRMode mode = 0;  // None: the CRTC is off
  int x = 0;
  int y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
  int widthMm = 0;
  int heightMm = 0;
};

struct GammaTables {
  RRCrtc crtc = 0;
  std::vector<std::uint16_t> red, green, blue;  // all of the CRTC's gamma size
};

// The RandR version the server speaks, 0.0 when it has no RandR.
struct RandrVersion {
  int major = 0;
  int minor = 0;
  bool atLeast(int wantMajor, int wantMinor) const {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
  }
};
RandrVersion queryRandrVersion(Display* display);

// The screen resources of the root window, freed with the object.
class ScreenResources {
 public:
  ScreenResources(Display* display, ::Window root);
  ~ScreenResources();
  ScreenResources(const ScreenResources&) = delete;
  ScreenResources& operator=(const ScreenResources&) = delete;
  XRRScreenResources* get() const { return resources_; }
  explicit operator bool() const { return resources_ != nullptr; }
  // The mode description of a mode id, or null.
  const XRRModeInfo* mode(RRMode id) const;

 private:
  XRRScreenResources* resources_ = nullptr;
};

std::optional<CrtcConfig> readCrtcConfig(Display* display, const ScreenResources& resources, RRCrtc crtc);
bool applyCrtcConfig(Display* display, const CrtcConfig& config);

ScreenSize readScreenSize(Display* display);
bool applyScreenSize(Display* display, const ScreenSize& size);

std::optional<GammaTables> readGamma(Display* display, RRCrtc crtc);
bool applyGamma(Display* display, const GammaTables& tables);

// The 256-entry ramp stretched (linear interpolation) to a CRTC of `size` entries.
GammaTables resampleRamp(const GammaRamp& ramp, RRCrtc crtc, int size);

// Vertical refresh of a mode in whole hertz; 0 when the timings are unknown.
int refreshRateOf(const XRRModeInfo& mode);

}  // namespace platform::x11
