// The RAR writer's blocks against the published RAR 2.x layout.
#include "rar_writer.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "archive_test_support.h"
#include "crc32.h"

namespace {

using archive_test::bytesOf;

std::uint32_t read16(const rar::Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t read32(const rar::Bytes& b, std::size_t at) { return read16(b, at) | (read16(b, at + 2) << 16); }

TEST(RarWriter, Crc32MatchesTheStandardCheckValue) {
  rar::Bytes digits = bytesOf("123456789");
  EXPECT_EQ(rar::crc32(digits.data(), digits.size()), 0xCBF43926u);
  EXPECT_EQ(rar::crc32(digits.data() + 4, 5, rar::crc32(digits.data(), 4)), 0xCBF43926u);
}

TEST(RarWriter, StartAndEndBlocksAreTheWellKnownBytes) {
  // The marker block, then a flagless archive header whose CRC is 0x90CF.
  const rar::Bytes start = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00, 0xCF, 0x90, 0x73,
                            0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(rar::archiveStart(), start);
  const rar::Bytes end = {0xC4, 0x3D, 0x7B, 0x00, 0x40, 0x07, 0x00};
  EXPECT_EQ(rar::archiveEnd(), end);
}

TEST(RarWriter, FileHeaderFieldsOfAStoredEntry) {
  const std::string name = "meshes\\a.dat";
  rar::Bytes data = bytesOf("hello");
  rar::Bytes header;
  std::string error;
  ASSERT_TRUE(rar::storedFileHeader(name, data.data(), data.size(), header, error)) << error;

  ASSERT_EQ(header.size(), 32 + name.size());
  EXPECT_EQ(read16(header, 0), rar::crc32(header.data() + 2, header.size() - 2) & 0xFFFFu);
  EXPECT_EQ(header[2], 0x74);                       // file header
  EXPECT_EQ(read16(header, 3), 0x8000u);            // data follows, 64 KB dictionary
  EXPECT_EQ(read16(header, 5), header.size());
  EXPECT_EQ(read32(header, 7), 5u);                 // packed size
  EXPECT_EQ(read32(header, 11), 5u);                // unpacked size
  EXPECT_EQ(header[15], 0);                         // MS-DOS
  EXPECT_EQ(read32(header, 16), 0x3610A686u);       // CRC-32 of "hello"
  EXPECT_EQ(read32(header, 20), 0x28210000u);       // 2000-01-01 00:00:00
  EXPECT_EQ(header[24], 20);                        // unpack version 2.0
  EXPECT_EQ(header[25], 0x30);                      // stored
  EXPECT_EQ(read16(header, 26), name.size());
  EXPECT_EQ(read32(header, 28), 0x20u);             // archive attribute
  EXPECT_EQ(std::string(header.begin() + 32, header.end()), name);
}

TEST(RarWriter, RefusesNamesThatCannotBeStored) {
  const std::string bad[] = {"", std::string("a\0b", 3), std::string(65504, 'x')};
  rar::Bytes header;
  for (const std::string& name : bad) {
    std::string error;
    EXPECT_FALSE(rar::storedFileHeader(name, nullptr, 0, header, error)) << name.size();
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_TRUE(rar::storedFileHeader(std::string(65503, 'x'), nullptr, 0, header, error));
}

TEST(RarWriter, ArchiveIsStartEntriesEnd) {
  rar::Bytes archive;
  std::string error;
  ASSERT_TRUE(rar::buildStoredArchive({{"a", bytesOf("xy")}, {"b", {}}}, archive, error));
  EXPECT_EQ(archive.size(), 20 + (33 + 2) + 33 + 7u);
  EXPECT_EQ(archive[20 + 33], 'x');
  EXPECT_EQ(archive[20 + 35 + 32], 'b');
  EXPECT_FALSE(rar::buildStoredArchive({{"", {}}}, archive, error));
}

}  // namespace
