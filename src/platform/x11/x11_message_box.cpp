// The modal message box: a small X window with the text, the caption as its
// title and an OK button. It closes on a click on OK, Return, Escape or the
// window manager's close. Over the saver's full-screen window it stays on top
// and takes the keyboard grab for as long as it is open.
#include "platform/x11/x11_message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/x11/x11_backend.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_restore.h"

namespace platform::x11 {
namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kMinimumWidth = 220;
constexpr char kButtonLabel[] = "OK";

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

int textWidth(XFontStruct* font, const std::string& text) {
  return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

class MessageBoxWindow {
 public:
  MessageBoxWindow(Display* display, int screen, const Atoms& atoms, const std::string& text,
                   const std::string& caption, Rect monitor, bool overSaver);
  ~MessageBoxWindow();
  MessageBoxWindow(const MessageBoxWindow&) = delete;
  MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;

  ::Window id() const { return id_; }
  // One event of the box; true when it closes the box.
  bool handle(XEvent& event);

 private:
  void draw();

  Display* display_;
  Atoms atoms_;
  std::vector<std::string> lines_;
  XFontStruct* font_ = nullptr;
  bool fontLoaded_ = false;  // loaded by name (freed with XFreeFont), else queried
  GC gc_ = nullptr;
  ::Window id_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool destroyed_ = false;
};

MessageBoxWindow::MessageBoxWindow(Display* display, int screen, const Atoms& atoms, const std::string& text,
                                   const std::string& caption, Rect monitor, bool overSaver)
    : display_(display), atoms_(atoms), lines_(splitLines(text)) {
  font_ = XLoadQueryFont(display_, "fixed");
  fontLoaded_ = font_ != nullptr;
  if (!font_) font_ = XQueryFont(display_, XGContextFromGC(DefaultGC(display_, screen)));
  if (!font_) return;

  int lineHeight = font_->ascent + font_->descent;
  int widest = kButtonWidth;
  for (const std::string& line : lines_) widest = std::max(widest, textWidth(font_, line));
  width_ = std::clamp(widest + 2 * kMargin, kMinimumWidth, std::max(kMinimumWidth, monitor.width()));
  height_ = std::min(kMargin + static_cast<int>(lines_.size()) * lineHeight + kMargin + kButtonHeight + kMargin,
                     std::max(kButtonHeight + 2 * kMargin, monitor.height()));
  int x = monitor.left + (monitor.width() - width_) / 2;
  int y = monitor.top + (monitor.height() - height_) / 2;

  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display_, screen);
  attributes.border_pixel = BlackPixel(display_, screen);
  attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask;
  // Over the saver's override-redirect window no window manager could keep
  // the box on top; it places itself.
  attributes.override_redirect = overSaver ? True : False;
  ErrorTrap trap(display_);
  id_ = XCreateWindow(display_, RootWindow(display_, screen), x, y, static_cast<unsigned>(width_),
                      static_cast<unsigned>(height_), 1, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWBorderPixel | CWEventMask | CWOverrideRedirect, &attributes);
  if (trap.failed()) {
    id_ = 0;
    return;
  }

  XStoreName(display_, id_, caption.c_str());
  XChangeProperty(display_, id_, atoms_.netWmName, atoms_.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption.data()), static_cast<int>(caption.size()));
  XChangeProperty(display_, id_, atoms_.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&atoms_.netWmWindowTypeDialog), 1);
  XSetWMProtocols(display_, id_, &atoms_.wmDeleteWindow, 1);
  XSizeHints hints{};
  hints.flags = PPosition | PSize | PMinSize | PMaxSize;
  hints.x = x;
  hints.y = y;
  hints.width = hints.min_width = hints.max_width = width_;
  hints.height = hints.min_height = hints.max_height = height_;
  XSetWMNormalHints(display_, id_, &hints);

  XGCValues values{};
  values.foreground = BlackPixel(display_, screen);
  values.background = WhitePixel(display_, screen);
  values.font = font_->fid;
  gc_ = XCreateGC(display_, id_, GCForeground | GCBackground | GCFont, &values);
}

MessageBoxWindow::~MessageBoxWindow() {
  if (gc_) XFreeGC(display_, gc_);
  if (id_ && !destroyed_) XDestroyWindow(display_, id_);
  if (font_) {
    if (fontLoaded_)
      XFreeFont(display_, font_);
    else
      XFreeFontInfo(nullptr, font_, 1);
  }
  XFlush(display_);
}

void MessageBoxWindow::draw() {
  XClearWindow(display_, id_);
  int lineHeight = font_->ascent + font_->descent;
  int baseline = kMargin + font_->ascent;
  for (const std::string& line : lines_) {
    XDrawString(display_, id_, gc_, kMargin, baseline, line.data(), static_cast<int>(line.size()));
    baseline += lineHeight;
  }
  Rect button = messageBoxButton(width_, height_);
  XDrawRectangle(display_, id_, gc_, button.left, button.top, static_cast<unsigned>(button.width() - 1),
                 static_cast<unsigned>(button.height() - 1));
  int labelLength = static_cast<int>(sizeof kButtonLabel - 1);
  int labelX = button.left + (button.width() - XTextWidth(font_, kButtonLabel, labelLength)) / 2;
  int labelY = button.top + (button.height() + font_->ascent - font_->descent) / 2;
  XDrawString(display_, id_, gc_, labelX, labelY, kButtonLabel, labelLength);
}

bool MessageBoxWindow::handle(XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) draw();
      return false;
    case MapNotify: {
      ErrorTrap trap(display_);
      XSetInputFocus(display_, id_, RevertToParent, CurrentTime);
      return false;
    }
    case KeyPress: {
      KeySym key = XLookupKeysym(&event.xkey, 0);
      return key == XK_Return || key == XK_KP_Enter || key == XK_Escape;
    }
    case ButtonPress: {
      Rect button = messageBoxButton(width_, height_);
      return event.xbutton.button == Button1 && event.xbutton.x >= button.left && event.xbutton.x < button.right &&
             event.xbutton.y >= button.top && event.xbutton.y < button.bottom;
    }
    case ClientMessage:
      return event.xclient.message_type == atoms_.wmProtocols && event.xclient.format == 32 &&
             static_cast<Atom>(event.xclient.data.l[0]) == atoms_.wmDeleteWindow;
    case DestroyNotify:
      destroyed_ = true;
      return true;
    default:
      return false;
  }
}

}  // namespace

Rect messageBoxButton(int boxWidth, int boxHeight) {
  int left = (boxWidth - kButtonWidth) / 2;
  int top = boxHeight - kMargin - kButtonHeight;
  return Rect{left, top, left + kButtonWidth, top + kButtonHeight};
}

void X11Backend::messageBox(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());

  Rect monitor{0, 0, DisplayWidth(connection_, screen_), DisplayHeight(connection_, screen_)};
  for (const DisplayAdapter& adapter : display_.adapters())
    if (adapter.primary && adapter.attachedToDesktop) monitor = adapter.rect;

  ::Window saverWindow = grabWindow_;
  MessageBoxWindow box(connection_, screen_, atoms_, text, caption, monitor, saverWindow != 0);
  if (!box.id()) return;
  XMapRaised(connection_, box.id());
  XSync(connection_, False);
  if (saverWindow) XGrabKeyboard(connection_, box.id(), False, GrabModeAsync, GrabModeAsync, CurrentTime);

  // Events of the other windows still become messages; they wait in the
  // queue until the box is gone. A termination signal closes the box too.
  bool closed = false;
  while (!closed && !terminationPending()) {
    while (!closed && XPending(connection_) > 0) {
      XEvent event;
      XNextEvent(connection_, &event);
      if (event.xany.window == box.id())
        closed = box.handle(event);
      else
        translate(event);
    }
    if (!closed && !terminationPending()) waitForInput();
  }

  if (saverWindow && grabWindow_ == saverWindow)
    XGrabKeyboard(connection_, saverWindow, False, GrabModeAsync, GrabModeAsync, CurrentTime);
}

}  // namespace platform::x11
