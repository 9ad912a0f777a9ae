// Command-line parsing and monitor enumeration of the application object.
#include "shell/saver_app.h"

#include <cctype>
#include <cstdlib>

namespace {

// The decimal number after a C or P switch: skip to the first digit, if any.
std::int32_t windowNumberAfter(const char* p) {
  while (*p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
  return *p ? static_cast<std::int32_t>(std::atol(p)) : 0;
}

}  // namespace

RunMode SaverApp::parseCommandLine(const char* commandLine) {
  windowNumber = 0;
  const char* p = commandLine ? commandLine : "";

  // Skip the program's own path, quoted or up to the first blank.
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != ' ') ++p;
    if (*p) ++p;
  }

  while (*p && *p != '/' && *p != '-') ++p;
  if (!*p) return RunMode::Configure;

  const char letter = *++p;
  switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'C':
      windowNumber = windowNumberAfter(p + 1);
      return RunMode::Configure;
    case 'P':
      windowNumber = windowNumberAfter(p + 1);
      return RunMode::Preview;
    case 'T':
      return RunMode::Test;
    default:  // S, any other letter, or the end of the text
      return RunMode::Saver;
  }
}

void SaverApp::enumerateMonitors() { fillMonitorTable(platform::displayAdapters()); }

void SaverApp::fillMonitorTable(const std::vector<platform::DisplayAdapter>& adapters) {
  monitorCount = 0;
  for (const platform::DisplayAdapter& adapter : adapters) {
    if (adapter.mirroring) continue;
    MonitorInfo& info = monitors[monitorCount];
    info = MonitorInfo{};
    if (adapter.attachedToDesktop) {
      info.rect = adapter.rect;
      if (adapter.primary) {
        info.rect.right = adapter.rect.width();
        info.rect.bottom = adapter.rect.height();
        info.rect.left = info.rect.top = 0;
      }
      info.monitor = adapter.monitorHandle;
    }
    if (++monitorCount == kMaxMonitors) break;
  }
}
