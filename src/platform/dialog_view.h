// Modal dialogs in the shape of Win32 dialog resources: a template of
// controls laid out in dialog units, a dialog procedure that gets
// WM_INITDIALOG, WM_COMMAND and WM_HSCROLL, and a view that the procedure
// reads and changes only through control ids.
//
// The procedure's behaviour is portable; the view is the toolkit's (GTK on
// Linux, src/platform/gtk/). A view sends WM_COMMAND with the control id in
// the low word of wParam (and as lParam) when a button, check box or radio
// button is clicked, IDCANCEL when the dialog is closed or Escape is pressed,
// IDOK when Return is pressed outside a push button; and WM_HSCROLL with a
// trackbar scroll code in the low word of wParam and the trackbar's id as
// lParam after a trackbar moved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// The id of controls that send nothing and are never addressed (IDC_STATIC).
constexpr int kStaticControl = -1;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Trackbar scroll codes (the low word of WM_HSCROLL's wParam).
enum TrackbarScroll : int {
  TB_LINEUP = 0,     // arrow left or up
  TB_LINEDOWN = 1,   // arrow right or down
  TB_PAGEUP = 2,     // Page Up, or a click on the low side of the thumb
  TB_PAGEDOWN = 3,   // Page Down, or a click on the high side of the thumb
  TB_THUMBPOSITION = 4,
  TB_THUMBTRACK = 5,  // the thumb dragged (or put where the mouse went)
  TB_TOP = 6,         // Home
  TB_BOTTOM = 7,      // End
  TB_ENDTRACK = 8,    // the key or the mouse button let go
};

enum class ControlKind {
  DefaultPushButton,
  PushButton,
  GroupBox,
  DropDownList,  // not sorted, with a vertical scroll bar
  CheckBox,      // automatic: a click toggles it
  RadioButton,   // automatic within its group
  Trackbar,
  Label,         // left-aligned text
  CentredLabel,
  Picture,       // a PNG picture in a sunken frame
};

struct DialogControl {
  int id = kStaticControl;
  ControlKind kind = ControlKind::Label;
  std::string text;  // Picture: the path of the PNG file
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  bool startsGroup = false;  // a radio button that begins a new group
  bool autoTicks = false;    // a trackbar with a tick at every position
};

struct DialogTemplate {
  std::string caption;
  std::string fontName;
  int fontPoints = 8;
  int width = 0, height = 0;  // dialog units
  std::vector<DialogControl> controls;
};

class DialogView;
// True for every message the procedure handles.
using DialogProcedure = bool (*)(DialogView& dialog, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// The open dialog as its procedure sees it. Calls naming an id the dialog
// lacks, or a control of another kind, do nothing and read as empty.
class DialogView {
 public:
  virtual ~DialogView() = default;

  // Drop-down lists: strings in the order added; the selection is an index
  // into them, -1 when nothing is selected.
  virtual void addListString(int id, const std::string& text) = 0;
  virtual int listCount(int id) const = 0;
  virtual std::string listString(int id, int index) const = 0;
  virtual void setListSelection(int id, int index) = 0;
  virtual int listSelection(int id) const = 0;

  // Check boxes and radio buttons.
  virtual void setChecked(int id, bool checked) = 0;
  virtual bool isChecked(int id) const = 0;

  // Any control.
  virtual void setText(int id, const std::string& text) = 0;
  virtual void enable(int id, bool enabled) = 0;

  // Trackbars.
  virtual void setTrackbarRange(int id, int low, int high) = 0;
  virtual void setTrackbarPosition(int id, int position) = 0;
  virtual int trackbarPosition(int id) const = 0;

  // Closes the dialog once its procedure returns; dialogBox then returns result.
  virtual void endDialog(int result) = 0;
  // Runs another dialog modally, owned by this one.
  virtual int dialogBox(const DialogTemplate& resource, DialogProcedure procedure) = 0;
};

// Runs the dialog modally, owned by a native window of any program (0: no
// owner), and returns the result given to endDialog; -1 when no dialog can
// be shown here (no display, no toolkit).
int dialogBox(const DialogTemplate& resource, std::uint64_t ownerNativeWindow, DialogProcedure procedure);

}  // namespace platform
