// Display-mode switch, pixel format, the base OpenGL state and the gamma ramp.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Switches to the configured Width × Height × Depth and hides the cursor.
void setDisplayMode();
// Sets the pixel format of the drawing context; true when it took.
bool choosePixelFormat();
// The base OpenGL state every drawing subsystem starts from and returns to,
// the swap interval and (unless DefGamma) the gamma ramp.
bool setupGl();
// Fills the three ramps with (i / 256) ^ exponent × 65536 and hands them to
// the display; true when the system accepted them.
bool setGammaRamp(float red, float green, float blue);
// The ramp setGammaRamp hands over, for one channel.
void computeGammaChannel(float exponent, std::uint16_t (&channel)[256]);
// The exponent of a Gamma setting: 0 gives 1.5, 50 gives 1.0, 100 gives 0.5.
float gammaExponent(std::int32_t gammaSetting);
