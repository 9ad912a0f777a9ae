// Reads single entries of RAR archives whole into memory, over libunrar.
//
// The data archive is a RAR archive whose entries are stored or packed by the
// RAR 1.5 and 2.0 methods. An extraction opens the archive, walks its file
// headers until the first file entry whose name matches, unpacks that entry
// into a malloc'd buffer and closes the archive again; nothing is cached.
// Names match ignoring ASCII case, with '\', '/' and '_' all equal, so
// "meshes/ENV.DAT" and "meshes_env.dat" both name the entry `meshes\env.dat`.
// Every failure (missing or damaged archive, no such entry, an entry that
// needs another unpack version, a bad CRC) is a false result and prints
// nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rar {

// Unpack versions (10 × major + minor) that are extracted: 1.3 to 2.0.
constexpr unsigned kOldestUnpackVersion = 13;
constexpr unsigned kNewestUnpackVersion = 20;

// The largest entry extracted. Header sizes are not trusted: the buffer
// grows as data arrives and the extraction fails once it would pass this.
constexpr std::uint32_t kMaxEntrySize = 256u << 20;

// True when both names are equal ignoring ASCII case, with '\', '/' and '_'
// comparing equal to each other.
bool entryNamesMatch(const char* a, const char* b);

// Extracts the first file entry of the archive at archivePath whose name
// matches entryName. On success data points at a buffer from malloc (at
// least one byte even for an empty entry) that the caller releases with
// free, size holds the entry's length and the result is true. On failure
// the result is false and data and size are left as they were.
bool extractEntry(const char* archivePath, const char* entryName, const char* password,
                  unsigned char*& data, std::uint32_t& size);

// The names of the archive's file entries in archive order (directories and
// nameless, cut-off headers left out), with '\' as the path separator as the
// archive stores them. False when the file cannot be opened as a RAR archive.
// libunrar reports the end of an archive without an end block the same way
// as a damaged tail, so the listing is every header read before it stopped.
bool listEntries(const char* archivePath, std::vector<std::string>& names);

}  // namespace rar
