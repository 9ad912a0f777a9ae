// The configuration dialog's procedure: opening, the commands by control id,
// the trackbars, and the About box.
#include "shell/config_dialog.h"

#include <cctype>
#include <cstdio>

#include "shell/config_dialog_resources.h"
#include "shell/preview_picture.h"
#include "shell/saver_app.h"
#include "shell/settings.h"

using namespace platform;
namespace ctl = config_control;

namespace {

constexpr char kProductsText[] = "Visit our web site for more 3D screensavers";

std::vector<DisplayMode> listedModes() {
  std::vector<DisplayMode> modes;
  DisplayMode mode;
  for (int index = 0; listedDisplayMode(index, mode); ++index) modes.push_back(mode);
  return modes;
}

bool beginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

// As CB_SELECTSTRING: the first string that begins with the text; when none
// does, the selection stays as it was.
void selectListString(DialogView& dialog, int list, const std::string& text) {
  for (int index = 0; index < dialog.listCount(list); ++index) {
    if (beginsWithIgnoringCase(dialog.listString(list, index), text)) {
      dialog.setListSelection(list, index);
      return;
    }
  }
}

void selectDesktopMode(DialogView& dialog) {
  DisplayMode current;
  if (currentDisplayMode(current)) selectListString(dialog, ctl::ModeList, displayModeString(current));
}

std::string percentText(const char* format, int percent) {
  char text[64];
  std::snprintf(text, sizeof text, format, percent);
  return text;
}

void showVolume(DialogView& dialog) { dialog.setText(ctl::VolumeLabel, percentText("Volume (%d%%)", settings::Volume)); }

void showBrightness(DialogView& dialog) {
  dialog.setText(ctl::BrightnessLabel, percentText("Brightness (%d%%)", settings::Gamma + 50));
}

void enableVolume(DialogView& dialog, bool enabled) {
  dialog.enable(ctl::Volume, enabled);
  dialog.enable(ctl::VolumeLabel, enabled);
}

void enableBrightness(DialogView& dialog, bool enabled) {
  dialog.enable(ctl::Brightness, enabled);
  dialog.enable(ctl::BrightnessLabel, enabled);
}

void setBox(DialogView& dialog, int box, std::uint8_t flag) { dialog.setChecked(box, flag != 0); }

void toggle(DialogView& dialog, int box, std::uint8_t& flag) {
  flag = flag ? 0 : 1;
  setBox(dialog, box, flag);
}

void onInit(DialogView& dialog) {
  for (const std::string& text : displayModeStrings(listedModes())) dialog.addListString(ctl::ModeList, text);
  if (settings::UseDesktop) {
    selectDesktopMode(dialog);
    dialog.enable(ctl::ModeList, false);
  } else {
    selectListString(dialog, ctl::ModeList,
                     displayModeString(DisplayMode{settings::Width, settings::Height, settings::Depth, 0}));
  }

  setBox(dialog, ctl::UseDesktop, settings::UseDesktop);
  setBox(dialog, ctl::EnableMusic, settings::EnableMusic);
  setBox(dialog, ctl::DefaultGamma, settings::DefGamma);
  setBox(dialog, ctl::ShowTime, settings::ShowClock);
  setBox(dialog, ctl::RandomOrder, settings::Random);
  setBox(dialog, ctl::ShowFps, settings::ShowFPS);
  setBox(dialog, ctl::VSync, settings::VSync);
  setBox(dialog, ctl::MouseExit, settings::MouseExit);
  dialog.setChecked(ctl::Hours12, settings::TimeFormat != 0);
  dialog.setChecked(ctl::Hours24, settings::TimeFormat == 0);
  dialog.setChecked(ctl::English, settings::English != 0);
  dialog.setChecked(ctl::Metric, settings::English == 0);

  showVolume(dialog);
  showBrightness(dialog);
  dialog.setText(ctl::ProductsLabel, kProductsText);

  enableVolume(dialog, settings::EnableMusic != 0);
  enableBrightness(dialog, settings::DefGamma == 0);

  dialog.setTrackbarRange(ctl::Volume, 1, 100);
  dialog.setTrackbarPosition(ctl::Volume, settings::Volume);
  dialog.setTrackbarRange(ctl::Brightness, 0, 100);
  dialog.setTrackbarPosition(ctl::Brightness, settings::Gamma);
  dialog.setTrackbarRange(ctl::Detail, 0, 2);
  dialog.setTrackbarPosition(ctl::Detail, settings::Detail);
}

void onOk(DialogView& dialog) {
  const int selected = dialog.listSelection(ctl::ModeList);
  int width = 0, height = 0, depth = 0;
  if (selected >= 0 &&
      std::sscanf(dialog.listString(ctl::ModeList, selected).c_str(), "%d x %d %d bits", &width, &height, &depth) == 3) {
    settings::Width = width;
    settings::Height = height;
    settings::Depth = depth;
  }
  settings::TimeFormat = dialog.isChecked(ctl::Hours12) ? 1 : 0;
  settings::English = dialog.isChecked(ctl::English) ? 1 : 0;
  // The dialog closes either way; a store that cannot be written is told.
  if (!settings::saveSettings()) std::fprintf(stderr, "vantorel: the settings could not be saved\n");
  dialog.endDialog(ctl::Ok);
}

void onUseDesktop(DialogView& dialog) {
  toggle(dialog, ctl::UseDesktop, settings::UseDesktop);
  dialog.enable(ctl::ModeList, !settings::UseDesktop);
  if (settings::UseDesktop) selectDesktopMode(dialog);
}

void onEnableMusic(DialogView& dialog) {
  toggle(dialog, ctl::EnableMusic, settings::EnableMusic);
  enableVolume(dialog, settings::EnableMusic != 0);
}

void onDefaultGamma(DialogView& dialog) {
  toggle(dialog, ctl::DefaultGamma, settings::DefGamma);
  dialog.setTrackbarPosition(ctl::Brightness, 50);
  settings::Gamma = 50;
  showBrightness(dialog);
  enableBrightness(dialog, settings::DefGamma == 0);
}

void onRestoreDefaults(DialogView& dialog) {
  selectDesktopMode(dialog);
  dialog.enable(ctl::ModeList, false);
  settings::UseDesktop = 1;
  settings::EnableMusic = 1;
  settings::Volume = 100;
  settings::Gamma = 50;
  showVolume(dialog);
  showBrightness(dialog);
  enableVolume(dialog, true);
  settings::ShowClock = 1;
  settings::ShowFPS = 0;
  settings::VSync = 0;
  settings::MouseExit = 0;
  settings::Random = 0;
  dialog.setTrackbarPosition(ctl::Volume, settings::Volume);
  dialog.setTrackbarPosition(ctl::Brightness, settings::Gamma);
  settings::DefGamma = 1;
  enableBrightness(dialog, false);
  setBox(dialog, ctl::UseDesktop, settings::UseDesktop);
  setBox(dialog, ctl::EnableMusic, settings::EnableMusic);
  setBox(dialog, ctl::ShowTime, settings::ShowClock);
  setBox(dialog, ctl::ShowFps, settings::ShowFPS);
  setBox(dialog, ctl::VSync, settings::VSync);
  setBox(dialog, ctl::MouseExit, settings::MouseExit);
  setBox(dialog, ctl::RandomOrder, settings::Random);
  setBox(dialog, ctl::DefaultGamma, settings::DefGamma);
}

bool onCommand(DialogView& dialog, int control) {
  switch (control) {
    case ctl::Ok:
      onOk(dialog);
      return true;
    case ctl::Cancel:
      dialog.endDialog(ctl::Cancel);
      return true;
    case ctl::UseDesktop:
      onUseDesktop(dialog);
      return true;
    case ctl::EnableMusic:
      onEnableMusic(dialog);
      return true;
    case ctl::ShowTime:
      toggle(dialog, control, settings::ShowClock);
      return true;
    case ctl::MouseExit:
      toggle(dialog, control, settings::MouseExit);
      return true;
    case ctl::ShowFps:
      toggle(dialog, control, settings::ShowFPS);
      return true;
    case ctl::VSync:
      toggle(dialog, control, settings::VSync);
      return true;
    case ctl::RandomOrder:
      toggle(dialog, control, settings::Random);
      return true;
    case ctl::DefaultGamma:
      onDefaultGamma(dialog);
      return true;
    case ctl::RestoreDefaults:
      onRestoreDefaults(dialog);
      return true;
    case ctl::Visit:
      openUrl(kProductPage);
      return true;
    case ctl::About:
      dialog.dialogBox(aboutBoxResource(), aboutBoxProc);
      return true;
    default:
      return false;  // the radio buttons among them: they are read on OK
  }
}

// Page steps and the thumb's travel take all three positions; arrow keys,
// Home, End and the end of a drag change nothing.
void onScroll(DialogView& dialog, int code) {
  if (code != TB_PAGEUP && code != TB_PAGEDOWN && code != TB_THUMBTRACK) return;
  settings::Volume = dialog.trackbarPosition(ctl::Volume);
  settings::Gamma = dialog.trackbarPosition(ctl::Brightness);
  showVolume(dialog);
  showBrightness(dialog);
  settings::Detail = dialog.trackbarPosition(ctl::Detail);
}

int lowWord(WPARAM wParam) { return static_cast<int>(wParam & 0xFFFF); }

}  // namespace

std::string displayModeString(const DisplayMode& mode) {
  char text[64];
  std::snprintf(text, sizeof text, "%d x %d %d bits", mode.width, mode.height, mode.bitsPerPixel);
  return text;
}

std::vector<std::string> displayModeStrings(const std::vector<DisplayMode>& modes) {
  std::vector<std::string> strings;
  const DisplayMode* kept = nullptr;
  for (const DisplayMode& mode : modes) {
    if (mode.width < 640 || mode.height < 480 || mode.bitsPerPixel < 16) continue;
    const bool repeat = kept && kept->width == mode.width && kept->height == mode.height &&
                        kept->bitsPerPixel == mode.bitsPerPixel;
    kept = &mode;
    if (!repeat) strings.push_back(displayModeString(mode));
  }
  return strings;
}

bool configDialogProc(DialogView& dialog, std::uint32_t message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      onInit(dialog);
      return true;
    case WM_COMMAND:
      return onCommand(dialog, lowWord(wParam));
    case WM_HSCROLL:
      onScroll(dialog, lowWord(wParam));
      return true;
    default:
      return false;
  }
}

bool aboutBoxProc(DialogView& dialog, std::uint32_t message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return true;
  if (message != WM_COMMAND) return false;
  const int control = lowWord(wParam);
  if (control != IDOK && control != IDCANCEL) return false;
  dialog.endDialog(control);
  return true;
}

int runConfigDialog(const SaverApp& app) {
  const std::uint64_t owner = static_cast<std::uint32_t>(app.windowNumber);
  return dialogBox(configDialogResource(findSaverPicture(kDialogPictureFile)), owner, configDialogProc);
}
