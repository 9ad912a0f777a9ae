// The options a Linux start adds to the screensaver switches: xscreensaver's
// window options and the offline renderer. What is left over is the command
// line that the screensaver switches are read from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

  // xscreensaver: -window-id ID, $XSCREENSAVER_WINDOW, -root.
  std::uint64_t hostWindow = 0;
  bool hostRoot = false;

  // The program path and the remaining arguments, joined as one command line.
  std::string commandLine;
  // Empty when the options parsed; else one line saying what was wrong.
  std::string error;
};

// argv as main receives it; xscreensaverWindow is $XSCREENSAVER_WINDOW or null.
LaunchOptions parseLaunchOptions(const std::vector<std::string>& args,
                                 const char* xscreensaverWindow);

// A window id as xscreensaver writes it: decimal, or hexadecimal after 0x.
bool parseWindowId(const std::string& text, std::uint64_t& out);
