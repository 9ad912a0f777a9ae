// The GTK dialog view: widgets from the template, the procedure's calls on
// them, and the widgets' signals as WM_COMMAND and WM_HSCROLL.
#include "platform/gtk/gtk_dialog_view.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <cmath>

#include "platform/gtk/gtk_dialog_style.h"

namespace platform::gtk {
namespace {

// A drop-down list is as high as its closed box; the template's height is
// that of the box with its list open.
constexpr int kClosedListUnits = 13;

bool isButton(ControlKind kind) {
  return kind == ControlKind::DefaultPushButton || kind == ControlKind::PushButton ||
         kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

int scrollCodeOf(GtkScrollType scroll) {
  switch (scroll) {
    case GTK_SCROLL_JUMP:
      return TB_THUMBTRACK;
    case GTK_SCROLL_STEP_BACKWARD:
    case GTK_SCROLL_STEP_LEFT:
    case GTK_SCROLL_STEP_UP:
      return TB_LINEUP;
    case GTK_SCROLL_STEP_FORWARD:
    case GTK_SCROLL_STEP_RIGHT:
    case GTK_SCROLL_STEP_DOWN:
      return TB_LINEDOWN;
    case GTK_SCROLL_PAGE_BACKWARD:
    case GTK_SCROLL_PAGE_LEFT:
    case GTK_SCROLL_PAGE_UP:
      return TB_PAGEUP;
    case GTK_SCROLL_PAGE_FORWARD:
    case GTK_SCROLL_PAGE_RIGHT:
    case GTK_SCROLL_PAGE_DOWN:
      return TB_PAGEDOWN;
    case GTK_SCROLL_START:
      return TB_TOP;
    case GTK_SCROLL_END:
      return TB_BOTTOM;
    default:
      return TB_ENDTRACK;
  }
}

GtkWidget* makeLabel(const DialogControl& spec) {
  GtkWidget* label = gtk_label_new(spec.text.c_str());
  const bool centred = spec.kind == ControlKind::CentredLabel;
  gtk_label_set_justify(GTK_LABEL(label), centred ? GTK_JUSTIFY_CENTER : GTK_JUSTIFY_LEFT);
  gtk_label_set_xalign(GTK_LABEL(label), centred ? 0.5f : 0.0f);
  gtk_label_set_yalign(GTK_LABEL(label), centred ? 0.5f : 0.0f);
  gtk_label_set_line_wrap(GTK_LABEL(label), centred);
  return label;
}

// The picture scaled to cover width x height, and the middle of it cut out.
GdkPixbuf* coveringPicture(GdkPixbuf* picture, int width, int height) {
  const int pictureWidth = gdk_pixbuf_get_width(picture), pictureHeight = gdk_pixbuf_get_height(picture);
  const double scale = std::max(double(width) / pictureWidth, double(height) / pictureHeight);
  const int scaledWidth = std::max(width, int(std::ceil(pictureWidth * scale)));
  const int scaledHeight = std::max(height, int(std::ceil(pictureHeight * scale)));
  GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, scaledWidth, scaledHeight, GDK_INTERP_BILINEAR);
  if (!scaled) return nullptr;
  GdkPixbuf* middle = gdk_pixbuf_new_subpixbuf(scaled, (scaledWidth - width) / 2, (scaledHeight - height) / 2,
                                               width, height);
  g_object_unref(scaled);  // the cut-out keeps what it needs
  return middle;
}

// A sunken frame filled with the picture; one that cannot be read leaves it
// empty.
GtkWidget* makePicture(const DialogControl& spec, int width, int height) {
  constexpr int kFrameBorder = 1;
  GtkWidget* frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
  GdkPixbuf* picture = gdk_pixbuf_new_from_file(spec.text.c_str(), nullptr);
  const int innerWidth = width - 2 * kFrameBorder, innerHeight = height - 2 * kFrameBorder;
  if (picture && innerWidth > 0 && innerHeight > 0) {
    if (GdkPixbuf* shown = coveringPicture(picture, innerWidth, innerHeight)) {
      gtk_container_add(GTK_CONTAINER(frame), gtk_image_new_from_pixbuf(shown));
      g_object_unref(shown);
    }
  }
  if (picture) g_object_unref(picture);
  return frame;
}

GtkWidget* makeTrackbar() {
  GtkWidget* scale = gtk_scale_new(GTK_ORIENTATION_HORIZONTAL, gtk_adjustment_new(0, 0, 100, 1, 20, 0));
  gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
  gtk_range_set_round_digits(GTK_RANGE(scale), 0);
  return scale;
}

}  // namespace

GtkDialogView::GtkDialogView(const DialogTemplate& resource, DialogProcedure procedure)
    : resource_(resource), procedure_(procedure) {}

GtkDialogView::~GtkDialogView() {
  if (window_) gtk_widget_destroy(window_);
}

// ---- Building -----------------------------------------------------------------

GtkWidget* GtkDialogView::makeWidget(const DialogControl& spec, int width, int height, GSList*& radioGroup) {
  if (spec.kind != ControlKind::RadioButton || spec.startsGroup) radioGroup = nullptr;
  switch (spec.kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
      return gtk_button_new_with_label(spec.text.c_str());
    case ControlKind::GroupBox:
      return gtk_frame_new(spec.text.empty() ? nullptr : spec.text.c_str());
    case ControlKind::DropDownList:
      return gtk_combo_box_text_new();
    case ControlKind::CheckBox:
      return gtk_check_button_new_with_label(spec.text.c_str());
    case ControlKind::RadioButton: {
      GtkWidget* radio = gtk_radio_button_new_with_label(radioGroup, spec.text.c_str());
      radioGroup = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio));
      return radio;
    }
    case ControlKind::Trackbar:
      return makeTrackbar();
    case ControlKind::Picture:
      return makePicture(spec, width, height);
    case ControlKind::Label:
    case ControlKind::CentredLabel:
      return makeLabel(spec);
  }
  return gtk_label_new(nullptr);
}

void GtkDialogView::build() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), resource_.caption.c_str());
  gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
  styleDialog(window_, resource_);

  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(fixed, pixelsAcross(resource_.width), pixelsDown(resource_.height));
  gtk_container_add(GTK_CONTAINER(window_), fixed);

  GSList* radioGroup = nullptr;
  for (const DialogControl& spec : resource_.controls) {
    auto control = std::make_unique<Control>();
    control->view = this;
    control->spec = &spec;
    // Edges are converted rather than sizes, so that controls that meet in
    // dialog units meet in pixels too.
    const int left = pixelsAcross(spec.x), top = pixelsDown(spec.y);
    const int heightUnits =
        spec.kind == ControlKind::DropDownList ? std::min(spec.height, kClosedListUnits) : spec.height;
    const int width = pixelsAcross(spec.x + spec.width) - left, height = pixelsDown(spec.y + heightUnits) - top;
    control->widget = makeWidget(spec, width, height, radioGroup);
    gtk_widget_set_size_request(control->widget, width, height);
    gtk_fixed_put(GTK_FIXED(fixed), control->widget, left, top);
    if (spec.kind == ControlKind::DefaultPushButton) {
      gtk_widget_set_can_default(control->widget, TRUE);
      gtk_window_set_default(GTK_WINDOW(window_), control->widget);
    }
    connectSignals(*control);
    controls_.push_back(std::move(control));
  }

  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
  gtk_widget_show_all(fixed);
}

void GtkDialogView::connectSignals(Control& control) {
  if (isButton(control.spec->kind))
    g_signal_connect(control.widget, "clicked", G_CALLBACK(onClicked), &control);
  else if (control.spec->kind == ControlKind::Trackbar)
    g_signal_connect(control.widget, "change-value", G_CALLBACK(onChangeValue), &control);
}

// ---- Running ------------------------------------------------------------------

int GtkDialogView::run(GtkWindow* ownerDialog, GdkWindow* foreignOwner) {
  build();
  if (ownerDialog) {
    gtk_window_set_transient_for(GTK_WINDOW(window_), ownerDialog);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER_ON_PARENT);
  } else {
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  }
  gtk_widget_realize(window_);
  if (foreignOwner) gdk_window_set_transient_for(gtk_widget_get_window(window_), foreignOwner);

  // As on Windows, the dialog is filled in before it appears.
  send(WM_INITDIALOG, 0, 0);
  if (!ended_) {
    gtk_widget_show(window_);
    loop_ = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop_);
    g_main_loop_unref(loop_);
    loop_ = nullptr;
  }
  gtk_widget_destroy(window_);
  window_ = nullptr;
  controls_.clear();
  return result_;
}

void GtkDialogView::send(std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  ++sending_;
  procedure_(*this, message, wParam, lParam);
  --sending_;
}

void GtkDialogView::endDialog(int result) {
  ended_ = true;
  result_ = result;
  if (loop_) g_main_loop_quit(loop_);
}

int GtkDialogView::dialogBox(const DialogTemplate& resource, DialogProcedure procedure) {
  GtkDialogView child(resource, procedure);
  return child.run(GTK_WINDOW(window_), nullptr);
}

// ---- Signals ------------------------------------------------------------------

void GtkDialogView::onClicked(GtkButton*, gpointer data) {
  Control& control = *static_cast<Control*>(data);
  if (control.view->sending_ || control.spec->id == kStaticControl) return;
  control.view->send(WM_COMMAND, static_cast<WPARAM>(control.spec->id & 0xFFFF), control.spec->id);
}

gboolean GtkDialogView::onChangeValue(GtkRange* range, GtkScrollType scroll, gdouble value, gpointer data) {
  Control& control = *static_cast<Control*>(data);
  if (control.view->sending_) return FALSE;
  // The trackbar moves first, then its owner hears of it, as on Windows.
  GtkAdjustment* adjustment = gtk_range_get_adjustment(range);
  const double position = std::clamp(std::round(value), gtk_adjustment_get_lower(adjustment),
                                     gtk_adjustment_get_upper(adjustment));
  gtk_range_set_value(range, position);
  control.view->send(WM_HSCROLL, static_cast<WPARAM>(scrollCodeOf(scroll)), control.spec->id);
  return TRUE;
}

gboolean GtkDialogView::onKeyPress(GtkWidget* window, GdkEventKey* event, gpointer data) {
  auto& view = *static_cast<GtkDialogView*>(data);
  if (event->keyval == GDK_KEY_Escape) {
    view.send(WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) {
    // A focused push button takes Return itself; anywhere else it means OK.
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
    if (focus && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus)) return FALSE;
    view.send(WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  return FALSE;
}

gboolean GtkDialogView::onDelete(GtkWidget*, GdkEvent*, gpointer data) {
  // The close box is Cancel; the window goes only when the procedure ends it.
  static_cast<GtkDialogView*>(data)->send(WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// ---- The procedure's calls ----------------------------------------------------

GtkDialogView::Control* GtkDialogView::findAny(int id) const {
  if (id == kStaticControl) return nullptr;
  for (const auto& control : controls_)
    if (control->spec->id == id) return control.get();
  return nullptr;
}

GtkDialogView::Control* GtkDialogView::find(int id, ControlKind kind) const {
  Control* control = findAny(id);
  return control && control->spec->kind == kind ? control : nullptr;
}

void GtkDialogView::addListString(int id, const std::string& text) {
  if (Control* list = find(id, ControlKind::DropDownList)) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list->widget), text.c_str());
    list->strings.push_back(text);
  }
}

int GtkDialogView::listCount(int id) const {
  Control* list = find(id, ControlKind::DropDownList);
  return list ? static_cast<int>(list->strings.size()) : 0;
}

std::string GtkDialogView::listString(int id, int index) const {
  Control* list = find(id, ControlKind::DropDownList);
  if (!list || index < 0 || index >= static_cast<int>(list->strings.size())) return {};
  return list->strings[static_cast<std::size_t>(index)];
}

void GtkDialogView::setListSelection(int id, int index) {
  Control* list = find(id, ControlKind::DropDownList);
  if (!list || index >= static_cast<int>(list->strings.size())) return;
  gtk_combo_box_set_active(GTK_COMBO_BOX(list->widget), index < 0 ? -1 : index);
}

int GtkDialogView::listSelection(int id) const {
  Control* list = find(id, ControlKind::DropDownList);
  return list ? gtk_combo_box_get_active(GTK_COMBO_BOX(list->widget)) : -1;
}

void GtkDialogView::setChecked(int id, bool checked) {
  Control* box = findAny(id);
  if (box && (box->spec->kind == ControlKind::CheckBox || box->spec->kind == ControlKind::RadioButton))
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box->widget), checked);
}

bool GtkDialogView::isChecked(int id) const {
  Control* box = findAny(id);
  return box && (box->spec->kind == ControlKind::CheckBox || box->spec->kind == ControlKind::RadioButton) &&
         gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(box->widget));
}

void GtkDialogView::setText(int id, const std::string& text) {
  Control* control = findAny(id);
  if (!control) return;
  switch (control->spec->kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel:
      gtk_label_set_text(GTK_LABEL(control->widget), text.c_str());
      break;
    case ControlKind::GroupBox:
      gtk_frame_set_label(GTK_FRAME(control->widget), text.c_str());
      break;
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      gtk_button_set_label(GTK_BUTTON(control->widget), text.c_str());
      break;
    default:
      break;
  }
}

void GtkDialogView::enable(int id, bool enabled) {
  if (Control* control = findAny(id)) gtk_widget_set_sensitive(control->widget, enabled);
}

void GtkDialogView::setTrackbarRange(int id, int low, int high) {
  Control* trackbar = find(id, ControlKind::Trackbar);
  if (!trackbar || high < low) return;
  GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(trackbar->widget));
  // A page is a fifth of the range, as a trackbar's is by default.
  const double page = std::max(1, (high - low) / 5);
  gtk_adjustment_configure(adjustment, std::clamp(gtk_adjustment_get_value(adjustment), double(low), double(high)),
                           low, high, 1, page, 0);
  if (trackbar->spec->autoTicks) {
    gtk_scale_clear_marks(GTK_SCALE(trackbar->widget));
    for (int position = low; position <= high; ++position)
      gtk_scale_add_mark(GTK_SCALE(trackbar->widget), position, GTK_POS_BOTTOM, nullptr);
  }
}

void GtkDialogView::setTrackbarPosition(int id, int position) {
  if (Control* trackbar = find(id, ControlKind::Trackbar)) gtk_range_set_value(GTK_RANGE(trackbar->widget), position);
}

int GtkDialogView::trackbarPosition(int id) const {
  Control* trackbar = find(id, ControlKind::Trackbar);
  return trackbar ? static_cast<int>(std::lround(gtk_range_get_value(GTK_RANGE(trackbar->widget)))) : 0;
}

}  // namespace platform::gtk
