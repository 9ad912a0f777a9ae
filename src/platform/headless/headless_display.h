// The one virtual monitor of the headless backend and its display modes.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace platform {

DisplayAdapter virtualMonitorAdapter(int width, int height);
DisplayMode virtualMonitorMode(int width, int height);
// A fixed list in a stable order, with the monitor's own mode appended when
// the list lacks it (see headless.h for the list).
std::vector<DisplayMode> virtualMonitorModes(int width, int height);

}  // namespace platform
