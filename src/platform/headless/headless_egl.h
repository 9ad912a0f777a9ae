// The headless OpenGL drawable: an EGL display on Mesa's surfaceless
// platform (no X server), one RGBA8 / depth 24 / stencil 8 pbuffer the size
// of the virtual monitor, and the desktop-GL contexts that render into it.
#pragma once

#include <EGL/egl.h>

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

namespace platform {

class EglDrawable {
 public:
  // Null when the surfaceless platform, a matching config or the pbuffer is
  // not available.
  static std::unique_ptr<EglDrawable> open(int width, int height);
  ~EglDrawable();
  EglDrawable(const EglDrawable&) = delete;
  EglDrawable& operator=(const EglDrawable&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }

  // A compatibility-profile context (fixed-function GL); 0 on failure.
  std::uintptr_t createContext();
  void deleteContext(std::uintptr_t context);
  // Binds the context to the pbuffer; 0 releases the current one. False for
  // a context this drawable did not create.
  bool makeCurrent(std::uintptr_t context);
  bool hasCurrentContext() const;
  // glFinish when one of our contexts is current.
  void finish() const;

  // glFinish, then the lower-left width x height pixels of the drawable as
  // RGBA rows top-down. False without a current context of ours.
  bool capture(int width, int height, std::vector<std::uint8_t>& rgbaTopDown) const;

 private:
  EglDrawable(EGLDisplay display, EGLConfig config, EGLSurface surface, int width, int height);

  EGLDisplay display_;
  EGLConfig config_;
  EGLSurface surface_;
  int width_;
  int height_;
  std::set<std::uintptr_t> contexts_;
};

}  // namespace platform
