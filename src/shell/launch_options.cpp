// Parsing of the Linux launch options.
#include "shell/launch_options.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool parseNumber(const std::string& text, double low, double high, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !(value >= low && value <= high)) return false;
  out = value;
  return true;
}

bool parseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  double w = 0, h = 0;
  if (!parseNumber(text.substr(0, x), 16, 16384, w) || !parseNumber(text.substr(x + 1), 16, 16384, h))
    return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return width == w && height == h;
}

// "--x" is the same as "-x", as xscreensaver's hacks accept both.
std::string singleDash(const std::string& arg) {
  if (arg.size() > 2 && arg[0] == '-' && arg[1] == '-') return arg.substr(1);
  return arg;
}

}  // namespace

bool parseWindowId(const std::string& text, std::uint64_t& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || value == 0) return false;
  out = value;
  return true;
}

LaunchOptions parseLaunchOptions(const std::vector<std::string>& args, const char* xscreensaverWindow) {
  LaunchOptions options;
  std::string rest;
  auto fail = [&options](const std::string& message) {
    if (options.error.empty()) options.error = message;
  };

  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string option = singleDash(args[i]);
    const bool hasValue = i + 1 < args.size();
    if (option == "-render") {
      if (!hasValue) {
        fail("--render needs a directory");
        break;
      }
      options.render = true;
      options.renderDirectory = args[++i];
    } else if (option == "-seconds") {
      if (!hasValue || !parseNumber(args[++i], 0.0, 86400.0, options.seconds))
        fail("--seconds needs a number of seconds from 0 to 86400");
    } else if (option == "-fps") {
      if (!hasValue || !parseNumber(args[++i], 1.0, 1000.0, options.framesPerSecond))
        fail("--fps needs a frame rate from 1 to 1000");
    } else if (option == "-size") {
      if (!hasValue || !parseSize(args[++i], options.width, options.height))
        fail("--size needs WIDTHxHEIGHT, each from 16 to 16384");
    } else if (option == "-start-scene") {
      if (!hasValue) {
        fail("--start-scene needs a scene name");
        break;
      }
      options.startScene = args[++i];
    } else if (option == "-window-id") {
      if (!hasValue || !parseWindowId(args[++i], options.hostWindow))
        fail("-window-id needs a window id");
    } else if (option == "-root") {
      options.hostRoot = true;
    } else {
      rest += ' ';
      rest += args[i];
    }
  }

  if (!options.render && !options.hostRoot && options.hostWindow == 0 && xscreensaverWindow &&
      *xscreensaverWindow) {
    if (!parseWindowId(xscreensaverWindow, options.hostWindow))
      fail("XSCREENSAVER_WINDOW does not hold a window id");
  }

  const std::string program = args.empty() ? std::string("vantorel") : args[0];
  options.commandLine = "\"" + program + "\"" + rest;
  return options;
}
