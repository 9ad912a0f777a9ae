// The screensaver switches, the monitor table and the Linux launch options.
#include <gtest/gtest.h>

#include "shell/launch_options.h"
#include "shell/saver_app.h"

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

TEST(LaunchOptions, BadValuesAreReported) {
  const std::vector<std::vector<std::string>> bad = {
      {"v", "--render"},           {"v", "--render", "d", "--fps", "0"},
      {"v", "--size", "800"},      {"v", "--size", "800x-6"},
      {"v", "--seconds", "lots"},  {"v", "-window-id", "zz"},
      {"v", "-window-id"},         {"v", "--size", "99999x600"},
  };
  for (const auto& args : bad) EXPECT_FALSE(parseLaunchOptions(args, nullptr).error.empty()) << args.back();
  EXPECT_FALSE(parseLaunchOptions({"v"}, "not-a-window").error.empty());
}

}  // namespace
