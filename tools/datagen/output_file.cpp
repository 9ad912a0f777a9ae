// Writes generated files atomically, making the folders they go into.
#include "output_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace datagen {

bool writeOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  std::string temporary = path + ".part";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) {
    error = "cannot create " + temporary;
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  written = std::fclose(out) == 0 && written;
  std::error_code problem;
  if (written) std::filesystem::rename(temporary, path, problem);
  if (written && !problem) return true;
  std::filesystem::remove(temporary, problem);
  error = "cannot write " + path;
  return false;
}

bool makeParentFolders(const std::string& path, std::string& error) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code problem;
  if (folder.empty() || std::filesystem::is_directory(folder, problem)) return true;
  std::filesystem::create_directories(folder, problem);
  if (!problem) return true;
  error = "cannot create " + folder.string();
  return false;
}

}  // namespace datagen
