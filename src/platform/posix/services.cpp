// Services that are the same on every POSIX backend: libraries, directories,
// the web opener.
#include <dlfcn.h>
#include <limits.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"

extern char** environ;

namespace platform {

LibraryHandle loadLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void* libraryFunction(LibraryHandle library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void freeLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

bool setCurrentDirectory(const std::string& path) { return !path.empty() && chdir(path.c_str()) == 0; }

std::string currentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string executableDirectory() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return currentDirectory();
  std::string path(buffer, static_cast<std::size_t>(n));
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool openUrl(const std::string& url) {
  // The desktop's opener, detached so that the dialog does not wait for it.
  const char* argv[] = {"xdg-open", url.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
    return false;
  return true;
}

}  // namespace platform
