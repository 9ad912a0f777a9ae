// The configuration dialog: it edits the settings in memory while it is open
// and writes them all with saveSettings when it is closed with OK; Cancel
// discards them. Its procedure works on any dialog view through the control
// ids of config_dialog_resources.h, so tests drive it without a toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog_view.h"

class SaverApp;

// The page that "Visit..." opens.
constexpr char kProductPage[] = "https://vantorel.example/";

// The procedure of dialog 101.
bool configDialogProc(platform::DialogView& dialog, std::uint32_t message, platform::WPARAM wParam,
                      platform::LPARAM lParam);
// The procedure of the About box, dialog 105: OK or Cancel closes it.
bool aboutBoxProc(platform::DialogView& dialog, std::uint32_t message, platform::WPARAM wParam,
                  platform::LPARAM lParam);

// Shows the dialog modally, owned by the window whose number followed the C
// switch (none for 0). Returns the id of the button that closed it, or -1
// when no dialog could be shown.
int runConfigDialog(const SaverApp& app);

// "%d x %d %d bits" of a mode.
std::string displayModeString(const platform::DisplayMode& mode);
// The mode list's strings for modes in the system's order: modes of at
// least 640 x 480 and 16 bits per pixel, less any that repeats the mode kept
// just before it (the same mode at another refresh rate).
std::vector<std::string> displayModeStrings(const std::vector<platform::DisplayMode>& modes);
