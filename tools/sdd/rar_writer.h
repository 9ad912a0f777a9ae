// Writes RAR 2.x archives of stored (uncompressed) entries.
//
// An archive is the 7-byte marker block, the archive header, one file header
// per entry followed by the entry's bytes unchanged, and the end-of-archive
// block. Every block header carries the low 16 bits of the CRC-32 of its
// bytes from the type byte on; a file header also carries the CRC-32 of the
// data. Entries are written as from an MS-DOS host, with unpack version 2.0,
// the archive attribute and one fixed timestamp, so the same files always
// give the same archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rar {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kFileBlock = 0x74;
constexpr std::uint8_t kStoredMethod = 0x30;
constexpr std::uint8_t kStoredUnpackVersion = 20;  // 10 × major + minor
constexpr std::uint8_t kHostMsDos = 0;
constexpr std::uint32_t kDosArchiveAttribute = 0x20;
// 2000-01-01 00:00:00 as an MS-DOS date (high word) and time (low word).
constexpr std::uint32_t kFixedDosTimestamp = ((2000u - 1980u) << 25) | (1u << 21) | (1u << 16);
// A file header without its name.
constexpr std::size_t kFileHeaderFixedSize = 32;

struct StoredEntry {
  std::string name;  // with '\' between directories
  Bytes data;
};

// Stores the header CRC of one block, computed over block[2..size).
void sealBlock(std::uint8_t* block, std::size_t size);

// The marker block and the archive header that open every archive.
Bytes archiveStart();
// The file header of one stored entry; the data follows it unchanged. False,
// with the reason, when the name is empty, holds a NUL or is too long for a
// header, or the data does not fit 32 bits.
bool storedFileHeader(const std::string& name, const std::uint8_t* data, std::size_t size, Bytes& header,
                      std::string& error);
// The block that closes every archive.
Bytes archiveEnd();

// A whole archive in memory.
bool buildStoredArchive(const std::vector<StoredEntry>& entries, Bytes& archive, std::string& error);

}  // namespace rar
