// Writing a generated file whole, so that a failed run leaves no half file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

// Writes bytes to path through a temporary file in the same folder, renamed
// into place when complete. False with a message on failure.
bool writeOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// Creates the folders that lead to path, if missing. False with a message on
// failure.
bool makeParentFolders(const std::string& path, std::string& error);

}  // namespace datagen
