// Loading and saving the settings globals: orders, flags, ranges, defaults,
// Path, and whole round trips through a real settings file.
#include "shell/settings.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

// A store in memory that records every call in order.
class RecordingStore : public platform::SettingsStore {
 public:
  bool queryDword(const char* name, std::uint32_t& out) const override {
    queries.push_back(name);
    auto found = dwords.find(name);
    if (found == dwords.end()) return false;
    out = found->second;
    return true;
  }
  bool queryString(const char* name, char* out, std::size_t capacity) const override {
    queries.push_back(name);
    auto found = strings.find(name);
    if (found == strings.end() || found->second.size() >= capacity) return false;
    std::memcpy(out, found->second.c_str(), found->second.size() + 1);
    return true;
  }
  void setDword(const char* name, std::uint32_t value) override { writes.emplace_back(name, value); }
  bool commit() override {
    ++commits;
    return commitSucceeds;
  }

  std::map<std::string, std::uint32_t> dwords;
  std::map<std::string, std::string> strings;
  mutable std::vector<std::string> queries;
  std::vector<std::pair<std::string, std::uint32_t>> writes;
  int commits = 0;
  bool commitSucceeds = true;
};

// Puts values into the globals that no load or default would produce, so that
// a load that skips a value shows.
void scrambleSettings() {
  using namespace settings;
  ShowClock = TimeFormat = English = Random = EnableMusic = UseDesktop = ShowFlame = DefGamma = 77;
  ShowFPS = VSync = MouseExit = 77;
  Width = Height = Depth = Volume = Gamma = Detail = -77;
  std::strcpy(Path, "scrambled");
}

std::string defaultPath() { return settings::defaultDataDirectory(platform::executableDirectory()); }

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override { scrambleSettings(); }
};

TEST_F(SettingsTest, LoadQueriesEveryValueInOrder) {
  RecordingStore store;
  settings::loadSettings(store);
  const std::vector<std::string> expected = {"ShowClock", "TimeFormat", "English", "Random",  "EnableMusic",
                                             "UseDesktop", "ShowFlame", "DefGamma", "Width",  "Height",
                                             "Depth",     "Volume",     "Gamma",    "Detail", "ShowFPS",
                                             "VSync",     "MouseExit",  "Path"};
  EXPECT_EQ(store.queries, expected);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(store.commits, 0);
}

TEST_F(SettingsTest, SaveWritesEveryValueButPathInOrder) {
  using namespace settings;
  ShowClock = 1;
  TimeFormat = 0;
  English = 5;  // a flag set to anything but 0 is written as 1
  Random = 0;
  EnableMusic = 1;
  UseDesktop = 0;
  ShowFlame = 1;
  DefGamma = 0;
  Width = 1280;
  Height = 1024;
  Depth = 16;
  Volume = 35;
  Gamma = 70;
  Detail = 1;
  ShowFPS = 1;
  VSync = 0;
  MouseExit = 255;
  RecordingStore store;
  EXPECT_TRUE(saveSettings(store));
  const std::vector<std::pair<std::string, std::uint32_t>> expected = {
      {"ShowClock", 1}, {"TimeFormat", 0}, {"English", 1},   {"Random", 0},  {"EnableMusic", 1}, {"UseDesktop", 0},
      {"ShowFlame", 1}, {"DefGamma", 0},   {"Width", 1280},  {"Height", 1024}, {"Depth", 16},    {"Volume", 35},
      {"Gamma", 70},    {"Detail", 1},     {"VSync", 0},     {"MouseExit", 1}, {"ShowFPS", 1}};
  EXPECT_EQ(store.writes, expected);
  EXPECT_EQ(store.commits, 1);

  store.commitSucceeds = false;
  EXPECT_FALSE(saveSettings(store));
}

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults) {
  RecordingStore store;
  settings::loadSettings(store);
  const platform::LocalePreferences locale = platform::localePreferences();
  using namespace settings;
  EXPECT_EQ(ShowClock, 1);
  EXPECT_EQ(TimeFormat, locale.twelveHourClock ? 1 : 0);
  EXPECT_EQ(English, locale.imperialUnits ? 1 : 0);
  EXPECT_EQ(Random, 0);
  EXPECT_EQ(EnableMusic, 1);
  EXPECT_EQ(UseDesktop, 1);
  EXPECT_EQ(ShowFlame, 0);
  EXPECT_EQ(DefGamma, 1);
  EXPECT_EQ(Width, 1024);
  EXPECT_EQ(Height, 768);
  EXPECT_EQ(Depth, 32);
  EXPECT_EQ(Volume, 100);
  EXPECT_EQ(Gamma, 50);
  EXPECT_EQ(Detail, 2);
  EXPECT_EQ(ShowFPS, 0);
  EXPECT_EQ(VSync, 0);
  EXPECT_EQ(MouseExit, 0);
  EXPECT_EQ(std::string(Path), defaultPath());
}

TEST_F(SettingsTest, LocaleDecidesClockAndUnitsWhenUnset) {
  const char* old = std::getenv("LC_ALL");
  std::string saved = old ? old : "";
  setenv("LC_ALL", "C", 1);
  RecordingStore store;
  settings::loadSettings(store);
  EXPECT_EQ(settings::TimeFormat, 0);
  EXPECT_EQ(settings::English, 0);
  // A stored choice beats the locale.
  store.dwords = {{"TimeFormat", 1}, {"English", 1}};
  settings::loadSettings(store);
  EXPECT_EQ(settings::TimeFormat, 1);
  EXPECT_EQ(settings::English, 1);
  if (old)
    setenv("LC_ALL", saved.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST_F(SettingsTest, AnyNonzeroFlagReadsAsOn) {
  const std::pair<std::uint32_t, std::uint8_t> cases[] = {{0, 0}, {1, 1}, {5, 1}, {256, 1}, {0xFFFFFFFFu, 1}};
  for (const auto& [stored, expected] : cases) {
    RecordingStore store;
    for (const char* flag : {"ShowClock", "TimeFormat", "English", "Random", "EnableMusic", "UseDesktop",
                             "ShowFlame", "DefGamma", "ShowFPS", "VSync", "MouseExit"})
      store.dwords[flag] = stored;
    settings::loadSettings(store);
    SCOPED_TRACE(stored);
    using namespace settings;
    for (std::uint8_t flag : {ShowClock, TimeFormat, English, Random, EnableMusic, UseDesktop, ShowFlame, DefGamma,
                              ShowFPS, VSync, MouseExit})
      EXPECT_EQ(flag, expected);
  }
}

TEST_F(SettingsTest, DefGammaForcesGammaToFifty) {
  struct Case {
    bool storeDefGamma;
    std::uint32_t defGamma, gamma;
    std::int32_t expected;
  } cases[] = {{true, 1, 80, 50}, {true, 7, 0, 50}, {true, 0, 80, 80}, {true, 0, 0, 0}, {false, 0, 80, 50}};
  for (const Case& c : cases) {
    RecordingStore store;
    if (c.storeDefGamma) store.dwords["DefGamma"] = c.defGamma;
    store.dwords["Gamma"] = c.gamma;
    settings::loadSettings(store);
    EXPECT_EQ(settings::Gamma, c.expected) << "DefGamma " << c.defGamma << " Gamma " << c.gamma;
  }
}

TEST_F(SettingsTest, NumbersOutsideTheirRangeTakeTheDefault) {
  struct Case {
    const char* name;
    std::uint32_t stored;
    std::int32_t expected;
    const std::int32_t& setting;
  } cases[] = {
      {"Volume", 0, 100, settings::Volume},       {"Volume", 1, 1, settings::Volume},
      {"Volume", 100, 100, settings::Volume},     {"Volume", 101, 100, settings::Volume},
      {"Gamma", 0, 0, settings::Gamma},           {"Gamma", 100, 100, settings::Gamma},
      {"Gamma", 101, 50, settings::Gamma},        {"Detail", 0, 0, settings::Detail},
      {"Detail", 1, 1, settings::Detail},         {"Detail", 3, 2, settings::Detail},
      {"Width", 0, 1024, settings::Width},        {"Width", 1, 1, settings::Width},
      {"Width", 16384, 16384, settings::Width},   {"Width", 16385, 1024, settings::Width},
      {"Width", 0x80000000u, 1024, settings::Width}, {"Height", 0xFFFFFFFFu, 768, settings::Height},
      {"Height", 1080, 1080, settings::Height},   {"Depth", 7, 32, settings::Depth},
      {"Depth", 8, 8, settings::Depth},           {"Depth", 16, 16, settings::Depth},
      {"Depth", 33, 32, settings::Depth},
  };
  for (const Case& c : cases) {
    RecordingStore store;
    store.dwords["DefGamma"] = 0;
    store.dwords[c.name] = c.stored;
    settings::loadSettings(store);
    EXPECT_EQ(c.setting, c.expected) << c.name << "=" << c.stored;
  }
}

TEST_F(SettingsTest, PathMustFitItsBuffer) {
  const std::string fits(254, 'p');
  RecordingStore store;
  store.strings["Path"] = fits;
  settings::loadSettings(store);
  EXPECT_EQ(std::string(settings::Path), fits);

  for (const std::string& refused : {std::string(255, 'q'), std::string(300, 'r'), std::string()}) {
    store.strings["Path"] = refused;
    settings::loadSettings(store);
    EXPECT_EQ(std::string(settings::Path), defaultPath()) << refused.size() << " characters";
  }
}

TEST(DefaultDataDirectoryTest, PrefersTheBuildDataBesideBin) {
  char pattern[] = "/tmp/vt_data_dir_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path root = pattern;
  fs::create_directories(root / "bin");
  fs::create_directories(root / "data");
  const std::string bin = (root / "bin").string();

  // A data directory without the archive is not the one.
  EXPECT_EQ(settings::defaultDataDirectory(bin), (root / "share" / "vantorel").string());
  std::ofstream(root / "data" / "data.sdd") << "Rar!";
  EXPECT_EQ(settings::defaultDataDirectory(bin), (root / "data").string());

  fs::remove_all(root);
}

// loadSettings and saveSettings on the real store, pointed at a temporary file.
class SettingsFileRoundTripTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt_settings_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    file_ = directory_ / "settings.conf";
    setenv("VANTOREL_SETTINGS", file_.c_str(), 1);
    scrambleSettings();
  }
  void TearDown() override {
    unsetenv("VANTOREL_SETTINGS");
    fs::remove_all(directory_);
  }
  void writeSettingsFile(const std::string& contents) { std::ofstream(file_, std::ios::binary) << contents; }
  std::string settingsFile() const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
  }

  fs::path directory_, file_;
};

TEST_F(SettingsFileRoundTripTest, SavedValuesLoadBackAndPathStays) {
  writeSettingsFile("Path=/srv/vantorel\nTimeFormat=5\nExtra=1\n");
  settings::loadSettings();
  EXPECT_STREQ(settings::Path, "/srv/vantorel");
  EXPECT_EQ(settings::TimeFormat, 1);

  settings::DefGamma = 0;
  settings::Gamma = 90;
  settings::Volume = 12;
  settings::UseDesktop = 0;
  settings::Width = 1600;
  settings::Detail = 0;
  settings::English = 0;
  ASSERT_TRUE(settings::saveSettings());

  scrambleSettings();
  settings::loadSettings();
  EXPECT_STREQ(settings::Path, "/srv/vantorel");
  EXPECT_EQ(settings::TimeFormat, 1);
  EXPECT_EQ(settings::DefGamma, 0);
  EXPECT_EQ(settings::Gamma, 90);
  EXPECT_EQ(settings::Volume, 12);
  EXPECT_EQ(settings::UseDesktop, 0);
  EXPECT_EQ(settings::Width, 1600);
  EXPECT_EQ(settings::Detail, 0);

  // Foreign lines keep their place; the owned ones follow in write order.
  EXPECT_EQ(settingsFile(),
            "Path=/srv/vantorel\nTimeFormat=1\nExtra=1\nShowClock=1\nEnglish=0\nRandom=0\nEnableMusic=1\n"
            "UseDesktop=0\nShowFlame=0\nDefGamma=0\nWidth=1600\nHeight=768\nDepth=32\nVolume=12\nGamma=90\n"
            "Detail=0\nVSync=0\nMouseExit=0\nShowFPS=0\n");
}

TEST_F(SettingsFileRoundTripTest, DamagedFilesLoadAsDefaults) {
  std::string binary;
  for (int i = 0; i < 3000; ++i) binary.push_back(char((i * 131 + 7) % 256));
  const std::string cases[] = {
      "this is not a settings file\n===\nWidth:1024\nVolume=loud\n",
      "Width=99999999999999999999\nHeight=4294967296\nVolume=-5\nGamma=1e3\n",
      "Width=" + std::string(10 << 20, '9') + "\n",
      binary,
      "Path=" + std::string(300, '/') + "\n",
  };
  for (const std::string& contents : cases) {
    SCOPED_TRACE(contents.substr(0, 40));
    writeSettingsFile(contents);
    scrambleSettings();
    settings::loadSettings();
    EXPECT_EQ(settings::Width, 1024);
    EXPECT_EQ(settings::Height, 768);
    EXPECT_EQ(settings::Volume, 100);
    EXPECT_EQ(settings::Gamma, 50);
    EXPECT_EQ(settings::Detail, 2);
    EXPECT_EQ(settings::ShowClock, 1);
    EXPECT_EQ(std::string(settings::Path), defaultPath());
  }
}

TEST_F(SettingsFileRoundTripTest, SaveReportsAStoreThatCannotBeWritten) {
  std::ofstream(directory_ / "blocker") << "";
  setenv("VANTOREL_SETTINGS", (directory_ / "blocker" / "settings.conf").c_str(), 1);
  settings::loadSettings();
  EXPECT_FALSE(settings::saveSettings());
}

}  // namespace
