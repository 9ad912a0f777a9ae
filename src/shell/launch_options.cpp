// Parsing of the Linux launch options, and what they set.
#include "shell/launch_options.h"

#include <cerrno>
#include <cstdlib>

#include "shell/settings.h"

namespace {

// On and off switches of a setting.
struct SwitchOption {
  const char* name;
  std::optional<bool> SettingOverrides::*setting;
  bool value;
};

constexpr SwitchOption kSwitchOptions[] = {
    {"-random", &SettingOverrides::random, true},  {"-no-random", &SettingOverrides::random, false},
    {"-clock", &SettingOverrides::showClock, true}, {"-no-clock", &SettingOverrides::showClock, false},
    {"-music", &SettingOverrides::music, true},    {"-no-music", &SettingOverrides::music, false},
    {"-no-fps", &SettingOverrides::showFps, false}, {"-vsync", &SettingOverrides::vsync, true},
    {"-no-vsync", &SettingOverrides::vsync, false},
};

// Settings chosen by a word; the words are in the order of their values,
// null after the last.
constexpr int kMaxChoiceWords = 3;
struct ChoiceOption {
  const char* name;
  const char* words[kMaxChoiceWords];
  void (*set)(SettingOverrides& overrides, int index);
};

const ChoiceOption kChoiceOptions[] = {
    {"-detail", {"low", "medium", "high"}, [](SettingOverrides& o, int index) { o.detail = index; }},
    {"-clock-format", {"24", "12", nullptr}, [](SettingOverrides& o, int index) { o.twelveHourClock = index == 1; }},
    {"-units", {"metric", "english", nullptr}, [](SettingOverrides& o, int index) { o.english = index == 1; }},
};

const SwitchOption* findSwitch(const std::string& option) {
  for (const SwitchOption& candidate : kSwitchOptions)
    if (option == candidate.name) return &candidate;
  return nullptr;
}

const ChoiceOption* findChoice(const std::string& option) {
  for (const ChoiceOption& candidate : kChoiceOptions)
    if (option == candidate.name) return &candidate;
  return nullptr;
}

bool chooseWord(const ChoiceOption& choice, const std::string& word, SettingOverrides& overrides) {
  for (int index = 0; index < kMaxChoiceWords && choice.words[index]; ++index) {
    if (word == choice.words[index]) {
      choice.set(overrides, index);
      return true;
    }
  }
  return false;
}

std::string choiceHelp(const ChoiceOption& choice) {
  std::string help = std::string("-") + choice.name + " needs ";
  for (int index = 0; index < kMaxChoiceWords && choice.words[index]; ++index) {
    if (index > 0) help += index + 1 < kMaxChoiceWords && choice.words[index + 1] ? ", " : " or ";
    help += choice.words[index];
  }
  return help;
}

bool isNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return *end == '\0';
}

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
    } else if (option == "-fps" && hasValue && isNumber(args[i + 1])) {
      if (!parseNumber(args[++i], 1.0, 1000.0, options.framesPerSecond))
        fail("--fps needs a frame rate from 1 to 1000");
    } else if (option == "-fps") {
      options.overrides.showFps = true;
    } else if (const SwitchOption* toggle = findSwitch(option)) {
      options.overrides.*(toggle->setting) = toggle->value;
    } else if (const ChoiceOption* choice = findChoice(option)) {
      if (!hasValue || !chooseWord(*choice, args[++i], options.overrides)) fail(choiceHelp(*choice));
    } else if (option == "-volume") {
      double volume = 0;
      if (!hasValue || !parseNumber(args[++i], 1.0, 100.0, volume) || volume != static_cast<int>(volume))
        fail("--volume needs a whole percentage from 1 to 100");
      else
        options.overrides.volume = static_cast<std::int32_t>(volume);
    } else if (option == "-delay") {
      double microseconds = 0;
      if (!hasValue || !parseNumber(args[++i], 0.0, 1e9, microseconds))
        fail("-delay needs a number of microseconds");
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

  // xscreensaver starts its hacks with -root and names its own window in
  // the environment: that window is the "root" to draw into.
  if (!options.render && options.hostWindow == 0 && xscreensaverWindow && *xscreensaverWindow) {
    if (parseWindowId(xscreensaverWindow, options.hostWindow))
      options.hostRoot = false;
    else
      fail("XSCREENSAVER_WINDOW does not hold a window id");
  }

  const std::string program = args.empty() ? std::string("vantorel") : args[0];
  options.commandLine = "\"" + program + "\"" + rest;
  return options;
}

void applySettingOverrides(const SettingOverrides& overrides) {
  auto flag = [](const std::optional<bool>& value, std::uint8_t& setting) {
    if (value) setting = *value ? 1 : 0;
  };
  if (overrides.detail) settings::Detail = *overrides.detail;
  flag(overrides.random, settings::Random);
  flag(overrides.showClock, settings::ShowClock);
  flag(overrides.twelveHourClock, settings::TimeFormat);
  flag(overrides.english, settings::English);
  flag(overrides.music, settings::EnableMusic);
  if (overrides.volume) settings::Volume = *overrides.volume;
  flag(overrides.showFps, settings::ShowFPS);
  flag(overrides.vsync, settings::VSync);
}

bool windowOnPrimaryMonitor(const platform::Rect& window, const std::vector<platform::DisplayAdapter>& adapters) {
  const int x = window.left + window.width() / 2, y = window.top + window.height() / 2;
  for (const platform::DisplayAdapter& adapter : adapters) {
    if (!adapter.primary || !adapter.attachedToDesktop) continue;
    const platform::Rect& monitor = adapter.rect;
    if (x >= monitor.left && x < monitor.right && y >= monitor.top && y < monitor.bottom) return true;
  }
  return false;
}
