// The user's settings: one global per stored value, loaded at every start and
// written back only by the configuration dialog.
//
// Flags are bytes holding 0 or 1 (any stored value other than 0 reads as 1),
// numbers are 32-bit ints, Path is a 255-byte buffer. The store may be missing
// values or hold damaged ones: every value that is absent, does not parse or
// lies outside its range takes its default, so the globals always hold
// something usable after loadSettings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {
class SettingsStore;
}

namespace settings {

extern std::uint8_t ShowClock;
extern std::uint8_t TimeFormat;   // on: 12-hour clock, off: 24-hour clock
extern std::uint8_t English;      // on: imperial texts, off: metric texts
extern std::uint8_t Random;       // random choice of destinations
extern std::uint8_t EnableMusic;
extern std::uint8_t UseDesktop;   // the desktop's mode instead of Width, Height, Depth
extern std::uint8_t ShowFlame;    // kept and written back, no effect
extern std::uint8_t DefGamma;     // leave the gamma ramp alone; forces Gamma to 50 at load
extern std::int32_t Width;
extern std::int32_t Height;
extern std::int32_t Depth;        // bits per pixel
extern std::int32_t Volume;       // 1 to 100 percent
extern std::int32_t Gamma;        // 0 to 100, shown as Gamma + 50 percent
extern std::int32_t Detail;       // 0 low, 1 medium, 2 high
extern std::uint8_t ShowFPS;
extern std::uint8_t VSync;
extern std::uint8_t MouseExit;

constexpr std::size_t PathCapacity = 255;  // bytes, terminator included
extern char Path[PathCapacity];             // the directory holding "data.sdd"

// Reads every value from the user's settings store, then forces Gamma to 50
// when DefGamma is on.
void loadSettings();
void loadSettings(const platform::SettingsStore& store);

// Writes every value but Path and commits; false when the store could not be
// written (the settings in memory stay as they are).
bool saveSettings();
bool saveSettings(platform::SettingsStore& store);

// Where Path points when the store has none: the build's data directory
// beside the program's bin directory when it holds "data.sdd", else the
// installed share directory.
std::string defaultDataDirectory(const std::string& executableDirectory);

}  // namespace settings
