// Dialog units to pixels and the dialogs' style sheet.
#include "platform/gtk/gtk_dialog_style.h"

#include <cmath>
#include <set>
#include <string>

namespace platform::gtk {

int pixelsAcross(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitAcross)); }
int pixelsDown(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitDown)); }

void styleDialog(GtkWidget* window, const DialogTemplate& resource) {
  // The template's face first; metric-compatible and generic faces after it
  // for systems without it.
  const std::string scope = std::string("window.") + kDialogStyleClass;
  const std::string css =
      scope + ", " + scope + " * { font-family: \"" + resource.fontName + "\", \"Liberation Sans\", Arial, sans-serif; " +
      "font-size: " + std::to_string(resource.fontPoints) + "pt; }\n" +
      scope + " button { padding: 0 4px; min-height: 0; min-width: 0; }\n" +
      scope + " checkbutton, " + scope + " radiobutton { padding: 0; min-height: 0; }\n" +
      scope + " check, " + scope + " radio { min-width: 11px; min-height: 11px; margin: 0 4px 0 0; padding: 0; }\n" +
      scope + " combobox button { padding: 0 4px; min-height: 0; }\n" +
      scope + " scale { padding: 2px 6px; min-height: 0; }\n" +
      scope + " scale slider { min-width: 11px; min-height: 15px; margin: -7px 0; }\n" +
      scope + " scale marks indicator { min-height: 4px; }\n" +
      scope + " frame > border { border-radius: 0; }\n";
  // A style sheet serves every later dialog with the same font as well.
  static std::set<std::string> installed;
  if (installed.insert(css).second) {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
  }
  gtk_style_context_add_class(gtk_widget_get_style_context(window), kDialogStyleClass);
}

}  // namespace platform::gtk
