// Geometry of the message box's OK button, shared by its drawing, its hit
// test and the tests that click it.
#pragma once

#include "platform/platform.h"

namespace platform::x11 {

// The OK button inside a box of the given size, in the box's coordinates.
Rect messageBoxButton(int boxWidth, int boxHeight);

}  // namespace platform::x11
