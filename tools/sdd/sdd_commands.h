// The sdd subcommands; each returns the process exit status.
#pragma once

// Exit status for a failed command; a wrong command line gives kUsageError.
constexpr int kCommandFailed = 1;
constexpr int kUsageError = 2;

// Writes every regular file under directory, sorted by path, into a new
// archive of stored entries named with '\' between directories.
int packCommand(const char* archivePath, const char* directory);
// Prints the name of every file entry, one per line.
int listCommand(const char* archivePath);
// Writes the entry's bytes to stdout through the reader the saver uses.
int catCommand(const char* archivePath, const char* entryName);
