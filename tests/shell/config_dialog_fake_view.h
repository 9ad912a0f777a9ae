// A dialog view without a toolkit for the dialog procedures' tests: it has
// exactly the controls of a template, keeps their state as a Win32 dialog
// would (auto check boxes toggle on a click, trackbars clamp to their range,
// calls on missing ids or on controls of another kind do nothing), and
// records what the procedure asked of it.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_view.h"

namespace dialog_test {

class FakeDialogView : public platform::DialogView {
 public:
  struct Control {
    platform::ControlKind kind = platform::ControlKind::Label;
    bool checked = false;
    bool enabled = true;
    std::string text;
    std::vector<std::string> strings;
    int selection = -1;
    int low = 0, high = 100, position = 0;
  };

  explicit FakeDialogView(const platform::DialogTemplate& resource) {
    for (const platform::DialogControl& spec : resource.controls) {
      if (spec.id == platform::kStaticControl) continue;
      Control& control = controls_[spec.id];
      control.kind = spec.kind;
      control.text = spec.text;
    }
  }

  // ---- The procedure's side ----

  void addListString(int id, const std::string& text) override {
    if (Control* list = find(id, platform::ControlKind::DropDownList)) list->strings.push_back(text);
  }
  int listCount(int id) const override {
    const Control* list = find(id, platform::ControlKind::DropDownList);
    return list ? static_cast<int>(list->strings.size()) : 0;
  }
  std::string listString(int id, int index) const override {
    const Control* list = find(id, platform::ControlKind::DropDownList);
    if (!list || index < 0 || index >= static_cast<int>(list->strings.size())) return {};
    return list->strings[static_cast<std::size_t>(index)];
  }
  void setListSelection(int id, int index) override {
    if (Control* list = find(id, platform::ControlKind::DropDownList)) list->selection = index;
  }
  int listSelection(int id) const override {
    const Control* list = find(id, platform::ControlKind::DropDownList);
    return list ? list->selection : -1;
  }
  void setChecked(int id, bool checked) override {
    if (Control* box = findBox(id)) box->checked = checked;
  }
  bool isChecked(int id) const override {
    const Control* box = findBox(id);
    return box && box->checked;
  }
  void setText(int id, const std::string& text) override {
    if (Control* control = findAny(id)) control->text = text;
  }
  void enable(int id, bool enabled) override {
    if (Control* control = findAny(id)) control->enabled = enabled;
  }
  void setTrackbarRange(int id, int low, int high) override {
    if (Control* bar = find(id, platform::ControlKind::Trackbar)) {
      bar->low = low;
      bar->high = high;
      bar->position = std::clamp(bar->position, low, high);
    }
  }
  void setTrackbarPosition(int id, int position) override {
    if (Control* bar = find(id, platform::ControlKind::Trackbar)) bar->position = std::clamp(position, bar->low, bar->high);
  }
  int trackbarPosition(int id) const override {
    const Control* bar = find(id, platform::ControlKind::Trackbar);
    return bar ? bar->position : 0;
  }
  void endDialog(int result) override { endedWith = result; }
  // Opens the child, lets it initialise and presses its OK button.
  int dialogBox(const platform::DialogTemplate& resource, platform::DialogProcedure procedure) override {
    opened.push_back(resource.caption);
    FakeDialogView child(resource);
    procedure(child, platform::WM_INITDIALOG, 0, 0);
    procedure(child, platform::WM_COMMAND, platform::IDOK, platform::IDOK);
    return child.endedWith;
  }

  // ---- The test's side ----

  const Control& control(int id) const {
    static const Control none;
    auto found = controls_.find(id);
    return found == controls_.end() ? none : found->second;
  }
  Control& control(int id) { return controls_[id]; }
  std::string selectedString(int id) const { return listString(id, listSelection(id)); }

  int endedWith = 0;                 // 0 while the dialog is open
  std::vector<std::string> opened;   // captions of the dialogs opened from this one

 private:
  static bool isBox(platform::ControlKind kind) {
    return kind == platform::ControlKind::CheckBox || kind == platform::ControlKind::RadioButton;
  }
  Control* findAny(int id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
  }
  Control* find(int id, platform::ControlKind kind) const {
    Control* control = findAny(id);
    return control && control->kind == kind ? control : nullptr;
  }
  Control* findBox(int id) const {
    Control* control = findAny(id);
    return control && isBox(control->kind) ? control : nullptr;
  }

  mutable std::map<int, Control> controls_;  // found by the const queries as well
};

}  // namespace dialog_test
