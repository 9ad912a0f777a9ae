// The portable per-thread message queue, send and dispatch.
#include <deque>

#include "platform/backend.h"

namespace platform {
namespace {

std::deque<Message>& queue() {
  static std::deque<Message> q;
  return q;
}

bool popQueued(Message& out) {
  if (queue().empty()) return false;
  out = queue().front();
  queue().pop_front();
  return true;
}

}  // namespace

void postMessage(WindowHandle window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  queue().push_back(Message{window, message, wParam, lParam});
}

void postQuitMessage(int exitCode) {
  postMessage(0, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

void clearMessageQueue() { queue().clear(); }

bool peekMessage(Message& out) {
  if (popQueued(out)) return true;
  if (Backend* b = backend()) b->pumpEvents(false);
  return popQueued(out);
}

bool getMessage(Message& out) {
  while (!popQueued(out)) {
    Backend* b = backend();
    if (!b) return false;
    b->pumpEvents(true);
  }
  return out.message != WM_QUIT;
}

void translateMessage(const Message&) {
  // Key messages arrive already translated to virtual-key codes; the saver
  // uses no character messages.
}

LRESULT dispatchMessage(const Message& message) {
  if (message.window == 0) return 0;
  return sendMessage(message.window, message.message, message.wParam, message.lParam);
}

LRESULT sendMessage(WindowHandle handle, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  Window* window = findWindow(handle);
  if (!window) return 0;
  if (!window->procedure) return defWindowProc(handle, message, wParam, lParam);
  return window->procedure(handle, message, wParam, lParam);
}

LRESULT defWindowProc(WindowHandle handle, std::uint32_t message, WPARAM, LPARAM) {
  // As on Windows, closing a window by default destroys it.
  if (message == WM_CLOSE) destroyWindow(handle);
  return 0;
}

}  // namespace platform
