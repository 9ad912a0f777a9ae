// sdd list and sdd cat: the archive seen through the saver's own reader.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/rar_reader.h"
#include "sdd_commands.h"

int listCommand(const char* archivePath) {
  std::vector<std::string> names;
  if (!rar::listEntries(archivePath, names)) {
    std::fprintf(stderr, "sdd: cannot open the archive %s\n", archivePath);
    return kCommandFailed;
  }
  for (const std::string& name : names) std::printf("%s\n", name.c_str());
  return 0;
}

int catCommand(const char* archivePath, const char* entryName) {
  unsigned char* data = nullptr;
  std::uint32_t size = 0;
  if (!rar::extractEntry(archivePath, entryName, "", data, size)) {
    std::fprintf(stderr, "sdd: no entry %s in %s\n", entryName, archivePath);
    return kCommandFailed;
  }
  bool written = std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0;
  std::free(data);
  if (!written) {
    std::fprintf(stderr, "sdd: cannot write the entry %s\n", entryName);
    return kCommandFailed;
  }
  return 0;
}
