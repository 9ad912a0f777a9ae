// The dialog templates of the configuration dialog and the About box.
#include "shell/config_dialog_resources.h"

using platform::ControlKind;
using platform::DialogControl;
using platform::kStaticControl;

namespace {

DialogControl control(int id, ControlKind kind, const char* text, int x, int y, int width, int height) {
  DialogControl c;
  c.id = id;
  c.kind = kind;
  c.text = text;
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  return c;
}

DialogControl firstOfGroup(DialogControl c) {
  c.startsGroup = true;
  return c;
}

DialogControl withTicks(DialogControl c) {
  c.autoTicks = true;
  return c;
}

}  // namespace

platform::DialogTemplate configDialogResource(const std::string& picturePath) {
  using namespace config_control;
  platform::DialogTemplate dialog;
  dialog.caption = "Vantorel Configuration";
  dialog.fontName = "MS Sans Serif";
  dialog.fontPoints = 8;
  dialog.width = 397;
  dialog.height = 238;
  dialog.controls = {
      control(Ok, ControlKind::DefaultPushButton, "OK", 244, 221, 65, 14),
      control(Cancel, ControlKind::PushButton, "Cancel", 319, 221, 65, 14),
      control(kStaticControl, ControlKind::GroupBox, "Video Mode", 6, 2, 93, 61),
      control(ModeList, ControlKind::DropDownList, "", 12, 16, 82, 70),
      control(UseDesktop, ControlKind::CheckBox, "Use Desktop Settings", 12, 36, 81, 9),
      control(VSync, ControlKind::CheckBox, "VSync", 12, 48, 81, 9),
      control(kStaticControl, ControlKind::GroupBox, "Options", 105, 2, 102, 61),
      control(RandomOrder, ControlKind::CheckBox, "Random planet order", 111, 14, 82, 10),
      control(ShowFps, ControlKind::CheckBox, "Show FPS", 111, 25, 48, 9),
      control(MouseExit, ControlKind::CheckBox, "Exit on Mouse move", 111, 37, 78, 9),
      control(ShowTime, ControlKind::CheckBox, "Show Time", 111, 48, 51, 9),
      control(kStaticControl, ControlKind::GroupBox, "Graphics Detail", 6, 64, 93, 53),
      withTicks(control(Detail, ControlKind::Trackbar, "", 12, 79, 78, 18)),
      control(kStaticControl, ControlKind::Label, "Low", 14, 97, 14, 8),
      control(kStaticControl, ControlKind::Label, "Medium", 38, 97, 26, 8),
      control(kStaticControl, ControlKind::Label, "High", 74, 97, 16, 8),
      control(kStaticControl, ControlKind::GroupBox, "Format Settings", 105, 64, 102, 53),
      control(kStaticControl, ControlKind::Label, "Time format:", 110, 73, 46, 8),
      firstOfGroup(control(Hours12, ControlKind::RadioButton, "12 hrs", 128, 83, 35, 10)),
      control(Hours24, ControlKind::RadioButton, "24 hrs", 167, 83, 35, 10),
      control(kStaticControl, ControlKind::Label, "Information format", 110, 94, 70, 8),
      firstOfGroup(control(English, ControlKind::RadioButton, "English", 128, 104, 37, 10)),
      control(Metric, ControlKind::RadioButton, "Metric", 167, 104, 35, 10),
      control(kStaticControl, ControlKind::Picture, picturePath.c_str(), 213, 5, 177, 103),
      control(kStaticControl, ControlKind::GroupBox, "Gamma Control", 6, 118, 201, 43),
      control(BrightnessLabel, ControlKind::Label, "Brightness 100%", 12, 129, 57, 8),
      control(Brightness, ControlKind::Trackbar, "", 72, 129, 128, 12),
      control(DefaultGamma, ControlKind::CheckBox, "Use default gamma", 12, 143, 96, 10),
      control(kStaticControl, ControlKind::GroupBox, "Sounds", 213, 118, 177, 43),
      control(VolumeLabel, ControlKind::Label, "Volume (100%)", 220, 129, 50, 8),
      control(Volume, ControlKind::Trackbar, "", 273, 129, 113, 12),
      control(EnableMusic, ControlKind::CheckBox, "Enable Music", 220, 144, 85, 10),
      control(kStaticControl, ControlKind::GroupBox, "Products", 6, 163, 385, 25),
      control(ProductsLabel, ControlKind::Label, "", 12, 174, 162, 8),
      control(Visit, ControlKind::PushButton, "Visit...", 244, 171, 65, 12),
      control(About, ControlKind::PushButton, "About...", 319, 171, 65, 12),
      control(RestoreDefaults, ControlKind::PushButton, "Restore Defaults", 6, 221, 75, 14),
  };
  return dialog;
}

platform::DialogTemplate aboutBoxResource() {
  platform::DialogTemplate dialog;
  dialog.caption = "About Vantorel";
  dialog.fontName = "MS Sans Serif";
  dialog.fontPoints = 8;
  dialog.width = 200;
  dialog.height = 108;
  dialog.controls = {
      control(kStaticControl, ControlKind::GroupBox, "", 7, 4, 186, 76),
      control(kStaticControl, ControlKind::CentredLabel,
              "Vantorel\n\nA real-time journey through the solar system:\nthe sun, the planets and their moons\n"
              "and the asteroid belt.\n\nMade with OpenGL, freely shared.",
              14, 13, 172, 62),
      control(platform::IDOK, ControlKind::DefaultPushButton, "OK", 75, 87, 50, 14),
  };
  return dialog;
}
