// EGL bring-up on the surfaceless platform and the pbuffer drawable.
//
// Mesa's surfaceless platform offers pbuffer configs, so the drawable is a
// plain pbuffer: the GL default framebuffer, with GL_BACK as draw and read
// buffer, and nothing for the shell to bind. A pbuffer has no front buffer to
// present, so "swapping" it is only glFinish; what was drawn stays readable.
#include "platform/headless/headless_egl.h"

#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

namespace platform {
namespace {

bool hasExtension(const char* list, const char* name) {
  if (!list) return false;
  const std::size_t length = std::strlen(name);
  for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
    bool startsWord = p == list || p[-1] == ' ';
    bool endsWord = p[length] == ' ' || p[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}

EGLDisplay openSurfacelessDisplay() {
  if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
    return EGL_NO_DISPLAY;
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return EGL_NO_DISPLAY;
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

// The first config with exactly 8 bits per colour channel (so read-backs are
// exact), 24 depth and 8 stencil bits, usable for a desktop-GL pbuffer.
bool chooseConfig(EGLDisplay display, EGLConfig& out) {
  const EGLint wanted[] = {EGL_RED_SIZE,     8,  EGL_GREEN_SIZE,   8,
                           EGL_BLUE_SIZE,    8,  EGL_ALPHA_SIZE,   8,
                           EGL_DEPTH_SIZE,   24, EGL_STENCIL_SIZE, 8,
                           EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,    EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,   EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count)) return false;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, green = 0, blue = 0, alpha = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha);
    if (red == 8 && green == 8 && blue == 8 && alpha == 8) {
      out = configs[i];
      return true;
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<EglDrawable> EglDrawable::open(int width, int height) {
  EGLDisplay display = openSurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) return nullptr;
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) return nullptr;

  EGLConfig config = nullptr;
  EGLSurface surface = EGL_NO_SURFACE;
  if (eglBindAPI(EGL_OPENGL_API) && chooseConfig(display, config)) {
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, size);
  }
  if (surface == EGL_NO_SURFACE) {
    eglTerminate(display);
    return nullptr;
  }
  return std::unique_ptr<EglDrawable>(new EglDrawable(display, config, surface, width, height));
}

EglDrawable::EglDrawable(EGLDisplay display, EGLConfig config, EGLSurface surface, int width, int height)
    : display_(display), config_(config), surface_(surface), width_(width), height_(height) {}

EglDrawable::~EglDrawable() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  for (std::uintptr_t context : contexts_) eglDestroyContext(display_, reinterpret_cast<EGLContext>(context));
  eglDestroySurface(display_, surface_);
  eglTerminate(display_);
  eglReleaseThread();
}

std::uintptr_t EglDrawable::createContext() {
  // The API binding is per thread; no attributes means a compatibility
  // context of the highest version Mesa offers.
  if (!eglBindAPI(EGL_OPENGL_API)) return 0;
  EGLContext context = eglCreateContext(display_, config_, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) return 0;
  auto handle = reinterpret_cast<std::uintptr_t>(context);
  contexts_.insert(handle);
  return handle;
}

void EglDrawable::deleteContext(std::uintptr_t context) {
  if (contexts_.erase(context) == 0) return;
  auto egl = reinterpret_cast<EGLContext>(context);
  if (eglGetCurrentContext() == egl) eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, egl);
}

bool EglDrawable::makeCurrent(std::uintptr_t context) {
  if (context == 0) return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (contexts_.count(context) == 0) return false;
  return eglMakeCurrent(display_, surface_, surface_, reinterpret_cast<EGLContext>(context));
}

bool EglDrawable::hasCurrentContext() const {
  return contexts_.count(reinterpret_cast<std::uintptr_t>(eglGetCurrentContext())) != 0;
}

void EglDrawable::finish() const {
  if (hasCurrentContext()) glFinish();
}

bool EglDrawable::capture(int width, int height, std::vector<std::uint8_t>& rgbaTopDown) const {
  if (!hasCurrentContext() || width <= 0 || height <= 0 || width > width_ || height > height_) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(height));

  glFinish();
  // Read the back buffer with tightly packed rows, leaving the shell's
  // read-buffer and pixel-store state as it was.
  glPushAttrib(GL_PIXEL_MODE_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glPopClientAttrib();
  glPopAttrib();

  rgbaTopDown.resize(bottomUp.size());
  for (int row = 0; row < height; ++row) {
    std::memcpy(rgbaTopDown.data() + static_cast<std::size_t>(row) * rowBytes,
                bottomUp.data() + static_cast<std::size_t>(height - 1 - row) * rowBytes, rowBytes);
  }
  return true;
}

}  // namespace platform
