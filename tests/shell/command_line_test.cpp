// The screensaver switches, the monitor table and the Linux launch options.
#include <gtest/gtest.h>

#include "shell/launch_options.h"
#include "shell/saver_app.h"
#include "shell/settings.h"

namespace {

struct SwitchCase {
  const char* commandLine;
  RunMode mode;
  int windowNumber;
};

TEST(CommandLine, SwitchesGiveTheirRunModes) {
  const SwitchCase cases[] = {
      {"\"C:\\Program Files\\Vantorel\\vantorel.scr\" /p 1234", RunMode::Preview, 1234},
      {"vantorel.scr", RunMode::Configure, 0},
      {"\"C:\\a b\\vantorel.scr\"", RunMode::Configure, 0},
      {"vantorel.scr /c", RunMode::Configure, 0},
      {"vantorel.scr /c:1234", RunMode::Configure, 1234},
      {"vantorel.scr /c 1234", RunMode::Configure, 1234},
      {"vantorel.scr -C1234", RunMode::Configure, 1234},
      {"vantorel.scr /p 42", RunMode::Preview, 42},
      {"vantorel.scr /P", RunMode::Preview, 0},
      {"vantorel.scr -t", RunMode::Test, 0},
      {"vantorel.scr /T", RunMode::Test, 0},
      {"vantorel.scr /s", RunMode::Saver, 0},
      {"vantorel.scr /S", RunMode::Saver, 0},
      {"vantorel.scr /x", RunMode::Saver, 0},
      {"vantorel.scr /", RunMode::Saver, 0},
      {"vantorel.scr plain words", RunMode::Configure, 0},
      // The program path is skipped whole, even when it holds a switch character.
      {"\"/usr/bin/x-t\" /s", RunMode::Saver, 0},
      {"\"unterminated /t", RunMode::Configure, 0},
      {"", RunMode::Configure, 0},
  };
  for (const SwitchCase& c : cases) {
    SaverApp app;
    app.windowNumber = 99;
    EXPECT_EQ(app.parseCommandLine(c.commandLine), c.mode) << c.commandLine;
    EXPECT_EQ(app.windowNumber, c.windowNumber) << c.commandLine;
  }
}

platform::DisplayAdapter attached(int left, int top, int width, int height, bool primary = false) {
  platform::DisplayAdapter adapter;
  adapter.attachedToDesktop = true;
  adapter.primary = primary;
  adapter.rect = {left, top, left + width, top + height};
  adapter.monitorHandle = static_cast<std::uintptr_t>(100 + left);
  return adapter;
}

TEST(MonitorTable, SkipsMirrorsKeepsDetachedAndStopsAtNine) {
  std::vector<platform::DisplayAdapter> adapters;
  adapters.push_back(attached(0, 0, 1920, 1080, true));
  platform::DisplayAdapter mirror = attached(0, 0, 1920, 1080);
  mirror.mirroring = true;
  adapters.push_back(mirror);
  adapters.push_back(platform::DisplayAdapter{});  // not attached: a record with a null monitor
  for (int i = 1; i <= 9; ++i) adapters.push_back(attached(1920 * i, 0, 1280, 1024));

  SaverApp app;
  app.fillMonitorTable(adapters);
  ASSERT_EQ(app.monitorCount, 9u);
  EXPECT_EQ(app.monitors[0].rect.right, 1920);
  EXPECT_EQ(app.monitors[0].rect.bottom, 1080);
  EXPECT_NE(app.monitors[0].monitor, 0u);
  EXPECT_EQ(app.monitors[1].monitor, 0u);
  EXPECT_EQ(app.monitors[2].rect.left, 1920);
  EXPECT_EQ(app.monitors[2].rect.right, 1920 + 1280);
  EXPECT_EQ(app.monitors[8].rect.left, 1920 * 7);  // the eighth and ninth extra ones never fit
}

TEST(MonitorTable, PrimaryStartsAtTheOrigin) {
  SaverApp app;
  app.fillMonitorTable({attached(1280, 0, 1024, 768), attached(200, 100, 800, 600, true)});
  ASSERT_EQ(app.monitorCount, 2u);
  EXPECT_EQ(app.monitors[1].rect.left, 0);
  EXPECT_EQ(app.monitors[1].rect.top, 0);
  EXPECT_EQ(app.monitors[1].rect.right, 800);
  EXPECT_EQ(app.monitors[1].rect.bottom, 600);
}

TEST(LaunchOptions, RenderOptionsAndWhatIsLeft) {
  const LaunchOptions options = parseLaunchOptions(
      {"/opt/v/vantorel", "--render", "out", "--seconds", "2", "--fps", "10", "--size", "1024x768",
       "--start-scene", "earth1.txt", "/s"},
      nullptr);
  EXPECT_TRUE(options.error.empty()) << options.error;
  EXPECT_TRUE(options.render);
  EXPECT_EQ(options.renderDirectory, "out");
  EXPECT_DOUBLE_EQ(options.seconds, 2.0);
  EXPECT_DOUBLE_EQ(options.framesPerSecond, 10.0);
  EXPECT_EQ(options.width, 1024);
  EXPECT_EQ(options.height, 768);
  EXPECT_EQ(options.startScene, "earth1.txt");
  EXPECT_EQ(options.commandLine, "\"/opt/v/vantorel\" /s");
}

TEST(LaunchOptions, XscreensaverWindows) {
  EXPECT_EQ(parseLaunchOptions({"v", "-window-id", "0x1a00003"}, nullptr).hostWindow, 0x1a00003u);
  EXPECT_EQ(parseLaunchOptions({"v", "--window-id", "4242"}, nullptr).hostWindow, 4242u);
  EXPECT_EQ(parseLaunchOptions({"v"}, "0x2c00001").hostWindow, 0x2c00001u);
  EXPECT_EQ(parseLaunchOptions({"v"}, "12345").hostWindow, 12345u);
  EXPECT_TRUE(parseLaunchOptions({"v", "-root"}, nullptr).hostRoot);
  // An explicit option wins over the environment.
  EXPECT_EQ(parseLaunchOptions({"v", "-window-id", "7"}, "0x99").hostWindow, 7u);
}

TEST(LaunchOptions, RootMeansXscreensaversWindowWhenItNamesOne) {
  const LaunchOptions hack = parseLaunchOptions({"v", "--root"}, "0x2c00001");
  EXPECT_EQ(hack.hostWindow, 0x2c00001u);
  EXPECT_FALSE(hack.hostRoot);
  const LaunchOptions root = parseLaunchOptions({"v", "-root"}, "");
  EXPECT_TRUE(root.hostRoot);
  EXPECT_EQ(root.hostWindow, 0u);
}

TEST(LaunchOptions, XscreensaverSettingOptionsOverrideTheStoredSettingsForTheRun) {
  const LaunchOptions options = parseLaunchOptions(
      {"v", "--detail", "medium", "--random", "--no-clock", "--clock-format", "12", "--units", "english",
       "--no-music", "--volume", "40", "-fps", "--vsync", "-delay", "20000", "-root"},
      nullptr);
  ASSERT_TRUE(options.error.empty()) << options.error;
  EXPECT_TRUE(options.hostRoot);
  EXPECT_EQ(options.commandLine, "\"v\"");

  using namespace settings;
  Detail = 2, Random = 0, ShowClock = 1, TimeFormat = 0, English = 0, EnableMusic = 1, Volume = 100, ShowFPS = 0,
  VSync = 0, MouseExit = 1, UseDesktop = 1;
  applySettingOverrides(options.overrides);
  EXPECT_EQ(Detail, 1);
  EXPECT_EQ(Random, 1);
  EXPECT_EQ(ShowClock, 0);
  EXPECT_EQ(TimeFormat, 1);
  EXPECT_EQ(English, 1);
  EXPECT_EQ(EnableMusic, 0);
  EXPECT_EQ(Volume, 40);
  EXPECT_EQ(ShowFPS, 1);
  EXPECT_EQ(VSync, 1);
  EXPECT_EQ(MouseExit, 1);  // no option touches the others
  EXPECT_EQ(UseDesktop, 1);

  // The opposite words, and options left out leave the settings alone.
  applySettingOverrides(parseLaunchOptions({"v", "--detail", "low", "--no-random", "--clock", "--clock-format", "24",
                                            "--units", "metric", "--music", "--no-fps", "--no-vsync"},
                                           nullptr)
                            .overrides);
  EXPECT_EQ(Detail, 0);
  EXPECT_EQ(Random, 0);
  EXPECT_EQ(ShowClock, 1);
  EXPECT_EQ(TimeFormat, 0);
  EXPECT_EQ(English, 0);
  EXPECT_EQ(EnableMusic, 1);
  EXPECT_EQ(Volume, 40);
  EXPECT_EQ(ShowFPS, 0);
  EXPECT_EQ(VSync, 0);
  applySettingOverrides(parseLaunchOptions({"v", "/s"}, nullptr).overrides);
  EXPECT_EQ(Detail, 0);
  EXPECT_EQ(Volume, 40);
}

TEST(LaunchOptions, FpsBeforeANumberIsTheRenderersRateAndElsewhereTheFrameCounter) {
  const LaunchOptions render = parseLaunchOptions({"v", "--render", "d", "--fps", "12.5"}, nullptr);
  EXPECT_DOUBLE_EQ(render.framesPerSecond, 12.5);
  EXPECT_FALSE(render.overrides.showFps.has_value());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"v", "-fps"}, {"v", "-fps", "-root"},
                                               {"v", "--fps", "/s"}}) {
    const LaunchOptions hack = parseLaunchOptions(args, nullptr);
    EXPECT_TRUE(hack.error.empty()) << hack.error;
    EXPECT_EQ(hack.overrides.showFps, true) << args.size();
  }
  EXPECT_EQ(parseLaunchOptions({"v", "--fps", "/s"}, nullptr).commandLine, "\"v\" /s");
}

TEST(HostedMusic, OnlyTheWindowOnThePrimaryMonitorPlays) {
  auto monitor = [](int left, bool primary) {
    platform::DisplayAdapter adapter;
    adapter.attachedToDesktop = true;
    adapter.primary = primary;
    adapter.rect = {left, 0, left + 1920, 1080};
    return adapter;
  };
  const std::vector<platform::DisplayAdapter> adapters = {monitor(0, false), monitor(1920, true)};
  EXPECT_FALSE(windowOnPrimaryMonitor({0, 0, 1920, 1080}, adapters));
  EXPECT_TRUE(windowOnPrimaryMonitor({1920, 0, 3840, 1080}, adapters));
  EXPECT_TRUE(windowOnPrimaryMonitor({2000, 100, 2400, 400}, adapters));  // a preview window inside it
  EXPECT_TRUE(windowOnPrimaryMonitor({1000, 0, 3000, 1080}, adapters));   // its centre is there
  EXPECT_FALSE(windowOnPrimaryMonitor({1920, 0, 3840, 1080}, {monitor(0, true)}));
  EXPECT_FALSE(windowOnPrimaryMonitor({0, 0, 100, 100}, {}));
}

TEST(LaunchOptions, BadValuesAreReported) {
  const std::vector<std::vector<std::string>> bad = {
      {"v", "--render"},           {"v", "--render", "d", "--fps", "0"},
      {"v", "--size", "800"},      {"v", "--size", "800x-6"},
      {"v", "--seconds", "lots"},  {"v", "-window-id", "zz"},
      {"v", "-window-id"},         {"v", "--size", "99999x600"},
      {"v", "--detail", "ultra"},  {"v", "--detail"},
      {"v", "--volume", "0"},      {"v", "--volume", "101"},
      {"v", "--volume", "5.5"},    {"v", "--volume"},
      {"v", "--units", "furlongs"}, {"v", "--clock-format", "13"},
      {"v", "-delay", "soon"},     {"v", "-delay"},
  };
  for (const auto& args : bad) EXPECT_FALSE(parseLaunchOptions(args, nullptr).error.empty()) << args.back();
  EXPECT_EQ(parseLaunchOptions({"v", "--units", "x"}, nullptr).error, "--units needs metric or english");
  EXPECT_FALSE(parseLaunchOptions({"v"}, "not-a-window").error.empty());
}

}  // namespace
