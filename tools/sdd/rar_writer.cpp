// RAR 2.x block layout for archives of stored entries.
#include "rar_writer.h"

#include <limits>

#include "crc32.h"

namespace rar {
namespace {

constexpr std::uint8_t kMarkerBlock[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr std::uint8_t kArchiveBlock = 0x73;
constexpr std::uint8_t kEndBlock = 0x7B;
constexpr std::uint16_t kArchiveHeaderSize = 13;
constexpr std::uint16_t kEndHeaderSize = 7;
// The block is followed by data whose size is the header's first field.
constexpr std::uint16_t kLongBlockFlag = 0x8000;
// Readers that do not know the block skip it.
constexpr std::uint16_t kSkipIfUnknownFlag = 0x4000;

void put16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
  put16(out, static_cast<std::uint16_t>(value));
  put16(out, static_cast<std::uint16_t>(value >> 16));
}

// The common start of every block header, with room for its CRC.
void beginBlock(Bytes& out, std::uint8_t type, std::uint16_t flags, std::uint16_t headerSize) {
  put16(out, 0);
  out.push_back(type);
  put16(out, flags);
  put16(out, headerSize);
}

}  // namespace

void sealBlock(std::uint8_t* block, std::size_t size) {
  std::uint32_t crc = crc32(block + 2, size - 2);
  block[0] = static_cast<std::uint8_t>(crc);
  block[1] = static_cast<std::uint8_t>(crc >> 8);
}

Bytes archiveStart() {
  Bytes out(std::begin(kMarkerBlock), std::end(kMarkerBlock));
  Bytes header;
  beginBlock(header, kArchiveBlock, 0, kArchiveHeaderSize);
  put16(header, 0);  // reserved
  put32(header, 0);  // reserved
  sealBlock(header.data(), header.size());
  out.insert(out.end(), header.begin(), header.end());
  return out;
}

bool storedFileHeader(const std::string& name, const std::uint8_t* data, std::size_t size, Bytes& header,
                      std::string& error) {
  constexpr std::size_t kMaxName = std::numeric_limits<std::uint16_t>::max() - kFileHeaderFixedSize;
  if (name.empty() || name.size() > kMaxName || name.find('\0') != std::string::npos) {
    error = "entry name is empty, too long or holds a NUL: " + name;
    return false;
  }
  if (size > std::numeric_limits<std::uint32_t>::max()) {
    error = "entry is larger than 4 GiB: " + name;
    return false;
  }
  auto dataSize = static_cast<std::uint32_t>(size);
  header.clear();
  beginBlock(header, kFileBlock, kLongBlockFlag, static_cast<std::uint16_t>(kFileHeaderFixedSize + name.size()));
  put32(header, dataSize);  // packed size
  put32(header, dataSize);  // unpacked size
  header.push_back(kHostMsDos);
  put32(header, crc32(data, size));
  put32(header, kFixedDosTimestamp);
  header.push_back(kStoredUnpackVersion);
  header.push_back(kStoredMethod);
  put16(header, static_cast<std::uint16_t>(name.size()));
  put32(header, kDosArchiveAttribute);
  header.insert(header.end(), name.begin(), name.end());
  sealBlock(header.data(), header.size());
  return true;
}

Bytes archiveEnd() {
  Bytes block;
  beginBlock(block, kEndBlock, kSkipIfUnknownFlag, kEndHeaderSize);
  sealBlock(block.data(), block.size());
  return block;
}

bool buildStoredArchive(const std::vector<StoredEntry>& entries, Bytes& archive, std::string& error) {
  archive = archiveStart();
  Bytes header;
  for (const StoredEntry& entry : entries) {
    if (!storedFileHeader(entry.name, entry.data.data(), entry.data.size(), header, error)) return false;
    archive.insert(archive.end(), header.begin(), header.end());
    archive.insert(archive.end(), entry.data.begin(), entry.data.end());
  }
  Bytes end = archiveEnd();
  archive.insert(archive.end(), end.begin(), end.end());
  return true;
}

}  // namespace rar
