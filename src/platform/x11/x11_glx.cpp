// GLX for the backend: choosing configurations, contexts on our windows,
// making them current, swapping, the swap-interval extensions.
#include "platform/x11/x11_glx.h"

#include <cstring>
#include <vector>

#include "platform/x11/x11_backend.h"
#include "platform/x11/x11_errors.h"

namespace platform::x11 {

Glx::Glx(Display* display, int screen) : display_(display), screen_(screen) {
  int errorBase = 0, eventBase = 0, major = 0, minor = 0;
  available_ = glXQueryExtension(display_, &errorBase, &eventBase) && glXQueryVersion(display_, &major, &minor) &&
               (major > 1 || minor >= 3);
}

GLXFBConfig Glx::pick(const int* attributes, VisualID visual) const {
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display_, screen_, attributes, &count);
  if (!configs) return nullptr;
  GLXFBConfig chosen = nullptr;
  GLXFBConfig firstOfScreenDepth = nullptr;
  for (int i = 0; i < count && !chosen; ++i) {
    XVisualInfo* info = glXGetVisualFromFBConfig(display_, configs[i]);
    if (!info) continue;
    if (visual != 0 && info->visualid == visual) chosen = configs[i];
    if (visual == 0 && !firstOfScreenDepth && info->depth == DefaultDepth(display_, screen_))
      firstOfScreenDepth = configs[i];
    XFree(info);
  }
  // The list comes best first; a visual of another depth (a 32-bit ARGB one)
  // is only taken when the screen's depth has none.
  if (visual == 0) chosen = firstOfScreenDepth ? firstOfScreenDepth : (count > 0 ? configs[0] : nullptr);
  XFree(configs);
  return chosen;
}

GLXFBConfig Glx::chooseConfig(const PixelFormatRequest& request, VisualID visual) const {
  if (!available_) return nullptr;
  // The colour bits of a Windows pixel format leave out alpha: 32 and 24 are
  // eight bits per channel.
  int channelBits = request.colorBits >= 24 ? 8 : request.colorBits / 3;
  std::vector<int> wanted = {GLX_X_RENDERABLE,  True,          GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                             GLX_RENDER_TYPE,   GLX_RGBA_BIT,  GLX_RED_SIZE,      channelBits,
                             GLX_GREEN_SIZE,    channelBits,   GLX_BLUE_SIZE,     channelBits,
                             GLX_DEPTH_SIZE,    request.depthBits,
                             GLX_STENCIL_SIZE,  request.stencilBits};
  if (request.doubleBuffer) wanted.insert(wanted.end(), {GLX_DOUBLEBUFFER, True});
  wanted.push_back(None);
  if (GLXFBConfig config = pick(wanted.data(), visual)) return config;

  const int anyWithDepth[] = {GLX_X_RENDERABLE, True,         GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                              GLX_RENDER_TYPE,  GLX_RGBA_BIT, GLX_DEPTH_SIZE,    1,
                              None};
  return pick(anyWithDepth, visual);
}

GLXContext Glx::createContext(GLXFBConfig config) const {
  if (!available_ || !config) return nullptr;
  ErrorTrap trap(display_);
  GLXContext context = glXCreateNewContext(display_, config, GLX_RGBA_TYPE, nullptr, True);
  if (trap.failed()) {
    if (context) glXDestroyContext(display_, context);
    return nullptr;
  }
  return context;
}

bool Glx::hasExtension(const char* name) const {
  const char* list = glXQueryExtensionsString(display_, screen_);
  if (!list) return false;
  // Whole names only: "GLX_EXT_swap_control" is not "GLX_EXT_swap_control_tear".
  std::size_t length = std::strlen(name);
  for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
    bool startsName = at == list || at[-1] == ' ';
    bool endsName = at[length] == ' ' || at[length] == '\0';
    if (startsName && endsName) return true;
  }
  return false;
}

bool Glx::setSwapInterval(int interval) const {
  if (!available_ || interval < 0) return false;
  auto address = [](const char* name) { return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)); };

  GLXDrawable drawable = glXGetCurrentDrawable();
  if (drawable && hasExtension("GLX_EXT_swap_control")) {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    if (auto set = reinterpret_cast<SwapIntervalExt>(address("glXSwapIntervalEXT"))) {
      ErrorTrap trap(display_);
      set(display_, drawable, interval);
      return !trap.failed();
    }
  }
  if (hasExtension("GLX_MESA_swap_control")) {
    using SwapIntervalMesa = int (*)(unsigned);
    if (auto set = reinterpret_cast<SwapIntervalMesa>(address("glXSwapIntervalMESA")))
      return set(static_cast<unsigned>(interval)) == 0;
  }
  // The SGI extension cannot turn synchronisation off.
  if (interval > 0 && hasExtension("GLX_SGI_swap_control")) {
    using SwapIntervalSgi = int (*)(int);
    if (auto set = reinterpret_cast<SwapIntervalSgi>(address("glXSwapIntervalSGI"))) return set(interval) == 0;
  }
  return false;
}

// ---- The backend's OpenGL calls ----------------------------------------------

bool X11Backend::choosePixelFormat(Window& window, const PixelFormatRequest& request) {
  NativeWindow& native = nativeOf(window);
  if (native.gone) return false;
  // The visual is the window's own (fixed when it was created, or chosen by
  // the foreign window's owner): the format must be one of that visual.
  GLXFBConfig config = glx_.chooseConfig(request, native.visual);
  if (!config) return false;
  native.config = config;
  return true;
}

std::uintptr_t X11Backend::createGlContext(Window& window) {
  NativeWindow& native = nativeOf(window);
  if (!native.config && !choosePixelFormat(window, PixelFormatRequest{})) return 0;
  GLXContext context = glx_.createContext(native.config);
  if (!context) return 0;
  contexts_.insert(context);
  return reinterpret_cast<std::uintptr_t>(context);
}

bool X11Backend::makeCurrent(Window* window, std::uintptr_t context) {
  if (context == 0) return glXMakeCurrent(connection_, None, nullptr) == True;
  GLXContext glContext = reinterpret_cast<GLXContext>(context);
  if (!window || !contexts_.count(glContext)) return false;
  const NativeWindow& native = nativeOf(*window);
  if (native.gone || !native.config) return false;
  ErrorTrap trap(connection_);
  Bool made = glXMakeCurrent(connection_, native.id, glContext);
  return !trap.failed() && made == True;
}

void X11Backend::deleteGlContext(std::uintptr_t context) {
  GLXContext glContext = reinterpret_cast<GLXContext>(context);
  if (!contexts_.erase(glContext)) return;
  if (glXGetCurrentContext() == glContext) glXMakeCurrent(connection_, None, nullptr);
  glXDestroyContext(connection_, glContext);
}

void X11Backend::swapBuffers(Window& window) {
  const NativeWindow& native = nativeOf(window);
  if (native.gone || !native.config) return;
  glXSwapBuffers(connection_, native.id);
}

}  // namespace platform::x11
