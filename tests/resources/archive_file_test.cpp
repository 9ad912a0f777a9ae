// ArchiveFile against a "data.sdd" built in the test: the line reader, the
// byte reads with their end-of-data rules, seeking, the object's lifecycle
// and how entry names are looked up.
#include "resources/archive_file.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "archive_test_support.h"

namespace {

using namespace archive_test;

const std::string kLongPrefix(ArchiveFile::kMaxNameLength, 'n');

// The text entries of the archive, by name.
const std::vector<std::pair<std::string, std::string>> kEntries = {
    {"two-lines.txt", "  abc\r\n def\n"},
    {"single-x.txt", "x"},
    {"line-feed.txt", "\n"},
    {"tab.txt", "\tmetal\n"},
    {"inner-cr.txt", "a\rb\n"},
    {"empty.txt", ""},
    {"no-final-lf.txt", "abc\ndef"},
    {"spaces-only.txt", "   "},
    {"blank-crlf.txt", "   \r\nnext\n"},
    {"long-line.txt", std::string(200, 'L') + "\nnext\n"},
    {"digits.bin", "0123456789"},
    {"other.bin", "second entry"},
    {"meshes\\env.dat", "environment"},
    {kLongPrefix, "the 99-character name"},
};

class ArchiveFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    directory_ = std::make_unique<TempDir>();
    std::vector<rar::StoredEntry> entries;
    for (const auto& [name, text] : kEntries) entries.push_back({name, bytesOf(text)});
    writeFile(directory_->path() / ArchiveFile::kArchiveName, buildArchive(entries));
  }
  static void TearDownTestSuite() { directory_.reset(); }

  CurrentDirectory inArchiveDirectory_{directory_->path()};
  static std::unique_ptr<TempDir> directory_;
};

std::unique_ptr<TempDir> ArchiveFileTest::directory_;

struct LineCase {
  const char* entry;  // null: a failed open
  std::vector<std::pair<std::string, bool>> lines;
};

TEST_F(ArchiveFileTest, ReadLineFollowsTheLineRules) {
  const LineCase cases[] = {
      {"two-lines.txt", {{"abc", true}, {"def", true}, {"", false}, {"", false}}},
      {"single-x.txt", {{"x", false}, {"", false}}},
      {"line-feed.txt", {{"", true}, {"", false}}},
      {"tab.txt", {{"\tmetal", true}, {"", false}}},
      {"inner-cr.txt", {{"ab", true}}},
      {"empty.txt", {{"", false}, {"", false}}},
      {"no-final-lf.txt", {{"abc", true}, {"def", false}, {"", false}}},
      {"spaces-only.txt", {{"", false}}},
      {"blank-crlf.txt", {{"", true}, {"next", true}}},
      {"long-line.txt", {{std::string(127, 'L'), true}, {"next", true}, {"", false}}},
      {nullptr, {{"", false}, {"", false}}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.entry ? c.entry : "failed open");
    ArchiveFile file;
    ASSERT_EQ(file.open(c.entry ? c.entry : "missing.txt"), c.entry != nullptr);
    for (const auto& [text, endedByLineFeed] : c.lines) {
      char line[128];
      std::memset(line, 'Z', sizeof line);
      EXPECT_EQ(file.readLine(line), endedByLineFeed);
      EXPECT_EQ(std::string(line), text);
    }
  }
}

TEST_F(ArchiveFileTest, ReadLineSetsAtEndOnlyWhenTheDataEndedTheLine) {
  ArchiveFile file;
  ASSERT_TRUE(file.open("single-x.txt"));
  char line[128];
  EXPECT_FALSE(file.atEnd());
  EXPECT_FALSE(file.readLine(line));
  EXPECT_TRUE(file.atEnd());

  ASSERT_TRUE(file.open("line-feed.txt"));
  EXPECT_TRUE(file.readLine(line));
  EXPECT_FALSE(file.atEnd());
}

TEST_F(ArchiveFileTest, ReadLineCutsAtTheCapacityAndConsumesTheRest) {
  ArchiveFile file;
  ASSERT_TRUE(file.open("two-lines.txt"));
  char line[3];
  EXPECT_TRUE(file.readLine(line, sizeof line));
  EXPECT_STREQ(line, "ab");
  EXPECT_TRUE(file.readLine(line, 1));
  EXPECT_STREQ(line, "");
  EXPECT_FALSE(file.readLine(nullptr, 0));
}

TEST_F(ArchiveFileTest, ReadDeliversOnlyBytesInsideTheEntry) {
  ArchiveFile file;
  ASSERT_TRUE(file.open("digits.bin"));
  char part[6] = "-----";
  file.read(part, 4);
  EXPECT_STREQ(part, "0123-");
  EXPECT_EQ(file.position(), 4u);

  file.read(part, 0);
  EXPECT_EQ(file.position(), 4u);

  char rest[7] = "------";
  file.read(rest, 6);  // exactly up to the last byte
  EXPECT_STREQ(rest, "456789");
  EXPECT_FALSE(file.atEnd());

  file.seek(8, 0);
  char tail[6] = "vwxyz";
  file.read(tail, 5);
  EXPECT_STREQ(tail, "89xyz");
  EXPECT_TRUE(file.atEnd());
  EXPECT_EQ(file.position(), 13u);

  // read does not test atEnd: it goes on advancing and delivers nothing.
  char none[4] = "abc";
  file.read(none, 3);
  EXPECT_STREQ(none, "abc");
  EXPECT_EQ(file.position(), 16u);
}

TEST_F(ArchiveFileTest, ReadIfNotAtEndStopsOnceTheEndWasPassed) {
  ArchiveFile file;
  ASSERT_TRUE(file.open("digits.bin"));
  char all[11] = {};
  file.readIfNotAtEnd(all, 10);
  EXPECT_STREQ(all, "0123456789");
  EXPECT_FALSE(file.atEnd());

  char two[3] = "ab";
  file.readIfNotAtEnd(two, 2);  // tries past the end: nothing delivered
  EXPECT_STREQ(two, "ab");
  EXPECT_TRUE(file.atEnd());
  std::uint32_t positionAtEnd = file.position();
  file.readIfNotAtEnd(two, 2);
  EXPECT_EQ(file.position(), positionAtEnd);

  // After a line that reached the end of the data nothing more is copied.
  ASSERT_TRUE(file.open("no-final-lf.txt"));
  char line[128];
  while (file.readLine(line)) {
  }
  std::int32_t value = 1234;
  file.readIfNotAtEnd(&value, sizeof value);
  EXPECT_EQ(value, 1234);
}

TEST_F(ArchiveFileTest, CountsSetBeforeReadingAMissingEntryStayZero) {
  ArchiveFile file;
  EXPECT_FALSE(file.open("meshes\\missing.dat"));
  std::int32_t vertexCount = 0;
  std::int32_t faceCount = 0;
  file.readIfNotAtEnd(&vertexCount, sizeof vertexCount);
  EXPECT_TRUE(file.atEnd());
  file.readIfNotAtEnd(&faceCount, sizeof faceCount);
  EXPECT_EQ(vertexCount, 0);
  EXPECT_EQ(faceCount, 0);
}

TEST_F(ArchiveFileTest, SeekMovesByOrigin) {
  struct SeekCase {
    std::int32_t offset;
    int origin;
    std::uint32_t expected;
  };
  // Applied in order to one open entry of 10 bytes.
  const SeekCase steps[] = {
      {3, 0, 3},  {2, 1, 5},  {-1, 1, 4},  {2, 2, 8},   {0, 2, 10},
      {5, 7, 10},  // unknown origin: nothing happens
      {-1, 0, 10}, {11, 2, 10}, {-11, 1, 10},  // before the start: nothing happens
      {0, 0, 0},
  };
  ArchiveFile file;
  ASSERT_TRUE(file.open("digits.bin"));
  for (const SeekCase& step : steps) {
    file.seek(step.offset, step.origin);
    EXPECT_EQ(file.position(), step.expected) << step.offset << " from origin " << step.origin;
  }
  char first = 0;
  file.read(&first, 1);
  EXPECT_EQ(first, '0');
}

TEST_F(ArchiveFileTest, PositionsPastTheEndNeverReachOutsideTheData) {
  ArchiveFile file;
  ASSERT_TRUE(file.open("digits.bin"));
  file.seek(1000, 0);
  EXPECT_TRUE(file.atEnd());
  char probe[4] = "abc";
  file.read(probe, 3);
  EXPECT_STREQ(probe, "abc");

  // Saturating at the largest position instead of wrapping back into the data.
  for (int i = 0; i < 3; ++i) file.seek(std::numeric_limits<std::int32_t>::max(), 1);
  file.read(probe, std::numeric_limits<std::size_t>::max());
  EXPECT_EQ(file.position(), std::numeric_limits<std::uint32_t>::max());
  file.read(probe, 3);
  EXPECT_STREQ(probe, "abc");
  char line[128];
  EXPECT_FALSE(file.readLine(line));
  EXPECT_STREQ(line, "");

  // Seeking back to the start reads the data again.
  file.seek(0, 0);
  EXPECT_FALSE(file.atEnd());
  char ten[11] = {};
  file.read(ten, std::numeric_limits<std::size_t>::max());
  EXPECT_STREQ(ten, "0123456789");
  EXPECT_TRUE(file.atEnd());
}

TEST_F(ArchiveFileTest, LifecycleFromNewThroughReuse) {
  ArchiveFile file;
  EXPECT_EQ(file.data(), nullptr);
  EXPECT_EQ(file.size(), 0u);
  EXPECT_EQ(file.position(), 0u);
  EXPECT_FALSE(file.atEnd());

  ASSERT_TRUE(file.open("digits.bin"));
  EXPECT_STREQ(file.entryName(), "digits.bin");
  ASSERT_NE(file.data(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data()), file.size()), "0123456789");
  file.seek(4, 0);

  file.close();
  EXPECT_EQ(file.data(), nullptr);
  EXPECT_EQ(file.size(), 0u);
  EXPECT_EQ(file.position(), 0u);

  // Opening again unpacks again; opening over an open entry starts afresh.
  ASSERT_TRUE(file.open("digits.bin"));
  file.seek(6, 0);
  ASSERT_TRUE(file.open("other.bin"));
  EXPECT_EQ(file.position(), 0u);
  char line[128];
  EXPECT_FALSE(file.readLine(line));
  EXPECT_STREQ(line, "second entry");

  EXPECT_FALSE(file.open("nothing-here.txt"));
  EXPECT_STREQ(file.entryName(), "nothing-here.txt");
  EXPECT_EQ(file.data(), nullptr);
  EXPECT_EQ(file.size(), 0u);

  // An empty entry is a successful open with data and size 0.
  ASSERT_TRUE(file.open("empty.txt"));
  EXPECT_NE(file.data(), nullptr);
  EXPECT_EQ(file.size(), 0u);
}

TEST_F(ArchiveFileTest, LongNamesAreKeptCutButLookedUpWhole) {
  ArchiveFile file;
  ASSERT_TRUE(file.open(kLongPrefix.c_str()));
  EXPECT_EQ(std::string(file.entryName()), kLongPrefix);

  std::string longer = kLongPrefix + "-and-more";
  EXPECT_FALSE(file.open(longer.c_str()));
  EXPECT_EQ(std::string(file.entryName()), kLongPrefix);
  EXPECT_FALSE(file.open(nullptr));
  EXPECT_STREQ(file.entryName(), "");
}

TEST_F(ArchiveFileTest, NamesMatchIgnoringCaseAndSeparators) {
  const std::pair<const char*, bool> names[] = {
      {"meshes\\env.dat", true}, {"meshes/ENV.DAT", true},  {"MESHES_ENV.DAT", true},
      {"meshes_env.dat", true},  {"Meshes/Env.Dat", true},  {"meshes\\env.da", false},
      {"meshes\\env.dat2", false}, {"env.dat", false},      {"meshes-env.dat", false},
      {"", false},
  };
  for (const auto& [name, found] : names) {
    ArchiveFile file;
    EXPECT_EQ(file.open(name), found) << name;
    if (found) {
      EXPECT_EQ(file.size(), std::strlen("environment"));
    }
  }
}

TEST(ArchiveFileWithoutArchive, OpenFailsQuietlyForMissingOrDamagedArchives) {
  TempDir directory;
  CurrentDirectory inside(directory.path());
  ArchiveFile file;
  EXPECT_FALSE(file.open("digits.bin"));

  writeFile(directory.path() / ArchiveFile::kArchiveName, bytesOf("Rar!\x1a\x07 but nothing else"));
  EXPECT_FALSE(file.open("digits.bin"));
  writeFile(directory.path() / ArchiveFile::kArchiveName, {});
  EXPECT_FALSE(file.open("digits.bin"));
  EXPECT_EQ(file.size(), 0u);
}

}  // namespace
