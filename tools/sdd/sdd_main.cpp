// sdd: packs, lists and extracts Vantorel data archives.
#include <cstdio>
#include <cstring>

#include "sdd_commands.h"

namespace {

int usage() {
  std::fputs(
      "usage: sdd pack ARCHIVE DIR     pack every file under DIR\n"
      "       sdd list ARCHIVE         print the entry names\n"
      "       sdd cat ARCHIVE ENTRY    write one entry to stdout\n",
      stderr);
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const char* command = argv[1];
  if (std::strcmp(command, "pack") == 0 && argc == 4) return packCommand(argv[2], argv[3]);
  if (std::strcmp(command, "list") == 0 && argc == 3) return listCommand(argv[2]);
  if (std::strcmp(command, "cat") == 0 && argc == 4) return catCommand(argv[2], argv[3]);
  return usage();
}
