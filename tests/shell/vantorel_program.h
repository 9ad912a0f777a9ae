// One run of the built vantorel program for the shell's integration tests:
// its own settings file in a fresh directory, its arguments and environment,
// its output kept in files, and its end awaited with a generous deadline.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vt_test {

namespace fs = std::filesystem;

inline std::string readWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class VantorelProgram {
 public:
  // settings: the settings file's text. environment: extra NAME=value pairs.
  VantorelProgram(const std::vector<std::string>& arguments, const std::string& settings,
                  const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    char pattern[] = "/tmp/vt-program-XXXXXX";
    if (mkdtemp(pattern)) directory_ = pattern;
    settingsPath_ = directory_ / "settings.conf";
    std::ofstream(settingsPath_, std::ios::binary) << settings;
    const std::string output = (directory_ / "output.txt").string();
    pid_ = fork();
    if (pid_ == 0) {
      const int log = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
      setenv("VANTOREL_SETTINGS", settingsPath_.c_str(), 1);
      setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus for GTK to look for
      for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
      const std::string program = std::string(VT_BINARY_DIR) + "/bin/vantorel";
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
  }

  ~VantorelProgram() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }

  pid_t pid() const { return pid_; }
  const fs::path& settingsPath() const { return settingsPath_; }
  std::string settingsText() const { return readWholeFile(settingsPath_); }
  std::string output() const { return readWholeFile(directory_ / "output.txt"); }

  // True once the program has ended; its exit status (128 + signal when a
  // signal ended it) then in `status`.
  bool hasExited(int& status) {
    if (!exited_) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) != pid_) return false;
      exited_ = true;
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    status = status_;
    return true;
  }

  // Waits up to `limit` seconds for the end; the time it took, or -1.
  double secondsToExit(int& status, double limit = 10.0) {
    const auto start = std::chrono::steady_clock::now();
    while (!hasExited(status)) {
      if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > limit) return -1.0;
      usleep(2000);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  fs::path directory_;
  fs::path settingsPath_;
  pid_t pid_ = -1;
  bool exited_ = false;
  int status_ = -1;
};

}  // namespace vt_test
