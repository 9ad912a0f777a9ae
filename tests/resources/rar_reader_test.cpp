// The RAR reader against archives written by RAR itself and by our writer:
// which entries it extracts and refuses, what it lists, and that damaged or
// lying archives never crash it and never yield wrong bytes.
#include "resources/rar_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive_test_support.h"

namespace {

using namespace archive_test;

// Offsets into a RAR 2.x file header.
constexpr std::size_t kPackSizeOffset = 7;
constexpr std::size_t kUnpackSizeOffset = 11;
constexpr std::size_t kUnpackVersionOffset = 24;

struct Extracted {
  bool ok = false;
  rar::Bytes bytes;
};

Extracted extract(const fs::path& archive, const std::string& entry) {
  unsigned char* data = nullptr;
  std::uint32_t size = 0;
  Extracted result;
  result.ok = rar::extractEntry(archive.c_str(), entry.c_str(), "", data, size);
  if (result.ok) {
    EXPECT_NE(data, nullptr);
    result.bytes.assign(data, data + size);
    std::free(data);
  }
  return result;
}

struct FixtureEntry {
  const char* archive;
  const char* entry;
  const char* content;
};

const FixtureEntry kReadable[] = {
    {"rar15-comment.rar", "FILE1.TXT", "foooo\r\n"},          // 1.5, compressed
    {"rar15-comment.rar", "file2.txt", "baaaar\r\n"},         // 1.5, stored
    {"rar2-unix-owner.rar", "file.txt", "foo\n"},             // 2.0, compressed
    {"rar202-comment-nopsw.rar", "FILE1.TXT", "file1\r\n"},   // 2.0, stored
    {"rar202-comment-nopsw.rar", "FILE2.TXT", "file2\r\n"},
};

TEST(RarReader, ExtractsStoredAndCompressedEntriesOfVersions15And20) {
  for (const FixtureEntry& e : kReadable) {
    Extracted got = extract(fixturePath(e.archive), e.entry);
    EXPECT_TRUE(got.ok) << e.archive << " " << e.entry;
    EXPECT_EQ(got.bytes, bytesOf(e.content)) << e.archive << " " << e.entry;
  }
}

TEST(RarReader, RefusesOtherVersionsDirectoriesAndMissingNames) {
  const std::pair<const char*, const char*> refused[] = {
      {"rar3-solid.rar", "stest1.txt"},        {"rar3-solid.rar", "stest2.txt"},
      {"rar3-subdirs.rar", "sub\\dir1\\file1.txt"},
      {"rar3-subdirs.rar", "sub\\dir1"},       // a directory, unpack version 2.0
      {"rar3-subdirs.rar", "sub\\empty"},      {"rar5-solid.rar", "stest1.txt"},
      {"rar202-comment-nopsw.rar", "FILE3.TXT"}, {"rar202-comment-nopsw.rar", "FILE1"},
  };
  for (const auto& [archive, entry] : refused) {
    EXPECT_FALSE(extract(fixturePath(archive), entry).ok) << archive << " " << entry;
  }
}

TEST(RarReader, FailureLeavesTheOutputsAlone) {
  unsigned char sentinel = 0;
  unsigned char* data = &sentinel;
  std::uint32_t size = 77;
  EXPECT_FALSE(rar::extractEntry(fixturePath("rar5-solid.rar").c_str(), "stest1.txt", "", data, size));
  EXPECT_FALSE(rar::extractEntry("/nonexistent/data.sdd", "a", "", data, size));
  EXPECT_FALSE(rar::extractEntry(VT_SOURCE_DIR, "a", "", data, size));
  EXPECT_FALSE(rar::extractEntry(nullptr, "a", "", data, size));
  EXPECT_EQ(data, &sentinel);
  EXPECT_EQ(size, 77u);
}

TEST(RarReader, ListsFileEntriesWithBackslashes) {
  const std::pair<const char*, std::vector<std::string>> listings[] = {
      {"rar15-comment.rar", {"FILE1.TXT", "FILE2.TXT"}},
      {"rar3-subdirs.rar", {"sub\\dir2\\file2.txt", "sub\\with space\\long fn.txt", "sub\\", "sub\\dir1\\file1.txt"}},
      {"rar5-solid.rar", {"stest1.txt", "stest2.txt"}},
  };
  for (const auto& [archive, expected] : listings) {
    std::vector<std::string> names;
    EXPECT_TRUE(rar::listEntries(fixturePath(archive).c_str(), names)) << archive;
    EXPECT_EQ(names, expected) << archive;
  }
  std::vector<std::string> names;
  EXPECT_FALSE(rar::listEntries(fixturePath("README.md").c_str(), names));
  EXPECT_TRUE(names.empty());
}

// An archive of our own with one entry whose header the test may alter.
class PatchedHeader : public ::testing::Test {
 protected:
  static constexpr std::size_t kHeaderStart = 20;  // after the marker and archive header

  void SetUp() override { reset(); }
  void reset() { archive_ = buildArchive({{"meshes\\data.bin", content_}}); }

  template <typename T>
  void patch(std::size_t offset, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      archive_[kHeaderStart + offset + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    std::size_t headerSize = rar::kFileHeaderFixedSize + std::string("meshes\\data.bin").size();
    rar::sealBlock(archive_.data() + kHeaderStart, headerSize);
  }

  Extracted extractPatched() {
    fs::path path = directory_.path() / "patched.rar";
    writeFile(path, archive_);
    return extract(path, "meshes/data.bin");
  }

  TempDir directory_;
  rar::Bytes content_ = patternBytes(100);
  rar::Bytes archive_;
};

TEST_F(PatchedHeader, ExtractsOnlyUnpackVersions13To20) {
  const std::pair<std::uint8_t, bool> versions[] = {
      {10, false}, {12, false}, {13, true}, {15, true}, {20, true}, {21, false}, {29, false}, {50, false},
  };
  for (const auto& [version, extracted] : versions) {
    reset();
    patch(kUnpackVersionOffset, version);
    Extracted got = extractPatched();
    EXPECT_EQ(got.ok, extracted) << int{version};
    if (got.ok) {
      EXPECT_EQ(got.bytes, content_);
    }
  }
}

TEST_F(PatchedHeader, DoesNotBelieveLyingSizes) {
  const std::uint32_t unpackedSizes[] = {
      0xFFFFFFF0u,          // beyond the cap: refused before any allocation
      rar::kMaxEntrySize,   // allowed, but the data is shorter
      50,                   // less than the data
  };
  for (std::uint32_t lie : unpackedSizes) {
    reset();
    patch(kUnpackSizeOffset, lie);
    EXPECT_FALSE(extractPatched().ok) << "unpacked size " << lie;
  }
  // A wrong packed size may still leave the data intact; it never yields other bytes.
  for (std::uint32_t lie : {0x7FFFFFFFu, 40u, 0u}) {
    reset();
    patch(kPackSizeOffset, lie);
    Extracted got = extractPatched();
    if (got.ok) {
      EXPECT_EQ(got.bytes, content_) << "packed size " << lie;
    }
  }
}

TEST(RarReader, ExtractsWhatOurWriterStoresByteForByte) {
  TempDir directory;
  const std::vector<rar::StoredEntry> entries = {
      {"every-byte.bin", patternBytes(256)},
      {"empty.txt", {}},
      {"textures\\big.tga", patternBytes(3 << 20, 7)},  // larger than the first buffer
      {"scenes\\system\\intro0.txt", bytesOf("camera\r\n\tkey\n")},
  };
  fs::path path = directory.path() / "ours.rar";
  writeFile(path, buildArchive(entries));
  for (const rar::StoredEntry& entry : entries) {
    Extracted got = extract(path, entry.name);
    EXPECT_TRUE(got.ok) << entry.name;
    EXPECT_EQ(got.bytes, entry.data) << entry.name;
  }
}

// Every cut and every flipped byte either fails or still yields the entry's
// true bytes; under the sanitizers this also proves no read leaves a buffer.
class DamagedArchive : public ::testing::Test {
 protected:
  struct Target {
    fs::path source;
    rar::Bytes archive;
    std::string entry;
    rar::Bytes content;
  };

  std::vector<Target> targets() {
    std::vector<Target> all;
    for (const FixtureEntry& e : kReadable) {
      all.push_back({fixturePath(e.archive), readFile(fixturePath(e.archive)), e.entry, bytesOf(e.content)});
    }
    rar::Bytes blob = patternBytes(300, 3);
    all.push_back({"ours", buildArchive({{"a.txt", bytesOf("first\n")}, {"dir\\blob.bin", blob}}), "dir/blob.bin", blob});
    return all;
  }

  void expectFailsOrIsRight(const Target& target, const rar::Bytes& damaged, const std::string& what) {
    fs::path path = directory_.path() / "damaged.rar";
    writeFile(path, damaged);
    Extracted got = extract(path, target.entry);
    if (got.ok) {
      EXPECT_EQ(got.bytes, target.content) << target.source << " " << what;
    }
  }

  TempDir directory_;
};

TEST_F(DamagedArchive, TruncatedAnywhere) {
  for (const Target& target : targets()) {
    for (std::size_t length = 0; length < target.archive.size(); ++length) {
      rar::Bytes cut(target.archive.begin(), target.archive.begin() + static_cast<std::ptrdiff_t>(length));
      expectFailsOrIsRight(target, cut, "cut at " + std::to_string(length));
    }
  }
}

TEST_F(DamagedArchive, FlippedBytes) {
  for (const Target& target : targets()) {
    for (std::uint8_t mask : {std::uint8_t{0x01}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
      for (std::size_t at = 0; at < target.archive.size(); ++at) {
        rar::Bytes flipped = target.archive;
        flipped[at] ^= mask;
        expectFailsOrIsRight(target, flipped, "byte " + std::to_string(at) + " ^ " + std::to_string(mask));
      }
    }
  }
}

TEST_F(DamagedArchive, DataCrcMismatchFails) {
  Target ours = targets().back();
  rar::Bytes damaged = ours.archive;
  damaged[damaged.size() - 8] ^= 0x55;  // inside the last entry's data
  fs::path path = directory_.path() / "crc.rar";
  writeFile(path, damaged);
  EXPECT_FALSE(extract(path, ours.entry).ok);
  EXPECT_TRUE(extract(path, "a.txt").ok);
}

}  // namespace
