// sdd pack: a directory tree into a data archive of stored entries.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "rar_writer.h"
#include "resources/archive_file.h"
#include "sdd_commands.h"

namespace fs = std::filesystem;

namespace {

struct PackedFile {
  fs::path path;
  std::string entryName;
};

bool fail(const std::string& message) {
  std::fprintf(stderr, "sdd: %s\n", message.c_str());
  return false;
}

// Every regular file under directory except the archive being written,
// sorted by its path relative to directory.
bool collectFiles(const fs::path& directory, const fs::path& archive, std::vector<PackedFile>& files) {
  std::error_code error;
  if (!fs::is_directory(directory, error)) return fail("not a directory: " + directory.string());
  fs::recursive_directory_iterator walk(directory, error), end;
  for (; !error && walk != end; walk.increment(error)) {
    if (!walk->is_regular_file(error)) continue;
    std::error_code sameError;
    if (fs::equivalent(walk->path(), archive, sameError)) continue;
    std::string relative = walk->path().lexically_relative(directory).generic_string();
    files.push_back({walk->path(), relative});
  }
  if (error) return fail("cannot read " + directory.string() + ": " + error.message());
  std::sort(files.begin(), files.end(),
            [](const PackedFile& a, const PackedFile& b) { return a.entryName < b.entryName; });
  for (PackedFile& file : files) {
    std::replace(file.entryName.begin(), file.entryName.end(), '/', '\\');
    if (file.entryName.size() > ArchiveFile::kMaxNameLength) {
      return fail("entry name longer than " + std::to_string(ArchiveFile::kMaxNameLength) +
                  " characters: " + file.entryName);
    }
  }
  return true;
}

bool readWholeFile(const fs::path& path, rar::Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writeBytes(std::FILE* out, const rar::Bytes& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

// Writes the archive one entry at a time, so only one file is held in memory.
// A failed pack leaves no archive behind.
bool writeArchive(const fs::path& archive, const std::vector<PackedFile>& files) {
  std::FILE* out = std::fopen(archive.c_str(), "wb");
  if (out == nullptr) return fail("cannot create " + archive.string());
  std::string problem;
  bool written = writeBytes(out, rar::archiveStart());
  rar::Bytes data, header;
  for (auto file = files.begin(); written && problem.empty() && file != files.end(); ++file) {
    if (!readWholeFile(file->path, data)) {
      problem = "cannot read " + file->path.string();
    } else if (rar::storedFileHeader(file->entryName, data.data(), data.size(), header, problem)) {
      written = writeBytes(out, header) && writeBytes(out, data);
    }
  }
  written = written && problem.empty() && writeBytes(out, rar::archiveEnd());
  written = std::fclose(out) == 0 && written;
  if (written) return true;
  std::error_code ignored;
  fs::remove(archive, ignored);
  return fail(problem.empty() ? "cannot write " + archive.string() : problem);
}

}  // namespace

int packCommand(const char* archivePath, const char* directory) {
  std::vector<PackedFile> files;
  if (!collectFiles(directory, archivePath, files)) return kCommandFailed;
  return writeArchive(archivePath, files) ? 0 : kCommandFailed;
}
