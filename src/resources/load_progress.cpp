// Sending the loading-progress message.
#include "resources/load_progress.h"

namespace {
platform::WindowHandle progressWindow = 0;
}

void setLoadProgressWindow(platform::WindowHandle window) { progressWindow = window; }

void sendLoadProgress() {
  if (progressWindow) platform::sendMessage(progressWindow, kLoadProgressMessage, 0, 0);
}
