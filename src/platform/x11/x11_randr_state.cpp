// Reading and applying CRTC configurations, the screen size and gamma ramps.
#include "platform/x11/x11_randr_state.h"

#include <cmath>

#include "platform/x11/x11_errors.h"

namespace platform::x11 {

RandrVersion queryRandrVersion(Display* display) {
  int eventBase = 0, errorBase = 0;
  RandrVersion version;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return version;
  if (!XRRQueryVersion(display, &version.major, &version.minor)) return RandrVersion{};
  return version;
}

ScreenResources::ScreenResources(Display* display, ::Window root) {
  ErrorTrap trap(display);
  // The "current" query does not make the server probe the outputs, which
  // can take a noticeable time on real hardware.
  if (queryRandrVersion(display).atLeast(1, 3))
    resources_ = XRRGetScreenResourcesCurrent(display, root);
  else
    resources_ = XRRGetScreenResources(display, root);
  if (trap.failed() && resources_) {
    XRRFreeScreenResources(resources_);
    resources_ = nullptr;
  }
}

ScreenResources::~ScreenResources() {
  if (resources_) XRRFreeScreenResources(resources_);
}

const XRRModeInfo* ScreenResources::mode(RRMode id) const {
  if (!resources_) return nullptr;
  for (int i = 0; i < resources_->nmode; ++i)
    if (resources_->modes[i].id == id) return &resources_->modes[i];
  return nullptr;
}

std::optional<CrtcConfig> readCrtcConfig(Display* display, const ScreenResources& resources, RRCrtc crtc) {
  if (!resources) return std::nullopt;
  ErrorTrap trap(display);
  XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources.get(), crtc);
  if (trap.failed() || !info) {
    if (info) XRRFreeCrtcInfo(info);
    return std::nullopt;
  }
  CrtcConfig config;
  config.crtc = crtc;
  config.mode = info->mode;
  config.x = info->x;
  config.y = info->y;
  config.rotation = info->rotation;
  config.outputs.assign(info->outputs, info->outputs + info->noutput);
  XRRFreeCrtcInfo(info);
  return config;
}

bool applyCrtcConfig(Display* display, const CrtcConfig& config) {
  ScreenResources resources(display, DefaultRootWindow(display));
  if (!resources) return false;
  ErrorTrap trap(display);
  std::vector<RROutput> outputs = config.outputs;
  Status status = XRRSetCrtcConfig(display, resources.get(), config.crtc, CurrentTime, config.x, config.y,
                                   config.mode, config.rotation, outputs.empty() ? nullptr : outputs.data(),
                                   static_cast<int>(outputs.size()));
  return !trap.failed() && status == RRSetConfigSuccess;
}

ScreenSize readScreenSize(Display* display) {
  int screen = DefaultScreen(display);
  return ScreenSize{DisplayWidth(display, screen), DisplayHeight(display, screen),
                    DisplayWidthMM(display, screen), DisplayHeightMM(display, screen)};
}

bool applyScreenSize(Display* display, const ScreenSize& size) {
  ErrorTrap trap(display);
  XRRSetScreenSize(display, DefaultRootWindow(display), size.width, size.height, size.widthMm, size.heightMm);
  return !trap.failed();
}

std::optional<GammaTables> readGamma(Display* display, RRCrtc crtc) {
  ErrorTrap trap(display);
  int size = XRRGetCrtcGammaSize(display, crtc);
  XRRCrtcGamma* gamma = size > 0 ? XRRGetCrtcGamma(display, crtc) : nullptr;
  if (trap.failed() || !gamma || gamma->size != size) {
    if (gamma) XRRFreeGamma(gamma);
    return std::nullopt;
  }
  GammaTables tables;
  tables.crtc = crtc;
  tables.red.assign(gamma->red, gamma->red + size);
  tables.green.assign(gamma->green, gamma->green + size);
  tables.blue.assign(gamma->blue, gamma->blue + size);
  XRRFreeGamma(gamma);
  return tables;
}

bool applyGamma(Display* display, const GammaTables& tables) {
  int size = static_cast<int>(tables.red.size());
  if (size == 0 || tables.green.size() != tables.red.size() || tables.blue.size() != tables.red.size())
    return false;
  XRRCrtcGamma* gamma = XRRAllocGamma(size);
  if (!gamma) return false;
  for (int i = 0; i < size; ++i) {
    gamma->red[i] = tables.red[static_cast<std::size_t>(i)];
    gamma->green[i] = tables.green[static_cast<std::size_t>(i)];
    gamma->blue[i] = tables.blue[static_cast<std::size_t>(i)];
  }
  ErrorTrap trap(display);
  XRRSetCrtcGamma(display, tables.crtc, gamma);
  bool ok = !trap.failed();
  XRRFreeGamma(gamma);
  return ok;
}

namespace {

std::vector<std::uint16_t> resampleChannel(const std::uint16_t (&channel)[256], int size) {
  std::vector<std::uint16_t> out(static_cast<std::size_t>(size));
  if (size == 1) {
    out[0] = channel[0];
    return out;
  }
  for (int j = 0; j < size; ++j) {
    double position = j * 255.0 / (size - 1);
    int below = static_cast<int>(position);
    int above = below < 255 ? below + 1 : 255;
    double fraction = position - below;
    double value = channel[below] * (1.0 - fraction) + channel[above] * fraction;
    out[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(std::lround(value));
  }
  return out;
}

}  // namespace

GammaTables resampleRamp(const GammaRamp& ramp, RRCrtc crtc, int size) {
  GammaTables tables;
  tables.crtc = crtc;
  if (size <= 0) return tables;
  tables.red = resampleChannel(ramp[0], size);
  tables.green = resampleChannel(ramp[1], size);
  tables.blue = resampleChannel(ramp[2], size);
  return tables;
}

int refreshRateOf(const XRRModeInfo& mode) {
  if (mode.dotClock == 0 || mode.hTotal == 0 || mode.vTotal == 0) return 0;
  double rate = static_cast<double>(mode.dotClock) / (static_cast<double>(mode.hTotal) * mode.vTotal);
  if (mode.modeFlags & RR_DoubleScan) rate /= 2.0;
  if (mode.modeFlags & RR_Interlace) rate *= 2.0;
  return static_cast<int>(std::lround(rate));
}

}  // namespace platform::x11
