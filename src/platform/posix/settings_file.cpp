// The per-user settings on POSIX systems: a text file of Name=value lines as
// the settings store, and the locale's preferences for values never chosen.
//
// The file is untrusted: it is read bounded (at most maxFileBytes, lines of
// at most maxLineBytes, longer ones skipped without being held), a number is
// plain decimal that fits 32 bits, and a string must fit its buffer whole.
// Saving rewrites the file through a temporary file in the same directory and
// a rename, so a crash leaves either the old or the new file. Lines the store
// does not own (Path, comments, unknown names) keep their place.
#include <errno.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform {

namespace {

constexpr std::size_t maxFileBytes = std::size_t{1} << 20;
constexpr std::size_t maxLineBytes = 4096;
constexpr mode_t newFileMode = 0600;
constexpr mode_t newDirectoryMode = 0700;

std::string homeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

// $VANTOREL_SETTINGS, else $XDG_CONFIG_HOME/vantorel/settings.conf, else
// ~/.config/vantorel/settings.conf; empty when there is no home either.
std::string settingsFilePath() {
  const char* explicitPath = std::getenv("VANTOREL_SETTINGS");
  if (explicitPath && *explicitPath) return explicitPath;
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome && configHome[0] == '/') return std::string(configHome) + "/vantorel/settings.conf";
  std::string home = homeDirectory();
  return home.empty() ? std::string() : home + "/.config/vantorel/settings.conf";
}

// Splits what was read into lines, dropping overlong ones as they stream by.
class LineCollector {
 public:
  explicit LineCollector(std::vector<std::string>& lines) : lines_(lines) {}

  void add(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      if (bytes[i] == '\n') {
        if (!overlong_) lines_.push_back(line_);
        line_.clear();
        overlong_ = false;
      } else if (!overlong_) {
        if (line_.size() == maxLineBytes) {
          overlong_ = true;
          line_.clear();
        } else {
          line_.push_back(bytes[i]);
        }
      }
    }
  }

  // A last line without a newline counts, unless the read stopped inside it.
  void finish(bool complete) {
    if (complete && !overlong_ && !line_.empty()) lines_.push_back(line_);
  }

 private:
  std::vector<std::string>& lines_;
  std::string line_;
  bool overlong_ = false;
};

// Reads the lines of a regular file and its permission bits. False when
// there is no such file (a missing file, a directory, a device, a pipe).
bool readLines(const std::string& path, std::vector<std::string>& lines, mode_t& mode) {
  // Non-blocking so that a pipe in the file's place cannot hang the open.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  mode = info.st_mode & 0777;

  LineCollector collector(lines);
  char chunk[16384];
  std::size_t total = 0;
  bool complete = false;
  while (total < maxFileBytes) {
    std::size_t wanted = std::min(sizeof chunk, maxFileBytes - total);
    ssize_t got = read(fd, chunk, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      complete = got == 0;
      break;
    }
    collector.add(chunk, static_cast<std::size_t>(got));
    total += static_cast<std::size_t>(got);
  }
  if (total == maxFileBytes) {
    char probe;
    complete = read(fd, &probe, 1) == 0;
  }
  collector.finish(complete);
  close(fd);
  return true;
}

std::string_view trimmed(std::string_view text) {
  const char* blanks = " \t\r";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The value of a "Name=value" line whose name is name (blanks around either
// side do not count).
bool lineValue(std::string_view line, std::string_view name, std::string_view& value) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != name) return false;
  value = trimmed(line.substr(equals + 1));
  return true;
}

// Plain decimal digits for a value from 0 to 4294967295.
bool parseDword(std::string_view text, std::uint32_t& out) {
  if (text.empty()) return false;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + std::uint64_t(c - '0');
    if (value > 0xFFFFFFFFu) return false;
  }
  out = static_cast<std::uint32_t>(value);
  return true;
}

// The directory part of a file path ("." for a bare name).
std::string parentDirectory(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeDirectories(const std::string& directory) {
  for (std::size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
    std::string prefix = directory.substr(0, slash);
    if (mkdir(prefix.c_str(), newDirectoryMode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A settings file that is a symbolic link is written where the link points,
// so that the link survives the rename.
std::string writeTarget(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

bool writeAll(int fd, const std::string& contents) {
  std::size_t written = 0;
  while (written < contents.size()) {
    ssize_t n = write(fd, contents.data() + written, contents.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes a finished rename durable; a failure here loses nothing already written.
void syncDirectory(const std::string& directory) {
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

class SettingsFile final : public SettingsStore {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {
    if (!path_.empty()) readLines(path_, lines_, mode_);
  }

  bool queryDword(const char* name, std::uint32_t& out) const override {
    std::string_view value;
    return findValue(name, value) && parseDword(value, out);
  }

  bool queryString(const char* name, char* out, std::size_t capacity) const override {
    std::string_view value;
    if (!out || capacity == 0 || !findValue(name, value)) return false;
    if (value.size() > capacity - 1 || value.find('\0') != std::string_view::npos) return false;
    std::memcpy(out, value.data(), value.size());
    out[value.size()] = '\0';
    return true;
  }

  void setDword(const char* name, std::uint32_t value) override {
    std::string line = std::string(name) + "=" + std::to_string(value);
    std::size_t index = findLine(name);
    if (index < lines_.size())
      lines_[index] = std::move(line);
    else
      lines_.push_back(std::move(line));
  }

  bool commit() override {
    if (path_.empty()) return false;
    std::string target = writeTarget(path_);
    std::string directory = parentDirectory(target);
    if (!makeDirectories(directory)) return false;

    std::string contents;
    for (const std::string& line : lines_) {
      contents += line;
      contents += '\n';
    }

    std::string temporary = target + ".XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool written = writeAll(fd, contents) && fchmod(fd, mode_) == 0 && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
      unlink(temporary.c_str());
      return false;
    }
    syncDirectory(directory);
    return true;
  }

 private:
  // The index of the line that holds name; the last one wins when a name
  // appears twice. lines_.size() when there is none.
  std::size_t findLine(std::string_view name) const {
    std::string_view unused;
    for (std::size_t i = lines_.size(); i-- > 0;)
      if (lineValue(lines_[i], name, unused)) return i;
    return lines_.size();
  }

  bool findValue(std::string_view name, std::string_view& value) const {
    std::size_t index = findLine(name);
    return index < lines_.size() && lineValue(lines_[index], name, value);
  }

  std::string path_;
  std::vector<std::string> lines_;
  mode_t mode_ = newFileMode;
};

// True when a strftime format shows an AM/PM marker (%p, %P or %r).
bool formatShowsAmPm(const char* format) {
  if (!format) return false;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    // Flags, a width and the E and O modifiers may come between.
    while (*p && std::strchr("_-0^#EO123456789", *p)) ++p;
    if (*p == '\0') break;
    if (*p == 'p' || *p == 'P' || *p == 'r') return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<SettingsStore> openSettingsStore() { return std::make_unique<SettingsFile>(settingsFilePath()); }

LocalePreferences localePreferences() {
  // Locale objects of their own: the process locale stays "C" for parsing.
  LocalePreferences preferences;
  if (locale_t timeLocale = newlocale(LC_TIME_MASK, "", locale_t(0))) {
    const char* amMarker = nl_langinfo_l(AM_STR, timeLocale);
    preferences.twelveHourClock = amMarker && *amMarker && formatShowsAmPm(nl_langinfo_l(T_FMT, timeLocale));
    freelocale(timeLocale);
  }
#ifdef __GLIBC__
  if (locale_t measurementLocale = newlocale(LC_MEASUREMENT_MASK, "", locale_t(0))) {
    // 1 is metric, 2 US customary.
    const char* system = nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, measurementLocale);
    preferences.imperialUnits = system && system[0] == 2;
    freelocale(measurementLocale);
  }
#endif
  return preferences;
}

}  // namespace platform
