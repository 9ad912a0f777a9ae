// The sdd tool as a program: what `sdd pack` writes is a real RAR archive
// that both our reader (libunrar) and Debian's independent unar extract byte
// for byte, and `list` and `cat` behave as their command lines promise.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive_test_support.h"
#include "resources/rar_reader.h"

namespace {

using namespace archive_test;

const std::string kSdd = VT_BINARY_DIR "/bin/sdd";

std::string shellQuoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Runs a shell command with stdout and stderr into files; the exit status.
int run(const std::string& command, const fs::path& out, const fs::path& err) {
  int status = std::system((command + " >" + shellQuoted(out) + " 2>" + shellQuoted(err)).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string text(const fs::path& path) {
  rar::Bytes bytes = readFile(path);
  return std::string(bytes.begin(), bytes.end());
}

std::size_t countOf(const std::string& haystack, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
  return count;
}

// Files under root by their '/'-separated relative path.
std::map<std::string, rar::Bytes> filesUnder(const fs::path& root) {
  std::map<std::string, rar::Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(root).generic_string()] = readFile(entry.path());
  }
  return files;
}

class SddTool : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = work_.path() / "tree";
    archive_ = work_.path() / "data.sdd";
    out_ = work_.path() / "stdout";
    err_ = work_.path() / "stderr";
    tree_ = {
        {"top.txt", bytesOf("top level\n")},
        {"empty.dat", {}},
        {"scripts/intro0.txt", bytesOf("  camera\r\n\tkey V(1 2 3)\r\n")},
        {"meshes/deep/nested/blob.bin", patternBytes(70000, 11)},
        {"Textures/Panel.TGA", patternBytes(256)},
    };
    for (const auto& [name, bytes] : tree_) writeFile(source_ / name, bytes);
  }

  int sdd(const std::string& arguments) { return run(shellQuoted(kSdd) + " " + arguments, out_, err_); }
  int pack() { return sdd("pack " + shellQuoted(archive_) + " " + shellQuoted(source_)); }

  TempDir work_;
  fs::path source_, archive_, out_, err_;
  std::map<std::string, rar::Bytes> tree_;
};

TEST_F(SddTool, PackListsEntriesSortedWithBackslashes) {
  ASSERT_EQ(pack(), 0) << text(err_);
  ASSERT_EQ(sdd("list " + shellQuoted(archive_)), 0) << text(err_);
  EXPECT_EQ(text(out_),
            "Textures\\Panel.TGA\n"
            "empty.dat\n"
            "meshes\\deep\\nested\\blob.bin\n"
            "scripts\\intro0.txt\n"
            "top.txt\n");
  EXPECT_EQ(text(err_), "");
}

TEST_F(SddTool, PackIsDeterministicAndSkipsItsOwnArchive) {
  ASSERT_EQ(pack(), 0);
  rar::Bytes first = readFile(archive_);
  fs::path inside = source_ / "data.sdd";
  fs::copy_file(archive_, inside);
  ASSERT_EQ(sdd("pack " + shellQuoted(inside) + " " + shellQuoted(source_)), 0) << text(err_);
  EXPECT_EQ(readFile(inside), first);
}

TEST_F(SddTool, OurReaderExtractsEveryEntryByteForByte) {
  ASSERT_EQ(pack(), 0);
  for (const auto& [name, bytes] : tree_) {
    unsigned char* data = nullptr;
    std::uint32_t size = 0;
    ASSERT_TRUE(rar::extractEntry(archive_.c_str(), name.c_str(), "", data, size)) << name;
    EXPECT_EQ(rar::Bytes(data, data + size), bytes) << name;
    std::free(data);
  }
}

TEST_F(SddTool, UnarExtractsTheSameTreeAndFindsItIntact) {
  ASSERT_EQ(pack(), 0);
  fs::path extracted = work_.path() / "unar";
  ASSERT_EQ(run("unar -q -D -f -o " + shellQuoted(extracted) + " " + shellQuoted(archive_), out_, err_), 0) << text(err_);
  EXPECT_EQ(filesUnder(extracted), tree_);

  ASSERT_EQ(run("lsar -t " + shellQuoted(archive_), out_, err_), 0) << text(out_) << text(err_);
  EXPECT_NE(text(out_).find(std::to_string(tree_.size()) + " passed, 0 failed"), std::string::npos) << text(out_);

  // Each entry as written: MS-DOS host, unpack version 2.0, stored.
  ASSERT_EQ(run("lsar -j " + shellQuoted(archive_), out_, err_), 0);
  std::string json = text(out_);
  EXPECT_EQ(countOf(json, "\"RAROS\": 0,"), tree_.size());
  EXPECT_EQ(countOf(json, "\"RARCompressionVersion\": 20,"), tree_.size());
  EXPECT_EQ(countOf(json, "\"RARCompressionMethod\": 48,"), tree_.size());
  EXPECT_EQ(countOf(json, "\"XADLastModificationDate\": \"2000-01-01 00:00:00"), tree_.size());
}

TEST_F(SddTool, CatWritesTheEntryOrFailsWithOneLine) {
  ASSERT_EQ(pack(), 0);
  ASSERT_EQ(sdd("cat " + shellQuoted(archive_) + " MESHES/deep/nested/BLOB.BIN"), 0) << text(err_);
  EXPECT_EQ(readFile(out_), tree_["meshes/deep/nested/blob.bin"]);
  EXPECT_EQ(text(err_), "");

  const std::pair<fs::path, const char*> missing[] = {
      {archive_, "missing.txt"},
      {fixturePath("rar3-solid.rar"), "stest1.txt"},
      {work_.path() / "no-such.sdd", "top.txt"},
  };
  for (const auto& [archive, entry] : missing) {
    EXPECT_EQ(sdd("cat " + shellQuoted(archive) + " " + entry), 1) << entry;
    EXPECT_EQ(text(out_), "");
    std::string message = text(err_);
    EXPECT_EQ(countOf(message, "\n"), 1u) << message;
    EXPECT_EQ(message.back(), '\n');
  }
}

TEST_F(SddTool, FailuresAndUsage) {
  EXPECT_EQ(sdd("pack " + shellQuoted(archive_) + " " + shellQuoted(work_.path() / "absent")), 1);
  EXPECT_FALSE(fs::exists(archive_));

  writeFile(source_ / std::string(100, 'n'), bytesOf("too long a name"));
  EXPECT_EQ(pack(), 1);
  EXPECT_FALSE(fs::exists(archive_));
  EXPECT_NE(text(err_).find("longer than 99"), std::string::npos) << text(err_);

  EXPECT_EQ(sdd("list " + shellQuoted(fixturePath("README.md"))), 1);
  EXPECT_EQ(sdd(""), 2);
  EXPECT_EQ(sdd("cat " + shellQuoted(archive_)), 2);
  EXPECT_EQ(sdd("unpack x y"), 2);
}

}  // namespace
