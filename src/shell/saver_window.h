// The procedure of the main saver window: GL context on creation, input into
// the run state, the loading-progress redraw, quit on close and destroy.
#pragma once

#include "platform/platform.h"

platform::LRESULT saverWindowProc(platform::WindowHandle window, std::uint32_t message,
                                  platform::WPARAM wParam, platform::LPARAM lParam);

// The centre of the window's client area in screen coordinates.
platform::Point windowCentreOnScreen(platform::WindowHandle window);
