// Helpers for the archive tests: temporary directories, whole-file I/O,
// archives built in the test and the copied RAR fixtures.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rar_writer.h"

namespace archive_test {

namespace fs = std::filesystem;

inline fs::path fixturePath(const std::string& name) {
  return fs::path(VT_SOURCE_DIR) / "tests/resources/fixtures" / name;
}

inline rar::Bytes bytesOf(const std::string& text) { return rar::Bytes(text.begin(), text.end()); }

inline rar::Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return rar::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const fs::path& path, const rar::Bytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline rar::Bytes buildArchive(const std::vector<rar::StoredEntry>& entries) {
  rar::Bytes archive;
  std::string error;
  EXPECT_TRUE(rar::buildStoredArchive(entries, archive, error)) << error;
  return archive;
}

// Bytes that cover every value, in a fixed order.
inline rar::Bytes patternBytes(std::size_t size, std::uint32_t seed = 1) {
  rar::Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<std::uint8_t>(i < 256 ? i : seed >> 16);
  }
  return bytes;
}

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "vt-archive-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Makes a directory current for the length of the scope.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const fs::path& directory) : previous_(fs::current_path()) {
    fs::current_path(directory);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  ~CurrentDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
  }

 private:
  fs::path previous_;
};

}  // namespace archive_test
