// Loading and saving the settings globals through the platform's settings store.
#include "shell/settings.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/platform.h"

namespace settings {

namespace {
// Defaults for values the store does not hold: the Restore Defaults choices
// where the dialog has one, else a mode that any display offers (UseDesktop
// replaces it at start) and high detail.
constexpr std::uint8_t defaultShowClock = 1;
constexpr std::uint8_t defaultRandom = 0;
constexpr std::uint8_t defaultEnableMusic = 1;
constexpr std::uint8_t defaultUseDesktop = 1;
constexpr std::uint8_t defaultShowFlame = 0;
constexpr std::uint8_t defaultDefGamma = 1;
constexpr std::int32_t defaultWidth = 1024;
constexpr std::int32_t defaultHeight = 768;
constexpr std::int32_t defaultDepth = 32;
constexpr std::int32_t defaultVolume = 100;
constexpr std::int32_t defaultGamma = 50;
constexpr std::int32_t defaultDetail = 2;
constexpr std::uint8_t defaultShowFPS = 0;
constexpr std::uint8_t defaultVSync = 0;
constexpr std::uint8_t defaultMouseExit = 0;

constexpr std::int32_t maxDisplaySide = 16384;
}  // namespace

std::uint8_t ShowClock = defaultShowClock;
std::uint8_t TimeFormat = 0;
std::uint8_t English = 0;
std::uint8_t Random = defaultRandom;
std::uint8_t EnableMusic = defaultEnableMusic;
std::uint8_t UseDesktop = defaultUseDesktop;
std::uint8_t ShowFlame = defaultShowFlame;
std::uint8_t DefGamma = defaultDefGamma;
std::int32_t Width = defaultWidth;
std::int32_t Height = defaultHeight;
std::int32_t Depth = defaultDepth;
std::int32_t Volume = defaultVolume;
std::int32_t Gamma = defaultGamma;
std::int32_t Detail = defaultDetail;
std::uint8_t ShowFPS = defaultShowFPS;
std::uint8_t VSync = defaultVSync;
std::uint8_t MouseExit = defaultMouseExit;
char Path[PathCapacity] = "";

namespace {

// Stands in for a store that could not be opened: every value is absent.
class EmptyStore final : public platform::SettingsStore {
 public:
  bool queryDword(const char*, std::uint32_t&) const override { return false; }
  bool queryString(const char*, char*, std::size_t) const override { return false; }
  void setDword(const char*, std::uint32_t) override {}
  bool commit() override { return false; }
};

std::uint8_t readFlag(const platform::SettingsStore& store, const char* name, bool fallback) {
  std::uint32_t value = 0;
  if (!store.queryDword(name, value)) return fallback ? 1 : 0;
  return value != 0 ? 1 : 0;
}

std::int32_t readNumber(const platform::SettingsStore& store, const char* name, std::int32_t lowest,
                        std::int32_t highest, std::int32_t fallback) {
  std::uint32_t value = 0;
  if (!store.queryDword(name, value)) return fallback;
  if (value < std::uint32_t(lowest) || value > std::uint32_t(highest)) return fallback;
  return std::int32_t(value);
}

void readPath(const platform::SettingsStore& store) {
  char stored[PathCapacity] = "";
  if (store.queryString("Path", stored, sizeof stored) && stored[0] != '\0') {
    stored[PathCapacity - 1] = '\0';
    std::memcpy(Path, stored, sizeof stored);
    return;
  }
  // A default that does not fit is no directory at all: the current one stays.
  std::string fallback = defaultDataDirectory(platform::executableDirectory());
  if (fallback.size() >= PathCapacity) fallback.clear();
  std::memcpy(Path, fallback.c_str(), fallback.size() + 1);
}

void writeFlag(platform::SettingsStore& store, const char* name, std::uint8_t flag) {
  store.setDword(name, flag != 0 ? 1 : 0);
}

void writeNumber(platform::SettingsStore& store, const char* name, std::int32_t number) {
  store.setDword(name, std::uint32_t(number));
}

}  // namespace

void loadSettings(const platform::SettingsStore& store) {
  const platform::LocalePreferences locale = platform::localePreferences();
  ShowClock = readFlag(store, "ShowClock", defaultShowClock);
  TimeFormat = readFlag(store, "TimeFormat", locale.twelveHourClock);
  English = readFlag(store, "English", locale.imperialUnits);
  Random = readFlag(store, "Random", defaultRandom);
  EnableMusic = readFlag(store, "EnableMusic", defaultEnableMusic);
  UseDesktop = readFlag(store, "UseDesktop", defaultUseDesktop);
  ShowFlame = readFlag(store, "ShowFlame", defaultShowFlame);
  DefGamma = readFlag(store, "DefGamma", defaultDefGamma);
  Width = readNumber(store, "Width", 1, maxDisplaySide, defaultWidth);
  Height = readNumber(store, "Height", 1, maxDisplaySide, defaultHeight);
  Depth = readNumber(store, "Depth", 8, 32, defaultDepth);
  Volume = readNumber(store, "Volume", 1, 100, defaultVolume);
  Gamma = readNumber(store, "Gamma", 0, 100, defaultGamma);
  Detail = readNumber(store, "Detail", 0, 2, defaultDetail);
  ShowFPS = readFlag(store, "ShowFPS", defaultShowFPS);
  VSync = readFlag(store, "VSync", defaultVSync);
  MouseExit = readFlag(store, "MouseExit", defaultMouseExit);
  readPath(store);
  if (DefGamma) Gamma = 50;
}

void loadSettings() {
  std::unique_ptr<platform::SettingsStore> store = platform::openSettingsStore();
  if (store)
    loadSettings(*store);
  else
    loadSettings(EmptyStore());
}

bool saveSettings(platform::SettingsStore& store) {
  writeFlag(store, "ShowClock", ShowClock);
  writeFlag(store, "TimeFormat", TimeFormat);
  writeFlag(store, "English", English);
  writeFlag(store, "Random", Random);
  writeFlag(store, "EnableMusic", EnableMusic);
  writeFlag(store, "UseDesktop", UseDesktop);
  writeFlag(store, "ShowFlame", ShowFlame);
  writeFlag(store, "DefGamma", DefGamma);
  writeNumber(store, "Width", Width);
  writeNumber(store, "Height", Height);
  writeNumber(store, "Depth", Depth);
  writeNumber(store, "Volume", Volume);
  writeNumber(store, "Gamma", Gamma);
  writeNumber(store, "Detail", Detail);
  writeFlag(store, "VSync", VSync);
  writeFlag(store, "MouseExit", MouseExit);
  writeFlag(store, "ShowFPS", ShowFPS);
  return store.commit();
}

bool saveSettings() {
  std::unique_ptr<platform::SettingsStore> store = platform::openSettingsStore();
  return store && saveSettings(*store);
}

std::string defaultDataDirectory(const std::string& executableDirectory) {
  namespace fs = std::filesystem;
  const fs::path programDirectory(executableDirectory);
  const fs::path buildData = (programDirectory / ".." / "data").lexically_normal();
  std::error_code error;
  if (fs::is_regular_file(buildData / "data.sdd", error)) return buildData.string();
  return (programDirectory / ".." / "share" / "vantorel").lexically_normal().string();
}

}  // namespace settings
