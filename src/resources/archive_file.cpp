// ArchiveFile: entry extraction, the byte reads and the line reader.
#include "resources/archive_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "resources/rar_reader.h"

namespace {

constexpr int kSpace = 0x20;
constexpr int kLineFeed = 0x0A;
constexpr int kCarriageReturn = 0x0D;
constexpr std::uint64_t kMaxPosition = std::numeric_limits<std::uint32_t>::max();

}  // namespace

ArchiveFile::ArchiveFile() : entryName_{}, data_(nullptr), size_(0), position_(0) {}

ArchiveFile::~ArchiveFile() { close(); }

bool ArchiveFile::open(const char* name) {
  close();
  entryName_[0] = '\0';
  if (name == nullptr) return false;
  std::size_t length = std::min(std::strlen(name), kMaxNameLength);
  std::memcpy(entryName_, name, length);
  entryName_[length] = '\0';
  // The full name is looked up, so a long name never finds a shorter entry.
  return rar::extractEntry(kArchiveName, name, "", data_, size_);
}

void ArchiveFile::close() {
  std::free(data_);
  data_ = nullptr;
  size_ = 0;
  position_ = 0;
}

bool ArchiveFile::atEnd() const { return position_ > size_; }

void ArchiveFile::advance(std::uint64_t count) {
  std::uint64_t room = kMaxPosition - position_;
  position_ = count >= room ? static_cast<std::uint32_t>(kMaxPosition) : static_cast<std::uint32_t>(position_ + count);
}

int ArchiveFile::readByte() {
  int byte = position_ < size_ ? data_[position_] : -1;
  advance(1);
  return byte;
}

bool ArchiveFile::readLine(char* buffer, std::size_t capacity) {
  std::size_t length = 0;
  auto append = [&](int byte) {
    if (length + 1 < capacity) buffer[length++] = static_cast<char>(byte);
  };

  int byte = readByte();
  while (byte == kSpace && !atEnd()) byte = readByte();
  while (byte != kLineFeed && !atEnd()) {
    if (byte != kCarriageReturn) append(byte);
    byte = readByte();
  }
  if (capacity > 0) buffer[length] = '\0';
  return !atEnd();
}

void ArchiveFile::read(void* destination, std::size_t count) {
  if (count == 0) return;
  if (position_ < size_) {
    std::size_t available = std::min<std::size_t>(count, size_ - position_);
    std::memcpy(destination, data_ + position_, available);
  }
  advance(count);
}

void ArchiveFile::readIfNotAtEnd(void* destination, std::size_t count) {
  if (!atEnd()) read(destination, count);
}

void ArchiveFile::seek(std::int32_t offset, int origin) {
  std::int64_t target;
  switch (origin) {
    case 0: target = offset; break;
    case 1: target = std::int64_t{position_} + offset; break;
    case 2: target = std::int64_t{size_} - offset; break;
    default: return;
  }
  if (target < 0) return;
  position_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(kMaxPosition, static_cast<std::uint64_t>(target)));
}
