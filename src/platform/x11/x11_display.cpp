// Monitors, display modes, the mode switch and gamma through XRandR.
#include "platform/x11/x11_display.h"

#include <algorithm>

#include "platform/x11/x11_restore.h"

namespace platform::x11 {
namespace {

// An output's description, freed with the object.
class OutputInfo {
 public:
  OutputInfo(Display* display, const ScreenResources& resources, RROutput output)
      : info_(XRRGetOutputInfo(display, resources.get(), output)) {}
  ~OutputInfo() {
    if (info_) XRRFreeOutputInfo(info_);
  }
  OutputInfo(const OutputInfo&) = delete;
  OutputInfo& operator=(const OutputInfo&) = delete;
  const XRROutputInfo* operator->() const { return info_; }
  explicit operator bool() const { return info_ != nullptr; }

 private:
  XRROutputInfo* info_;
};

bool rotatedSideways(Rotation rotation) { return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

}  // namespace

DisplayControl::DisplayControl(Display* display, int screen)
    : display_(display), screen_(screen), root_(RootWindow(display, screen)), randr_(queryRandrVersion(display)) {}

int DisplayControl::reportedDepth() const {
  // Windows reports 24-bit colour kept in 32-bit pixels as 32 bits per pixel.
  int depth = DefaultDepth(display_, screen_);
  return depth == 24 ? 32 : depth;
}

DisplayAdapter DisplayControl::wholeScreen() const {
  DisplayAdapter adapter;
  adapter.attachedToDesktop = true;
  adapter.primary = true;
  adapter.rect = Rect{0, 0, DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
  adapter.monitorHandle = 1;
  return adapter;
}

DisplayControl::Primary DisplayControl::primaryOf(const ScreenResources& resources) {
  Primary primary;
  if (!resources) return primary;
  RROutput named = randr_.atLeast(1, 3) ? XRRGetOutputPrimary(display_, root_) : 0;
  if (named) {
    OutputInfo info(display_, resources, named);
    if (info && info->connection == RR_Connected && info->crtc) return Primary{named, info->crtc};
  }
  // No primary output, or it is dark: the first output that is lit.
  for (int i = 0; i < resources.get()->noutput; ++i) {
    RROutput output = resources.get()->outputs[i];
    OutputInfo info(display_, resources, output);
    if (info && info->connection == RR_Connected && info->crtc) return Primary{output, info->crtc};
  }
  return primary;
}

std::vector<DisplayAdapter> DisplayControl::adapters() {
  if (!randr_.atLeast(1, 2)) return {wholeScreen()};
  ScreenResources resources(display_, root_);
  if (!resources) return {wholeScreen()};
  Primary primary = primaryOf(resources);

  std::vector<DisplayAdapter> list;
  std::vector<RRCrtc> litCrtcs;
  for (int i = 0; i < resources.get()->noutput; ++i) {
    RROutput output = resources.get()->outputs[i];
    OutputInfo info(display_, resources, output);
    if (!info || info->connection != RR_Connected) continue;
    DisplayAdapter adapter;
    std::optional<CrtcConfig> crtc;
    if (info->crtc) crtc = readCrtcConfig(display_, resources, info->crtc);
    const XRRModeInfo* mode = crtc ? resources.mode(crtc->mode) : nullptr;
    if (mode) {
      int width = static_cast<int>(rotatedSideways(crtc->rotation) ? mode->height : mode->width);
      int height = static_cast<int>(rotatedSideways(crtc->rotation) ? mode->width : mode->height);
      adapter.attachedToDesktop = true;
      adapter.rect = Rect{crtc->x, crtc->y, crtc->x + width, crtc->y + height};
      adapter.monitorHandle = static_cast<std::uintptr_t>(output);
      // A second output on the same CRTC shows the same picture (clone mode).
      bool clone = std::find(litCrtcs.begin(), litCrtcs.end(), info->crtc) != litCrtcs.end();
      adapter.mirroring = clone;
      adapter.primary = !clone && info->crtc == primary.crtc;
      litCrtcs.push_back(info->crtc);
    }
    list.push_back(adapter);
  }
  if (list.empty()) return {wholeScreen()};
  return list;
}

bool DisplayControl::currentMode(DisplayMode& out) {
  out = DisplayMode{DisplayWidth(display_, screen_), DisplayHeight(display_, screen_), reportedDepth(), 0};
  if (!randr_.atLeast(1, 2)) return true;
  ScreenResources resources(display_, root_);
  Primary primary = primaryOf(resources);
  if (!primary.crtc) return true;
  std::optional<CrtcConfig> crtc = readCrtcConfig(display_, resources, primary.crtc);
  const XRRModeInfo* mode = crtc ? resources.mode(crtc->mode) : nullptr;
  if (!mode) return true;
  bool sideways = rotatedSideways(crtc->rotation);
  out.width = static_cast<int>(sideways ? mode->height : mode->width);
  out.height = static_cast<int>(sideways ? mode->width : mode->height);
  out.refreshHz = refreshRateOf(*mode);
  return true;
}

bool DisplayControl::listedMode(int index, DisplayMode& out) {
  if (index < 0) return false;
  ScreenResources resources(display_, root_);
  Primary primary = randr_.atLeast(1, 2) ? primaryOf(resources) : Primary{};
  if (!primary.output) {
    // Without RandR the current mode is the only one.
    return index == 0 && currentMode(out);
  }
  OutputInfo info(display_, resources, primary.output);
  if (!info || index >= info->nmode) return false;
  const XRRModeInfo* mode = resources.mode(info->modes[index]);
  if (!mode) return false;
  out = DisplayMode{static_cast<int>(mode->width), static_cast<int>(mode->height), reportedDepth(),
                    refreshRateOf(*mode)};
  return true;
}

bool DisplayControl::changeMode(const DisplayMode* wanted) {
  if (!wanted) return originalDisplayState().restoreMode(display_);
  if (!randr_.atLeast(1, 2)) return false;
  ScreenResources resources(display_, root_);
  Primary primary = primaryOf(resources);
  if (!primary.crtc) return false;
  OutputInfo info(display_, resources, primary.output);
  if (!info) return false;

  // X cannot change the colour depth, so only the size (and a refresh rate,
  // when one is asked for) picks the mode.
  const XRRModeInfo* chosen = nullptr;
  for (int i = 0; i < info->nmode && !chosen; ++i) {
    const XRRModeInfo* mode = resources.mode(info->modes[i]);
    if (mode && static_cast<int>(mode->width) == wanted->width && static_cast<int>(mode->height) == wanted->height &&
        (wanted->refreshHz == 0 || refreshRateOf(*mode) == wanted->refreshHz))
      chosen = mode;
  }
  if (!chosen) return false;

  std::optional<CrtcConfig> current = readCrtcConfig(display_, resources, primary.crtc);
  if (!current) return false;
  if (current->mode == chosen->id) return true;
  originalDisplayState().rememberCrtc(*current);

  CrtcConfig next = *current;
  next.mode = chosen->id;
  bool sideways = rotatedSideways(next.rotation);
  int right = next.x + static_cast<int>(sideways ? chosen->height : chosen->width);
  int bottom = next.y + static_cast<int>(sideways ? chosen->width : chosen->height);
  ScreenSize screen = readScreenSize(display_);
  bool grow = right > screen.width || bottom > screen.height;
  if (grow) {
    // The screen grows first so that the CRTC fits; it shrinks back on restore.
    ScreenSize grown = screen;
    grown.width = std::max(right, screen.width);
    grown.height = std::max(bottom, screen.height);
    if (screen.width > 0) grown.widthMm = screen.widthMm * grown.width / screen.width;
    if (screen.height > 0) grown.heightMm = screen.heightMm * grown.height / screen.height;
    originalDisplayState().rememberScreenSize(screen);
    if (!applyScreenSize(display_, grown)) return false;
  }
  if (applyCrtcConfig(display_, next)) return true;
  if (grow) applyScreenSize(display_, screen);
  return false;
}

bool DisplayControl::setGamma(const GammaRamp& ramp) {
  if (!randr_.atLeast(1, 2)) return false;
  ScreenResources resources(display_, root_);
  if (!resources) return false;
  bool any = false;
  bool ok = true;
  for (int i = 0; i < resources.get()->ncrtc; ++i) {
    RRCrtc crtc = resources.get()->crtcs[i];
    int size = XRRGetCrtcGammaSize(display_, crtc);
    if (size <= 0) continue;
    if (!originalDisplayState().knowsGamma(crtc)) {
      if (std::optional<GammaTables> original = readGamma(display_, crtc))
        originalDisplayState().rememberGamma(*original);
    }
    ok = applyGamma(display_, resampleRamp(ramp, crtc, size)) && ok;
    any = true;
  }
  return any && ok;
}

}  // namespace platform::x11
