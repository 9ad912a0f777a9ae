// GLX frame-buffer configurations, contexts and the swap interval.
#pragma once

#include <GL/glx.h>

#include "platform/platform.h"

namespace platform::x11 {

class Glx {
 public:
  Glx(Display* display, int screen);

  // The best configuration for the request whose X visual is `visual` (0:
  // any visual, preferably of the screen's depth). When none meets the
  // request, any RGBA window configuration with a depth buffer will do.
  // Null when there is none (or no GLX at all).
  GLXFBConfig chooseConfig(const PixelFormatRequest& request, VisualID visual) const;
  // A legacy (compatibility) context for OpenGL 1.1; null on failure.
  GLXContext createContext(GLXFBConfig config) const;
  // Through GLX_EXT_swap_control, GLX_MESA_swap_control or
  // GLX_SGI_swap_control, the first the implementation has.
  bool setSwapInterval(int interval) const;

 private:
  bool hasExtension(const char* name) const;
  GLXFBConfig pick(const int* attributes, VisualID visual) const;

  Display* display_;
  int screen_;
  bool available_;
};

}  // namespace platform::x11
