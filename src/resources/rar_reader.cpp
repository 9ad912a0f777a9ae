// Single-entry extraction and listing of RAR archives through libunrar.
#include "resources/rar_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// Last: libunrar's header defines LPARAM, HANDLE and friends as macros.
#include <unrar/dll.hpp>

namespace rar {
namespace {

// First buffer size for an entry; the header's size is only a hint.
constexpr std::size_t kInitialReserve = 1u << 20;

char foldForMatch(char c) {
  if (c == '\\' || c == '/') return '_';
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

// Collects the unpacked bytes of the one entry being extracted. libunrar
// also reports the data of entries it has to unpack on the way through a
// solid archive; those arrive while `collecting` is false and are ignored.
class EntrySink {
 public:
  EntrySink() = default;
  EntrySink(const EntrySink&) = delete;
  EntrySink& operator=(const EntrySink&) = delete;
  ~EntrySink() { std::free(data_); }

  bool begin(std::uint32_t expectedSize) {
    capacity_ = std::max<std::size_t>(1, std::min<std::size_t>(expectedSize, kInitialReserve));
    data_ = static_cast<unsigned char*>(std::malloc(capacity_));
    collecting_ = data_ != nullptr;
    return collecting_;
  }

  // False stops the extraction: too much data, or no memory for it.
  bool append(const unsigned char* bytes, std::size_t count) {
    if (!collecting_) return true;
    if (count > kMaxEntrySize - size_) return fail();
    if (size_ + count > capacity_) {
      std::size_t grown = capacity_;
      while (grown < size_ + count) grown *= 2;
      grown = std::min<std::size_t>(grown, kMaxEntrySize);
      auto* moved = static_cast<unsigned char*>(std::realloc(data_, grown));
      if (moved == nullptr) return fail();
      data_ = moved;
      capacity_ = grown;
    }
    std::memcpy(data_ + size_, bytes, count);
    size_ += count;
    return true;
  }

  void end() { collecting_ = false; }
  bool failed() const { return failed_; }
  std::size_t size() const { return size_; }

  // Hands the buffer over; the sink no longer owns it.
  unsigned char* release() {
    unsigned char* taken = data_;
    data_ = nullptr;
    return taken;
  }

 private:
  bool fail() {
    failed_ = true;
    collecting_ = false;
    return false;
  }

  unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  bool collecting_ = false;
  bool failed_ = false;
};

// Data goes to the sink; volume changes and password requests are refused,
// which makes libunrar give up on split or encrypted entries quietly.
int CALLBACK onUnrarEvent(UINT message, LPARAM userData, LPARAM p1, LPARAM p2) {
  if (message != UCM_PROCESSDATA) return -1;
  auto* sink = reinterpret_cast<EntrySink*>(userData);
  if (sink == nullptr || p2 < 0) return -1;
  return sink->append(reinterpret_cast<const unsigned char*>(p1), static_cast<std::size_t>(p2)) ? 1 : -1;
}

// An open archive, closed when it goes out of scope.
class OpenArchive {
 public:
  OpenArchive(const char* path, unsigned mode, EntrySink* sink) {
    std::vector<char> name(path, path + std::strlen(path) + 1);
    RAROpenArchiveDataEx request{};
    request.ArcName = name.data();
    request.OpenMode = mode;
    request.Callback = onUnrarEvent;
    request.UserData = reinterpret_cast<LPARAM>(sink);
    handle_ = RAROpenArchiveEx(&request);
    if (request.OpenResult != ERAR_SUCCESS && handle_ != nullptr) {
      RARCloseArchive(handle_);
      handle_ = nullptr;
    }
  }
  OpenArchive(const OpenArchive&) = delete;
  OpenArchive& operator=(const OpenArchive&) = delete;
  ~OpenArchive() {
    if (handle_ != nullptr) RARCloseArchive(handle_);
  }

  bool isOpen() const { return handle_ != nullptr; }
  HANDLE handle() const { return handle_; }

  // The next header, with its names terminated; ERAR_END_ARCHIVE at the end.
  int readHeader(RARHeaderDataEx& header) {
    int result = RARReadHeaderEx(handle_, &header);
    header.FileName[sizeof header.FileName - 1] = '\0';
    return result;
  }

 private:
  HANDLE handle_ = nullptr;
};

bool isDirectory(const RARHeaderDataEx& header) { return (header.Flags & RHDF_DIRECTORY) != 0; }

bool hasSupportedVersion(const RARHeaderDataEx& header) {
  return header.UnpVer >= kOldestUnpackVersion && header.UnpVer <= kNewestUnpackVersion;
}

// Unpacks the entry whose header was just read into the sink.
bool unpackCurrent(OpenArchive& archive, const RARHeaderDataEx& header, EntrySink& sink) {
  if (header.UnpSizeHigh != 0 || header.UnpSize > kMaxEntrySize) return false;
  if (!sink.begin(header.UnpSize)) return false;
  int result = RARProcessFile(archive.handle(), RAR_TEST, nullptr, nullptr);
  sink.end();
  return result == ERAR_SUCCESS && !sink.failed() && sink.size() == header.UnpSize;
}

}  // namespace

bool entryNamesMatch(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (foldForMatch(*a) != foldForMatch(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool extractEntry(const char* archivePath, const char* entryName, const char* password,
                  unsigned char*& data, std::uint32_t& size) {
  if (archivePath == nullptr || entryName == nullptr || entryName[0] == '\0') return false;
  EntrySink sink;
  OpenArchive archive(archivePath, RAR_OM_EXTRACT, &sink);
  if (!archive.isOpen()) return false;
  if (password != nullptr && password[0] != '\0') {
    std::vector<char> secret(password, password + std::strlen(password) + 1);
    RARSetPassword(archive.handle(), secret.data());
  }

  RARHeaderDataEx header{};
  while (archive.readHeader(header) == ERAR_SUCCESS) {
    if (!isDirectory(header) && entryNamesMatch(header.FileName, entryName)) {
      if (!hasSupportedVersion(header) || !unpackCurrent(archive, header, sink)) return false;
      size = static_cast<std::uint32_t>(sink.size());
      data = sink.release();
      return true;
    }
    if (RARProcessFile(archive.handle(), RAR_SKIP, nullptr, nullptr) != ERAR_SUCCESS) return false;
  }
  return false;
}

bool listEntries(const char* archivePath, std::vector<std::string>& names) {
  if (archivePath == nullptr) return false;
  OpenArchive archive(archivePath, RAR_OM_LIST, nullptr);
  if (!archive.isOpen()) return false;

  RARHeaderDataEx header{};
  while (archive.readHeader(header) == ERAR_SUCCESS) {
    if (!isDirectory(header) && header.FileName[0] != '\0') {
      std::string name = header.FileName;
      std::replace(name.begin(), name.end(), '/', '\\');
      names.push_back(name);
    }
    if (RARProcessFile(archive.handle(), RAR_SKIP, nullptr, nullptr) != ERAR_SUCCESS) break;
  }
  return true;
}

}  // namespace rar
