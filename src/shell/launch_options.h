// The options a Linux start adds to the screensaver switches: xscreensaver's
// window options and the settings a user changes there, and the offline
// renderer. What is left over is the command line that the screensaver
// switches are read from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

// Settings that the options set for one saver run, over the stored ones.
struct SettingOverrides {
  std::optional<std::int32_t> detail;   // --detail low|medium|high
  std::optional<bool> random;           // --random, --no-random
  std::optional<bool> showClock;        // --clock, --no-clock
  std::optional<bool> twelveHourClock;  // --clock-format 12|24
  std::optional<bool> english;          // --units english|metric
  std::optional<bool> music;            // --music, --no-music
  std::optional<std::int32_t> volume;   // --volume 1..100
  std::optional<bool> showFps;          // -fps, --no-fps
  std::optional<bool> vsync;            // --vsync, --no-vsync
};

struct LaunchOptions {
  // Offline rendering: --render DIR [--seconds S] [--fps F] [--size WxH]
  // [--start-scene NAME].
  bool render = false;
  std::string renderDirectory;
  double seconds = 10.0;
  double framesPerSecond = 30.0;
  int width = 800;
  int height = 600;
  std::string startScene;

  // xscreensaver: -window-id ID, else $XSCREENSAVER_WINDOW, else -root.
  std::uint64_t hostWindow = 0;
  bool hostRoot = false;
  SettingOverrides overrides;

  // The program path and the remaining arguments, joined as one command line.
  std::string commandLine;
  // Empty when the options parsed; else one line saying what was wrong.
  std::string error;
};

// argv as main receives it; xscreensaverWindow is $XSCREENSAVER_WINDOW or
// null. Every option may also be written with two dashes or with one.
// "-fps" followed by a number is the renderer's frame rate; anywhere else it
// is xscreensaver's switch that shows the frame counter. xscreensaver's
// "-delay N" (microseconds between frames) is accepted and has no effect:
// the frame loop paces itself, with --vsync when asked.
LaunchOptions parseLaunchOptions(const std::vector<std::string>& args,
                                 const char* xscreensaverWindow);

// A window id as xscreensaver writes it: decimal, or hexadecimal after 0x.
bool parseWindowId(const std::string& text, std::uint64_t& out);

// Puts the overrides into the settings globals (after loadSettings).
void applySettingOverrides(const SettingOverrides& overrides);

// xscreensaver starts one process per monitor, and only one of them should
// play the music: the one whose window's centre lies on the primary monitor.
bool windowOnPrimaryMonitor(const platform::Rect& window, const std::vector<platform::DisplayAdapter>& adapters);
