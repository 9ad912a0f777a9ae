// How a dialog template looks in GTK: dialog units in pixels, and a style
// that gives GTK's widgets the template's font and the compact size of
// dialog controls.
#pragma once

#include <gtk/gtk.h>

#include "platform/dialog_view.h"

namespace platform::gtk {

// An 8-point font's dialog unit: a quarter of its average character width
// across, an eighth of its height down.
constexpr double kPixelsPerUnitAcross = 1.75;
constexpr double kPixelsPerUnitDown = 1.875;

int pixelsAcross(int units);
int pixelsDown(int units);

// The CSS class that styleDialog gives the window.
constexpr char kDialogStyleClass[] = "vantorel-dialog";
void styleDialog(GtkWidget* window, const DialogTemplate& resource);

}  // namespace platform::gtk
