// The portable window-class table and window table.
#include <map>

#include "platform/backend.h"

namespace platform {
namespace {

std::map<std::string, WindowClass>& classes() {
  static std::map<std::string, WindowClass> table;
  return table;
}

std::map<WindowHandle, std::unique_ptr<Window>>& windows() {
  static std::map<WindowHandle, std::unique_ptr<Window>> table;
  return table;
}

WindowHandle nextHandle = kFirstWindowHandle;

}  // namespace

Window* findWindow(WindowHandle handle) {
  auto it = windows().find(handle);
  return it == windows().end() ? nullptr : it->second.get();
}

bool registerClass(const WindowClass& windowClass) {
  if (windowClass.name.empty()) return false;
  return classes().emplace(windowClass.name, windowClass).second;
}

void unregisterClass(const std::string& name) { classes().erase(name); }

WindowHandle createWindow(const WindowSpec& spec) {
  Backend* b = backend();
  auto cls = classes().find(spec.className);
  if (!b || cls == classes().end()) return 0;
  if (spec.child && spec.parent == 0 && spec.foreignParent == 0) return 0;
  if (spec.parent != 0 && !findWindow(spec.parent)) return 0;

  auto window = std::make_unique<Window>();
  window->handle = nextHandle++;
  window->spec = spec;
  window->procedure = cls->second.procedure;
  window->ownDeviceContext = cls->second.ownDeviceContext;
  if (!b->createNative(*window)) return 0;
  WindowHandle handle = window->handle;
  windows().emplace(handle, std::move(window));
  sendMessage(handle, WM_CREATE, 0, 0);
  return handle;
}

void destroyWindow(WindowHandle handle) {
  Window* window = findWindow(handle);
  if (!window) return;
  sendMessage(handle, WM_DESTROY, 0, 0);
  if (Backend* b = backend()) b->destroyNative(*window);
  windows().erase(handle);
}

bool isWindow(WindowHandle handle) { return findWindow(handle) != nullptr; }

void showWindow(WindowHandle handle, int showCommand) {
  Window* window = findWindow(handle);
  if (window && backend()) backend()->show(*window, showCommand);
}

void setFocus(WindowHandle handle) {
  Window* window = findWindow(handle);
  if (window && backend()) backend()->focus(*window);
}

Rect clientRect(WindowHandle handle) {
  Window* window = findWindow(handle);
  if (!window || !backend()) return {};
  return backend()->clientRect(*window);
}

Point clientToScreen(WindowHandle handle, Point client) {
  Window* window = findWindow(handle);
  if (!window || !backend()) return client;
  return backend()->clientToScreen(*window, client);
}

bool paintRgbPicture(WindowHandle handle, int x, int y, int width, int height, const std::uint8_t* rgb) {
  Window* window = findWindow(handle);
  if (!window || !backend() || !rgb || width <= 0 || height <= 0) return false;
  return backend()->paintRgbPicture(*window, x, y, width, height, rgb);
}

void destroyAllWindows() {
  while (!windows().empty()) destroyWindow(windows().begin()->first);
  nextHandle = kFirstWindowHandle;
}

}  // namespace platform
