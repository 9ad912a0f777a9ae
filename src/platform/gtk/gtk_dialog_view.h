// A dialog template shown as a GTK 3 window: every control is a widget at
// its place in dialog units converted to pixels, and the widgets' signals
// become the messages of the dialog procedure (see dialog_view.h).
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <vector>

#include "platform/dialog_view.h"

namespace platform::gtk {

class GtkDialogView final : public DialogView {
 public:
  GtkDialogView(const DialogTemplate& resource, DialogProcedure procedure);
  ~GtkDialogView() override;
  GtkDialogView(const GtkDialogView&) = delete;
  GtkDialogView& operator=(const GtkDialogView&) = delete;

  // Builds the window, sends WM_INITDIALOG, shows it and runs until the
  // procedure ends the dialog. The owner is another dialog or, when that is
  // null, a window of any program (or none).
  int run(GtkWindow* ownerDialog, GdkWindow* foreignOwner);

  void addListString(int id, const std::string& text) override;
  int listCount(int id) const override;
  std::string listString(int id, int index) const override;
  void setListSelection(int id, int index) override;
  int listSelection(int id) const override;
  void setChecked(int id, bool checked) override;
  bool isChecked(int id) const override;
  void setText(int id, const std::string& text) override;
  void enable(int id, bool enabled) override;
  void setTrackbarRange(int id, int low, int high) override;
  void setTrackbarPosition(int id, int position) override;
  int trackbarPosition(int id) const override;
  void endDialog(int result) override;
  int dialogBox(const DialogTemplate& resource, DialogProcedure procedure) override;

 private:
  struct Control {
    GtkDialogView* view = nullptr;
    const DialogControl* spec = nullptr;
    GtkWidget* widget = nullptr;
    std::vector<std::string> strings;  // a drop-down list's
  };

  void build();
  GtkWidget* makeWidget(const DialogControl& spec, int width, int height, GSList*& radioGroup);
  void connectSignals(Control& control);
  void send(std::uint32_t message, WPARAM wParam, LPARAM lParam);
  Control* find(int id, ControlKind kind) const;
  Control* findAny(int id) const;

  static void onClicked(GtkButton* button, gpointer control);
  static gboolean onChangeValue(GtkRange* range, GtkScrollType scroll, gdouble value, gpointer control);
  static gboolean onKeyPress(GtkWidget* window, GdkEventKey* event, gpointer view);
  static gboolean onDelete(GtkWidget* window, GdkEvent* event, gpointer view);

  const DialogTemplate& resource_;
  DialogProcedure procedure_;
  GtkWidget* window_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  GMainLoop* loop_ = nullptr;
  bool ended_ = false;
  int result_ = -1;
  // While the procedure runs, the widgets' own signals are its changes, not
  // the user's, and send nothing.
  int sending_ = 0;
};

}  // namespace platform::gtk
