// The virtual monitor and its display-mode list.
#include "platform/headless/headless_display.h"

#include <algorithm>

namespace platform {

DisplayAdapter virtualMonitorAdapter(int width, int height) {
  DisplayAdapter adapter;
  adapter.attachedToDesktop = true;
  adapter.primary = true;
  adapter.rect = Rect{0, 0, width, height};
  adapter.monitorHandle = 1;
  return adapter;
}

DisplayMode virtualMonitorMode(int width, int height) { return DisplayMode{width, height, 32, 60}; }

std::vector<DisplayMode> virtualMonitorModes(int width, int height) {
  // Modes too small or too shallow for a saver, the same mode at two refresh
  // rates, and the common sizes: what a real adapter reports, in its order.
  std::vector<DisplayMode> modes = {
      {320, 240, 16, 60},  {640, 480, 8, 60},   {640, 480, 16, 60},  {640, 480, 32, 60},
      {800, 600, 16, 60},  {800, 600, 32, 60},  {800, 600, 32, 75},  {1024, 768, 32, 60},
      {1280, 1024, 32, 60},
  };
  const DisplayMode own = virtualMonitorMode(width, height);
  bool listed = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& m) {
    return m.width == own.width && m.height == own.height && m.bitsPerPixel == own.bitsPerPixel;
  });
  if (!listed) modes.push_back(own);
  return modes;
}

}  // namespace platform
