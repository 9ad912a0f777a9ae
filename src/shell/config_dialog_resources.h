// The configuration dialog's resources: its control ids, dialog 101 (the
// configuration dialog) and dialog 105 (the About box).
#pragma once

#include <string>

#include "platform/dialog_view.h"

namespace config_control {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int ModeList = 1000;
constexpr int UseDesktop = 1001;
constexpr int EnableMusic = 1003;
constexpr int ShowTime = 1004;
constexpr int RestoreDefaults = 1006;
constexpr int Visit = 1007;
constexpr int About = 1008;
constexpr int MouseExit = 1011;
constexpr int VolumeLabel = 1017;
constexpr int Volume = 1026;
constexpr int ShowFps = 1027;
constexpr int VSync = 1028;
constexpr int Brightness = 1029;
constexpr int BrightnessLabel = 1030;
constexpr int DefaultGamma = 1032;
constexpr int ProductsLabel = 1035;
constexpr int Detail = 1042;
constexpr int RandomOrder = 1043;
constexpr int Hours24 = 1049;
constexpr int Hours12 = 1054;
constexpr int English = 1055;
constexpr int Metric = 1056;
}  // namespace config_control

// Dialog 101; the picture control shows the PNG at picturePath (bitmap 107).
platform::DialogTemplate configDialogResource(const std::string& picturePath);
// Dialog 105: a group box, a centred text and an OK button.
platform::DialogTemplate aboutBoxResource();
