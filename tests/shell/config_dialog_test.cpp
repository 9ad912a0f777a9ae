// The configuration dialog's behaviour through its control ids: opening,
// every command, the trackbar scroll codes, Restore Defaults, OK and Cancel,
// on the headless backend's display modes and a real settings file.
#include "shell/config_dialog.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "shell/config_dialog_fake_view.h"
#include "shell/config_dialog_resources.h"
#include "shell/settings.h"

namespace {

namespace fs = std::filesystem;
namespace ctl = config_control;
using dialog_test::FakeDialogView;
using platform::DisplayMode;

// The headless monitor is 800 x 600 x 32; its mode list, filtered, is this.
constexpr char kDesktopMode[] = "800 x 600 32 bits";
const std::vector<std::string> kListedModes = {"640 x 480 16 bits", "640 x 480 32 bits", "800 x 600 16 bits",
                                               "800 x 600 32 bits", "1024 x 768 32 bits", "1280 x 1024 32 bits"};

// Every setting away from its default and from Restore Defaults.
constexpr char kStoredSettings[] =
    "Path=/data/vantorel\nShowClock=0\nTimeFormat=1\nEnglish=1\nRandom=1\nEnableMusic=0\nUseDesktop=0\n"
    "ShowFlame=1\nDefGamma=0\nWidth=1024\nHeight=768\nDepth=32\nVolume=35\nGamma=80\nDetail=1\nShowFPS=1\n"
    "VSync=1\nMouseExit=1\n";

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::map<std::string, std::string> valuesOf(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

class ConfigDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_TRUE(platform::start({platform::BackendKind::Headless, 800, 600, 10.0}));
    char pattern[] = "/tmp/vt-dialog-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    settingsFile_ = directory_ / "settings.conf";
    setenv("VANTOREL_SETTINGS", settingsFile_.c_str(), 1);
  }

  void TearDown() override {
    platform::stop();
    unsetenv("VANTOREL_SETTINGS");
    fs::remove_all(directory_);
  }

  // Writes the settings file and loads the globals from it, as a start does.
  void store(const std::string& text) {
    std::ofstream(settingsFile_, std::ios::binary) << text;
    settings::loadSettings();
  }
  std::string storedText() const { return readText(settingsFile_); }
  std::map<std::string, std::string> storedValues() const { return valuesOf(storedText()); }

  void open() { ASSERT_TRUE(configDialogProc(view, platform::WM_INITDIALOG, 0, 0)); }
  bool command(int id) { return configDialogProc(view, platform::WM_COMMAND, static_cast<platform::WPARAM>(id), id); }
  // An auto check box toggles itself, then tells the dialog.
  void click(int box) {
    view.control(box).checked = !view.control(box).checked;
    command(box);
  }
  void moveTrackbar(int trackbar, int position, int scrollCode) {
    view.setTrackbarPosition(trackbar, position);
    configDialogProc(view, platform::WM_HSCROLL, static_cast<platform::WPARAM>(scrollCode), trackbar);
  }

  FakeDialogView view{configDialogResource("")};
  fs::path directory_;
  fs::path settingsFile_;
};

TEST_F(ConfigDialogTest, OpeningShowsTheStoredSettings) {
  store(kStoredSettings);
  open();

  EXPECT_EQ(view.control(ctl::ModeList).strings, kListedModes);
  EXPECT_EQ(view.selectedString(ctl::ModeList), "1024 x 768 32 bits");
  EXPECT_TRUE(view.control(ctl::ModeList).enabled);

  const std::pair<int, bool> boxes[] = {
      {ctl::UseDesktop, false}, {ctl::EnableMusic, false}, {ctl::DefaultGamma, false}, {ctl::ShowTime, false},
      {ctl::RandomOrder, true}, {ctl::ShowFps, true},      {ctl::VSync, true},         {ctl::MouseExit, true},
      {ctl::Hours12, true},     {ctl::Hours24, false},     {ctl::English, true},       {ctl::Metric, false},
  };
  for (auto [box, checked] : boxes) EXPECT_EQ(view.control(box).checked, checked) << box;

  EXPECT_EQ(view.control(ctl::VolumeLabel).text, "Volume (35%)");
  EXPECT_EQ(view.control(ctl::BrightnessLabel).text, "Brightness (130%)");
  EXPECT_EQ(view.control(ctl::ProductsLabel).text, "Visit our web site for more 3D screensavers");
  EXPECT_FALSE(view.control(ctl::Volume).enabled);
  EXPECT_FALSE(view.control(ctl::VolumeLabel).enabled);
  EXPECT_TRUE(view.control(ctl::Brightness).enabled);
  EXPECT_TRUE(view.control(ctl::BrightnessLabel).enabled);

  struct Range {
    int trackbar, low, high, position;
  };
  for (const Range& r : {Range{ctl::Volume, 1, 100, 35}, Range{ctl::Brightness, 0, 100, 80}, Range{ctl::Detail, 0, 2, 1}}) {
    EXPECT_EQ(view.control(r.trackbar).low, r.low) << r.trackbar;
    EXPECT_EQ(view.control(r.trackbar).high, r.high) << r.trackbar;
    EXPECT_EQ(view.control(r.trackbar).position, r.position) << r.trackbar;
  }
  EXPECT_EQ(view.endedWith, 0);
}

TEST_F(ConfigDialogTest, OpeningWithTheDesktopModeSelectsItAndDisablesTheList) {
  store("Path=/data\nWidth=1024\nHeight=768\nDepth=16\n");  // everything else at its default
  open();
  EXPECT_EQ(view.selectedString(ctl::ModeList), kDesktopMode);
  EXPECT_FALSE(view.control(ctl::ModeList).enabled);
  EXPECT_TRUE(view.control(ctl::DefaultGamma).checked);
  EXPECT_FALSE(view.control(ctl::Brightness).enabled);
  EXPECT_FALSE(view.control(ctl::BrightnessLabel).enabled);
  EXPECT_TRUE(view.control(ctl::Volume).enabled);
  EXPECT_EQ(view.control(ctl::BrightnessLabel).text, "Brightness (100%)");

  // OK stores the desktop's mode, not the one in the file.
  command(ctl::Ok);
  const auto stored = storedValues();
  EXPECT_EQ(stored.at("Width"), "800");
  EXPECT_EQ(stored.at("Height"), "600");
  EXPECT_EQ(stored.at("Depth"), "32");
}

TEST(DisplayModeStrings, FiltersSmallAndShallowModesAndFoldsRepeatsThatFollowEachOther) {
  const std::vector<DisplayMode> modes = {
      {800, 600, 32, 60}, {800, 600, 32, 75}, {800, 600, 32, 85},  // one entry
      {640, 480, 8, 60},  {320, 200, 16, 70},                      // never listed
      {1024, 768, 32, 60},
      {800, 600, 32, 100},  // after another kept mode: listed again
      {640, 480, 16, 60}, {639, 480, 32, 60}, {640, 479, 32, 60},
      {640, 480, 16, 72},  // the modes dropped in between do not part it from the last kept one
  };
  const std::vector<std::string> expected = {"800 x 600 32 bits", "1024 x 768 32 bits", "800 x 600 32 bits",
                                             "640 x 480 16 bits"};
  EXPECT_EQ(displayModeStrings(modes), expected);
}

TEST_F(ConfigDialogTest, AConfiguredModeMissingFromTheListSelectsNothingAndOkKeepsIt) {
  std::string text = kStoredSettings;
  text.replace(text.find("Width=1024\nHeight=768"), 21, "Width=1600\nHeight=1200");
  store(text);
  open();
  EXPECT_EQ(view.control(ctl::ModeList).selection, -1);
  command(ctl::Ok);
  const auto stored = storedValues();
  EXPECT_EQ(stored.at("Width"), "1600");
  EXPECT_EQ(stored.at("Height"), "1200");
  EXPECT_EQ(stored.at("Depth"), "32");
}

TEST_F(ConfigDialogTest, OkWritesEveryValueButPathAndKeepsTheOtherLines) {
  store(std::string("# mine\n") + kStoredSettings + "Unknown=7\n");
  open();
  view.control(ctl::ModeList).selection = 5;  // the user picks "1280 x 1024 32 bits"
  EXPECT_TRUE(command(ctl::Ok));
  EXPECT_EQ(view.endedWith, ctl::Ok);

  const std::map<std::string, std::string> expected = {
      {"Path", "/data/vantorel"}, {"ShowClock", "0"}, {"TimeFormat", "1"}, {"English", "1"},
      {"Random", "1"},            {"EnableMusic", "0"}, {"UseDesktop", "0"}, {"ShowFlame", "1"},
      {"DefGamma", "0"},          {"Width", "1280"},    {"Height", "1024"},  {"Depth", "32"},
      {"Volume", "35"},           {"Gamma", "80"},      {"Detail", "1"},     {"ShowFPS", "1"},
      {"VSync", "1"},             {"MouseExit", "1"},   {"Unknown", "7"},
  };
  EXPECT_EQ(storedValues(), expected);
  EXPECT_EQ(storedText().rfind("# mine\n", 0), 0u);
}

TEST_F(ConfigDialogTest, CancelAfterRestoreDefaultsWritesNothing) {
  store(kStoredSettings);
  const std::string before = storedText();
  open();
  EXPECT_TRUE(command(ctl::RestoreDefaults));
  EXPECT_EQ(storedText(), before) << "Restore Defaults wrote the file";
  EXPECT_TRUE(command(ctl::Cancel));
  EXPECT_EQ(view.endedWith, ctl::Cancel);
  EXPECT_EQ(storedText(), before);
}

TEST_F(ConfigDialogTest, RestoreDefaultsSetsTheDefaultsAndKeepsFormatsAndDetail) {
  store(kStoredSettings);
  open();
  command(ctl::RestoreDefaults);

  using namespace settings;
  EXPECT_EQ(UseDesktop, 1);
  EXPECT_EQ(EnableMusic, 1);
  EXPECT_EQ(Volume, 100);
  EXPECT_EQ(Gamma, 50);
  EXPECT_EQ(ShowClock, 1);
  EXPECT_EQ(ShowFPS, 0);
  EXPECT_EQ(VSync, 0);
  EXPECT_EQ(MouseExit, 0);
  EXPECT_EQ(Random, 0);
  EXPECT_EQ(DefGamma, 1);
  EXPECT_EQ(TimeFormat, 1);
  EXPECT_EQ(English, 1);
  EXPECT_EQ(Detail, 1);

  EXPECT_EQ(view.selectedString(ctl::ModeList), kDesktopMode);
  EXPECT_FALSE(view.control(ctl::ModeList).enabled);
  const std::pair<int, bool> boxes[] = {
      {ctl::UseDesktop, true}, {ctl::EnableMusic, true}, {ctl::ShowTime, true},  {ctl::ShowFps, false},
      {ctl::VSync, false},     {ctl::MouseExit, false},  {ctl::RandomOrder, false}, {ctl::DefaultGamma, true},
      {ctl::Hours12, true},    {ctl::English, true},
  };
  for (auto [box, checked] : boxes) EXPECT_EQ(view.control(box).checked, checked) << box;
  EXPECT_EQ(view.control(ctl::VolumeLabel).text, "Volume (100%)");
  EXPECT_EQ(view.control(ctl::BrightnessLabel).text, "Brightness (100%)");
  EXPECT_EQ(view.control(ctl::Volume).position, 100);
  EXPECT_EQ(view.control(ctl::Brightness).position, 50);
  EXPECT_EQ(view.control(ctl::Detail).position, 1);
  EXPECT_TRUE(view.control(ctl::Volume).enabled);
  EXPECT_TRUE(view.control(ctl::VolumeLabel).enabled);
  EXPECT_FALSE(view.control(ctl::Brightness).enabled);
  EXPECT_FALSE(view.control(ctl::BrightnessLabel).enabled);
}

TEST_F(ConfigDialogTest, EachCheckBoxTogglesItsSettingAndTheBoxFollows) {
  struct Box {
    int id;
    std::uint8_t* setting;
  };
  const Box boxes[] = {{ctl::ShowTime, &settings::ShowClock}, {ctl::MouseExit, &settings::MouseExit},
                       {ctl::ShowFps, &settings::ShowFPS},    {ctl::VSync, &settings::VSync},
                       {ctl::RandomOrder, &settings::Random}, {ctl::UseDesktop, &settings::UseDesktop},
                       {ctl::EnableMusic, &settings::EnableMusic}, {ctl::DefaultGamma, &settings::DefGamma}};
  store(kStoredSettings);
  open();
  for (const Box& box : boxes) {
    const std::uint8_t before = *box.setting;
    click(box.id);
    EXPECT_EQ(*box.setting, before ? 0 : 1) << box.id;
    EXPECT_EQ(view.control(box.id).checked, *box.setting != 0) << box.id;
    click(box.id);
    EXPECT_EQ(*box.setting, before) << box.id;
    EXPECT_EQ(view.control(box.id).checked, before != 0) << box.id;
  }
}

TEST_F(ConfigDialogTest, UseDesktopDisablesTheListAndSelectsTheDesktopMode) {
  store(kStoredSettings);
  open();
  click(ctl::UseDesktop);
  EXPECT_FALSE(view.control(ctl::ModeList).enabled);
  EXPECT_EQ(view.selectedString(ctl::ModeList), kDesktopMode);
  click(ctl::UseDesktop);
  EXPECT_TRUE(view.control(ctl::ModeList).enabled);
  EXPECT_EQ(view.selectedString(ctl::ModeList), kDesktopMode);  // turning it off keeps the selection
}

TEST_F(ConfigDialogTest, EnableMusicEnablesTheVolume) {
  store(kStoredSettings);  // music off
  open();
  click(ctl::EnableMusic);
  EXPECT_TRUE(view.control(ctl::Volume).enabled);
  EXPECT_TRUE(view.control(ctl::VolumeLabel).enabled);
  click(ctl::EnableMusic);
  EXPECT_FALSE(view.control(ctl::Volume).enabled);
  EXPECT_FALSE(view.control(ctl::VolumeLabel).enabled);
}

TEST_F(ConfigDialogTest, DefaultGammaOnAndOffAgainLeavesGammaAtFifty) {
  store(kStoredSettings);  // DefGamma off, Gamma 80
  open();
  click(ctl::DefaultGamma);
  EXPECT_EQ(settings::Gamma, 50);
  EXPECT_EQ(view.control(ctl::Brightness).position, 50);
  EXPECT_EQ(view.control(ctl::BrightnessLabel).text, "Brightness (100%)");
  EXPECT_FALSE(view.control(ctl::Brightness).enabled);
  click(ctl::DefaultGamma);
  EXPECT_EQ(settings::DefGamma, 0);
  EXPECT_EQ(settings::Gamma, 50);
  EXPECT_EQ(view.control(ctl::Brightness).position, 50);
  EXPECT_TRUE(view.control(ctl::Brightness).enabled);
  EXPECT_TRUE(view.control(ctl::BrightnessLabel).enabled);
  command(ctl::Ok);
  EXPECT_EQ(storedValues().at("Gamma"), "50");
}

TEST_F(ConfigDialogTest, OnlyPageStepsAndTheThumbChangeTheSettings) {
  struct Case {
    int code;
    bool stores;
  };
  const Case cases[] = {
      {platform::TB_LINEUP, false},       {platform::TB_LINEDOWN, false},  {platform::TB_PAGEUP, true},
      {platform::TB_PAGEDOWN, true},      {platform::TB_THUMBPOSITION, false}, {platform::TB_THUMBTRACK, true},
      {platform::TB_TOP, false},          {platform::TB_BOTTOM, false},    {platform::TB_ENDTRACK, false},
  };
  for (const Case& c : cases) {
    store(kStoredSettings);  // Volume 35, Gamma 80, Detail 1
    view = FakeDialogView(configDialogResource(""));
    open();
    moveTrackbar(ctl::Volume, 60, c.code);
    moveTrackbar(ctl::Brightness, 10, c.code);
    moveTrackbar(ctl::Detail, 2, c.code);
    command(ctl::Ok);
    const auto stored = storedValues();
    EXPECT_EQ(stored.at("Volume"), c.stores ? "60" : "35") << "code " << c.code;
    EXPECT_EQ(stored.at("Gamma"), c.stores ? "10" : "80") << "code " << c.code;
    EXPECT_EQ(stored.at("Detail"), c.stores ? "2" : "1") << "code " << c.code;
    EXPECT_EQ(view.control(ctl::VolumeLabel).text, c.stores ? "Volume (60%)" : "Volume (35%)") << "code " << c.code;
    EXPECT_EQ(view.control(ctl::BrightnessLabel).text, c.stores ? "Brightness (60%)" : "Brightness (130%)")
        << "code " << c.code;
  }
}

TEST_F(ConfigDialogTest, AnyTrackbarsPageStepTakesAllThreePositions) {
  store(kStoredSettings);
  open();
  moveTrackbar(ctl::Volume, 70, platform::TB_LINEDOWN);  // arrow keys: nothing yet
  EXPECT_EQ(settings::Volume, 35);
  moveTrackbar(ctl::Detail, 0, platform::TB_PAGEUP);
  EXPECT_EQ(settings::Volume, 70);
  EXPECT_EQ(settings::Detail, 0);
  EXPECT_EQ(settings::Gamma, 80);
}

TEST_F(ConfigDialogTest, RadioButtonsAreReadOnOkOnly) {
  store(kStoredSettings);  // 12 hrs, English
  open();
  view.control(ctl::Hours12).checked = false;
  view.control(ctl::Hours24).checked = true;
  view.control(ctl::English).checked = false;
  view.control(ctl::Metric).checked = true;
  for (int radio : {ctl::Hours12, ctl::Hours24, ctl::English, ctl::Metric}) EXPECT_FALSE(command(radio)) << radio;
  EXPECT_EQ(settings::TimeFormat, 1);
  EXPECT_EQ(settings::English, 1);
  command(ctl::Ok);
  const auto stored = storedValues();
  EXPECT_EQ(stored.at("TimeFormat"), "0");
  EXPECT_EQ(stored.at("English"), "0");
}

TEST_F(ConfigDialogTest, AboutOpensTheAboutBoxWhichOkAndCancelClose) {
  store(kStoredSettings);
  open();
  EXPECT_TRUE(command(ctl::About));
  EXPECT_EQ(view.opened, std::vector<std::string>{"About Vantorel"});
  EXPECT_EQ(view.endedWith, 0) << "the configuration dialog closed with the About box";

  for (int button : {platform::IDOK, platform::IDCANCEL}) {
    FakeDialogView about(aboutBoxResource());
    EXPECT_TRUE(aboutBoxProc(about, platform::WM_INITDIALOG, 0, 0));
    EXPECT_TRUE(aboutBoxProc(about, platform::WM_COMMAND, static_cast<platform::WPARAM>(button), 0));
    EXPECT_EQ(about.endedWith, button);
  }
  FakeDialogView about(aboutBoxResource());
  EXPECT_FALSE(aboutBoxProc(about, platform::WM_COMMAND, 1234, 0));
  EXPECT_EQ(about.endedWith, 0);
}

TEST_F(ConfigDialogTest, VisitOpensTheProductPageWithTheDesktopsOpener) {
  // An opener of our own first on the PATH writes down what it was given.
  const fs::path opened = directory_ / "opened.txt";
  const fs::path opener = directory_ / "xdg-open";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > " << opened.string() << ".part && mv " << opened.string()
                        << ".part " << opened.string() << "\n";
  fs::permissions(opener, fs::perms::owner_all);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (directory_.string() + ":" + path).c_str(), 1);

  store(kStoredSettings);
  open();
  EXPECT_TRUE(command(ctl::Visit));
  setenv("PATH", path.c_str(), 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(opened) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(readText(opened), kProductPage);
  EXPECT_EQ(view.endedWith, 0);
}

TEST_F(ConfigDialogTest, OtherMessagesAndIdsAreNotHandled) {
  store(kStoredSettings);
  open();
  EXPECT_FALSE(command(9999));
  EXPECT_FALSE(command(ctl::ModeList));
  EXPECT_FALSE(configDialogProc(view, platform::WM_PAINT, 0, 0));
  EXPECT_TRUE(configDialogProc(view, platform::WM_HSCROLL, platform::TB_ENDTRACK, ctl::Volume));
  EXPECT_EQ(view.endedWith, 0);
}

}  // namespace
