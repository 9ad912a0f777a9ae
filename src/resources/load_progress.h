// The loading-progress message: each texture of the registry and each world
// object loaded sends it synchronously to the main saver window, whose
// procedure redraws the loading screen at once.
#pragma once

#include "platform/platform.h"

constexpr std::uint32_t kLoadProgressMessage = platform::WM_USER + 2;  // 1026

// The window that receives the message; 0 (the default) sends nothing.
void setLoadProgressWindow(platform::WindowHandle window);
// Sends the message, both parameters 0, and returns when it was handled.
void sendLoadProgress();
