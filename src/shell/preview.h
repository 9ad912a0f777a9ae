// The preview: a still picture of the journey in a child window that fills
// a window of another program (the window whose number followed the P
// switch), at its top-left corner on black, until that window goes away.
// No animation, no OpenGL, no music and no archive access.
#pragma once

#include "platform/platform.h"

class SaverApp;

// Returns 1 after the message loop ends, 0 when the window cannot be made
// (after the "Cannot creat window!" message box).
int runPreview(const SaverApp& app);

platform::LRESULT previewWindowProc(platform::WindowHandle window, std::uint32_t message, platform::WPARAM wParam,
                                    platform::LPARAM lParam);
