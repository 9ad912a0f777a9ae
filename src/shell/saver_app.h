// The one application object of a process: run mode, window number, show
// command and the monitor table of a full-screen run.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

enum class RunMode : std::int32_t { Configure = 0, Preview = 1, Saver = 2, Test = 3 };

// One display adapter attached to a monitor; all zero until filled.
struct MonitorInfo {
  std::uintptr_t monitor = 0;  // null when the adapter is not on the desktop
  platform::Rect rect;         // virtual-screen coordinates
  platform::WindowHandle window = 0;
};

class SaverApp {
 public:
  static constexpr unsigned kMaxMonitors = 9;

  virtual ~SaverApp() = default;

  // Reads the whole command line (the program's own path first) and returns
  // the run mode; stores the number that followed a C or P switch.
  RunMode parseCommandLine(const char* commandLine);
  // Fills the monitor table from the platform's display adapters.
  void enumerateMonitors();
  // The same from a given adapter list, in its order.
  void fillMonitorTable(const std::vector<platform::DisplayAdapter>& adapters);

  RunMode runMode = RunMode::Configure;
  void* instance = nullptr;
  std::int32_t windowNumber = 0;
  std::int32_t showCommand = platform::SW_SHOWNORMAL;
  MonitorInfo monitors[kMaxMonitors] = {};
  std::uint32_t monitorCount = 0;
};
