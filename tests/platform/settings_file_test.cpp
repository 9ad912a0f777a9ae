// The file-backed settings store: where the file lives, what it accepts from a
// damaged file, how it saves, and the locale's preferences.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/platform.h"

// glibc's newlocale keeps the list it builds from $LOCPATH (set only by the
// locale tests below) and never frees it.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

void writeFile(const fs::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
}

// Restores an environment variable when the test ends.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    hadValue_ = old != nullptr;
    if (old) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (hadValue_)
      setenv(name_.c_str(), old_.c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_, old_;
  bool hadValue_ = false;
};

class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt_settings_file_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    file_ = directory_ / "settings.conf";
    env_ = std::make_unique<ScopedEnv>("VANTOREL_SETTINGS", file_.c_str());
  }
  void TearDown() override {
    env_.reset();
    std::error_code ignored;
    fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(directory_, ignored);
  }

  std::unique_ptr<platform::SettingsStore> storeWith(const std::string& contents) {
    writeFile(file_, contents);
    return platform::openSettingsStore();
  }

  // Names in the directory besides the settings file (left-over temporaries).
  int strayFiles() const {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(directory_))
      if (entry.path() != file_) ++count;
    return count;
  }

  fs::path directory_, file_;
  std::unique_ptr<ScopedEnv> env_;
};

TEST_F(SettingsFileTest, FileLocationFollowsTheEnvironment) {
  const std::string home = (directory_ / "home").string();
  const std::string config = (directory_ / "config").string();
  struct Case {
    const char* explicitPath;
    const char* configHome;
    fs::path expected;
  } cases[] = {
      {file_.c_str(), config.c_str(), file_},
      {nullptr, config.c_str(), directory_ / "config/vantorel/settings.conf"},
      {"", config.c_str(), directory_ / "config/vantorel/settings.conf"},
      {nullptr, nullptr, directory_ / "home/.config/vantorel/settings.conf"},
      // A relative config home is ignored, as the XDG rules say.
      {nullptr, "relative/config", directory_ / "home/.config/vantorel/settings.conf"},
  };
  ScopedEnv homeEnv("HOME", home.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    ScopedEnv explicitEnv("VANTOREL_SETTINGS", c.explicitPath);
    ScopedEnv configEnv("XDG_CONFIG_HOME", c.configHome);
    auto store = platform::openSettingsStore();
    ASSERT_NE(store, nullptr);
    store->setDword("Detail", 1);
    ASSERT_TRUE(store->commit());
    EXPECT_EQ(readFile(c.expected), "Detail=1\n");
    fs::remove(c.expected);
  }
}

TEST_F(SettingsFileTest, MissingFileHasNoValues) {
  auto store = platform::openSettingsStore();
  std::uint32_t value = 7;
  char text[16];
  EXPECT_FALSE(store->queryDword("Width", value));
  EXPECT_FALSE(store->queryString("Path", text, sizeof text));
}

TEST_F(SettingsFileTest, DwordsAreDecimalAndFitThirtyTwoBits) {
  struct Case {
    const char* line;
    bool present;
    std::uint32_t value;
  } cases[] = {
      {"Width=1024", true, 1024},
      {"Width=0", true, 0},
      {"Width=0007", true, 7},
      {"  Width = 640 \t", true, 640},
      {"Width=800\r", true, 800},
      {"Width=4294967295", true, 4294967295u},
      {"Width=4294967296", false, 0},
      {"Width=99999999999999999999999999999", false, 0},
      {"Width=-1", false, 0},
      {"Width=+5", false, 0},
      {"Width=0x10", false, 0},
      {"Width=12abc", false, 0},
      {"Width=1 2", false, 0},
      {"Width=", false, 0},
      {"Width", false, 0},
      {"width=5", false, 0},  // names are case-sensitive
      {"Widths=5", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto store = storeWith(std::string("# header\n") + c.line + "\nHeight=1\n");
    std::uint32_t value = 12345;
    EXPECT_EQ(store->queryDword("Width", value), c.present);
    if (c.present) {
      EXPECT_EQ(value, c.value);
    }
    EXPECT_TRUE(store->queryDword("Height", value));
  }
}

TEST_F(SettingsFileTest, LastOccurrenceWins) {
  auto store = storeWith("Gamma=10\nGamma=20\nGamma=oops\n");
  std::uint32_t value = 0;
  // The last line names Gamma but holds no number: the value is damaged.
  EXPECT_FALSE(store->queryDword("Gamma", value));
  store = storeWith("Gamma=10\nGamma=20\n");
  ASSERT_TRUE(store->queryDword("Gamma", value));
  EXPECT_EQ(value, 20u);
}

TEST_F(SettingsFileTest, StringsMustFitWhole) {
  const std::string fits(254, 'a');
  const std::string tooLong(255, 'b');
  char buffer[255];

  auto store = storeWith("Path=" + fits + "\n");
  ASSERT_TRUE(store->queryString("Path", buffer, sizeof buffer));
  EXPECT_EQ(std::string(buffer), fits);

  std::memset(buffer, 'x', sizeof buffer);
  buffer[0] = '\0';
  store = storeWith("Path=" + tooLong + "\n");
  EXPECT_FALSE(store->queryString("Path", buffer, sizeof buffer));
  store = storeWith("Path=" + std::string(300, 'c') + "\n");
  EXPECT_FALSE(store->queryString("Path", buffer, sizeof buffer));
  EXPECT_EQ(buffer[0], '\0');  // a refused string leaves the buffer alone

  store = storeWith("Path=/data/vt\n");
  EXPECT_FALSE(store->queryString("Path", buffer, 0));
  ASSERT_TRUE(store->queryString("Path", buffer, 13));
  EXPECT_STREQ(buffer, "/data/vt");
  EXPECT_FALSE(store->queryString("Path", buffer, 8));

  store = storeWith(std::string("Path=/da\0ta\n", 12));
  EXPECT_FALSE(store->queryString("Path", buffer, sizeof buffer));
}

TEST_F(SettingsFileTest, DamagedFilesAreReadSafely) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(char((i * 7919) % 256));
  struct Case {
    const char* name;
    std::string contents;
    bool widthPresent;
    bool heightPresent;
  } cases[] = {
      {"binary bytes around values", binary + "\nWidth=1\n" + binary + "\nHeight=2\n" + binary, true, true},
      {"a line longer than the line limit", "Width=1\n" + std::string(100000, 'z') + "\nHeight=2\n", true, true},
      {"a 10 MB line", "Width=1\n" + std::string(10 << 20, 'q') + "\nHeight=2\n", true, false},
      {"a value padded past the line limit", "Height=2" + std::string(5000, ' ') + "\nWidth=1\n", true, false},
      {"more than the read limit", std::string(2 << 20, '\n') + "Width=1\nHeight=2\n", false, false},
      {"no newline at the end", "Width=1\nHeight=2", true, true},
      {"only newlines and blanks", "\n\n  \n=\n==\n", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto store = storeWith(c.contents);
    std::uint32_t value = 0;
    EXPECT_EQ(store->queryDword("Width", value), c.widthPresent);
    EXPECT_EQ(store->queryDword("Height", value), c.heightPresent);
  }
}

TEST_F(SettingsFileTest, ReadStopsInsideALineAtTheLimit) {
  // The limit cuts "Width=1024" after "Width=1", which must not count.
  std::string filler(1 << 20, '\n');
  filler.resize(filler.size() - 7);
  auto store = storeWith(filler + "Width=1024\n");
  std::uint32_t value = 0;
  EXPECT_FALSE(store->queryDword("Width", value));
}

TEST_F(SettingsFileTest, NoRegularFileMeansNoValues) {
  ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
  // A pipe must not block the open.
  auto store = platform::openSettingsStore();
  std::uint32_t value = 0;
  EXPECT_FALSE(store->queryDword("Width", value));
  fs::remove(file_);

  fs::create_directory(file_);
  store = platform::openSettingsStore();
  EXPECT_FALSE(store->queryDword("Width", value));
  store->setDword("Width", 1);
  EXPECT_FALSE(store->commit());
  EXPECT_TRUE(fs::is_directory(file_));
}

TEST_F(SettingsFileTest, SaveKeepsForeignLinesAndAppendsNewOnes) {
  const std::string before =
      "# my settings\n"
      "Path=/opt/vantorel data\n"
      "Volume=40\n"
      "SomethingElse=keep me\n"
      "\n"
      "Width=800\r\n"
      "Gamma=80\n";
  auto store = storeWith(before);
  store->setDword("Width", 1920);
  store->setDword("ShowClock", 1);
  store->setDword("Gamma", 0);
  store->setDword("Random", 0);
  store->setDword("ShowClock", 0);
  ASSERT_TRUE(store->commit());
  EXPECT_EQ(readFile(file_),
            "# my settings\n"
            "Path=/opt/vantorel data\n"
            "Volume=40\n"
            "SomethingElse=keep me\n"
            "\n"
            "Width=1920\n"
            "Gamma=0\n"
            "ShowClock=0\n"
            "Random=0\n");
  EXPECT_EQ(strayFiles(), 0);

  // What was written reads back, also through a fresh store.
  std::uint32_t value = 0;
  ASSERT_TRUE(store->queryDword("Width", value));
  EXPECT_EQ(value, 1920u);
  auto reopened = platform::openSettingsStore();
  ASSERT_TRUE(reopened->queryDword("Random", value));
  EXPECT_EQ(value, 0u);
  char path[64];
  ASSERT_TRUE(reopened->queryString("Path", path, sizeof path));
  EXPECT_STREQ(path, "/opt/vantorel data");
}

TEST_F(SettingsFileTest, SaveCreatesMissingDirectories) {
  const fs::path nested = directory_ / "a" / "b" / "c" / "settings.conf";
  ScopedEnv env("VANTOREL_SETTINGS", nested.c_str());
  auto store = platform::openSettingsStore();
  store->setDword("VSync", 1);
  ASSERT_TRUE(store->commit());
  EXPECT_EQ(readFile(nested), "VSync=1\n");
  EXPECT_EQ(fs::status(nested).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsFileTest, SaveKeepsPermissionsAndSymbolicLinks) {
  const fs::path real = directory_ / "real.conf";
  writeFile(real, "Detail=0\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink(real, file_);
  auto store = platform::openSettingsStore();
  store->setDword("Detail", 2);
  ASSERT_TRUE(store->commit());
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(readFile(real), "Detail=2\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFile) {
  const std::string before = "Width=640\nPath=/somewhere\n";
  auto store = storeWith(before);
  for (int i = 0; i < 200; ++i) store->setDword(("Value" + std::to_string(i)).c_str(), 123456789u);

  // The file-size limit makes the temporary file's write fail half-way.
  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit small = old;
  small.rlim_cur = 512;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool committed = store->commit();
  setrlimit(RLIMIT_FSIZE, &old);
  sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_FALSE(committed);
  EXPECT_EQ(readFile(file_), before);
  EXPECT_EQ(strayFiles(), 0);
}

TEST_F(SettingsFileTest, UnwritableDirectoryLeavesTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  const std::string before = "Width=640\n";
  auto store = storeWith(before);
  store->setDword("Width", 1024);
  fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(store->commit());
  fs::permissions(directory_, fs::perms::owner_all);
  EXPECT_EQ(readFile(file_), before);
  EXPECT_EQ(strayFiles(), 0);
}

TEST_F(SettingsFileTest, NoPlaceForTheFileMeansNoSave) {
  // A file where the directory should be.
  writeFile(directory_ / "blocker", "");
  ScopedEnv env("VANTOREL_SETTINGS", (directory_ / "blocker" / "settings.conf").c_str());
  auto store = platform::openSettingsStore();
  store->setDword("Width", 1);
  EXPECT_FALSE(store->commit());
  EXPECT_EQ(readFile(directory_ / "blocker"), "");
}

// Compiles locales from the system's sources into a private directory; the
// machine need not have them installed.
class LocalePreferencesTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt_locales_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
  bool compile(const std::string& name) {
    std::string command = "localedef -i " + name + " -f UTF-8 " + (directory_ / (name + ".UTF-8")).string() +
                          " >/dev/null 2>&1";
    return std::system(command.c_str()) >= 0 && fs::exists(directory_ / (name + ".UTF-8") / "LC_TIME");
  }
  fs::path directory_;
};

TEST_F(LocalePreferencesTest, ClockAndUnitsFollowTheLocale) {
  // The C locale names an AM marker but writes 24-hour times.
  {
    ScopedEnv all("LC_ALL", "C");
    platform::LocalePreferences c = platform::localePreferences();
    EXPECT_FALSE(c.twelveHourClock);
    EXPECT_FALSE(c.imperialUnits);
  }
  struct Case {
    const char* name;
    bool twelveHourClock;
    bool imperialUnits;
  } cases[] = {{"en_US", true, true}, {"en_CA", true, false}, {"de_DE", false, false}, {"en_GB", false, false}};
  for (const Case& c : cases)
    if (!compile(c.name)) GTEST_SKIP() << "localedef cannot build " << c.name;

  ScopedEnv path("LOCPATH", directory_.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv all("LC_ALL", (std::string(c.name) + ".UTF-8").c_str());
    platform::LocalePreferences preferences = platform::localePreferences();
    EXPECT_EQ(preferences.twelveHourClock, c.twelveHourClock);
    EXPECT_EQ(preferences.imperialUnits, c.imperialUnits);
  }
  // Each category on its own: US time with German measurement.
  ScopedEnv all("LC_ALL", nullptr);
  ScopedEnv time("LC_TIME", "en_US.UTF-8");
  ScopedEnv measurement("LC_MEASUREMENT", "de_DE.UTF-8");
  platform::LocalePreferences mixed = platform::localePreferences();
  EXPECT_TRUE(mixed.twelveHourClock);
  EXPECT_FALSE(mixed.imperialUnits);
}

TEST_F(LocalePreferencesTest, UnknownLocaleFallsBackToTwentyFourHoursAndMetric) {
  ScopedEnv path("LOCPATH", directory_.c_str());
  ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
  platform::LocalePreferences preferences = platform::localePreferences();
  EXPECT_FALSE(preferences.twelveHourClock);
  EXPECT_FALSE(preferences.imperialUnits);
}

}  // namespace
