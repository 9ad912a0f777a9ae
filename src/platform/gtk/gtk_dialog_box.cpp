// Modal dialogs with GTK 3 on X11: the toolkit started once per process,
// the owner found among the windows of other programs, and the dialog run.
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include "platform/gtk/gtk_dialog_view.h"

namespace platform {
namespace {

// GDK installs an X error handler for its own connection that also takes
// the errors of every other connection of the process (the X11 backend's)
// and drops them. Errors on other connections go on to the handler that was
// there before GDK's.
XErrorHandler handlerBeforeGdk = nullptr;
XErrorHandler gdkHandler = nullptr;
Display* gdkConnection = nullptr;

int routeError(Display* display, XErrorEvent* error) {
  XErrorHandler handler = display == gdkConnection ? gdkHandler : handlerBeforeGdk;
  return handler ? handler(display, error) : 0;
}

bool startGtk() {
  static const bool started = [] {
    gdk_set_allowed_backends("x11");  // owners are X windows
    handlerBeforeGdk = XSetErrorHandler(nullptr);
    XSetErrorHandler(handlerBeforeGdk);
    if (!gtk_init_check(nullptr, nullptr)) return false;
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
    gdkConnection = GDK_DISPLAY_XDISPLAY(display);
    gdkHandler = XSetErrorHandler(routeError);
    return true;
  }();
  return started;
}

}  // namespace

int dialogBox(const DialogTemplate& resource, std::uint64_t ownerNativeWindow, DialogProcedure procedure) {
  if (!procedure || !startGtk()) return -1;
  // An owner that does not exist (any more) leaves the dialog without one.
  GdkWindow* owner = ownerNativeWindow ? gdk_x11_window_foreign_new_for_display(
                                             gdk_display_get_default(), static_cast<::Window>(ownerNativeWindow))
                                       : nullptr;
  gtk::GtkDialogView view(resource, procedure);
  const int result = view.run(nullptr, owner);
  if (owner) g_object_unref(owner);
  return result;
}

}  // namespace platform
