// A "data.sdd" made from a few text entries in a fresh directory that is the
// current directory for the fixture's lifetime: what scripts loaders read.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/archive_test_support.h"

namespace archive_test {

class ScopedDataArchive {
 public:
  using Entry = std::pair<std::string, std::string>;  // name with '\', text

  ScopedDataArchive(std::initializer_list<Entry> entries) {
    std::vector<rar::StoredEntry> stored;
    for (const auto& [name, text] : entries) stored.push_back({name, bytesOf(text)});
    writeFile(directory_.path() / "data.sdd", buildArchive(stored));
    current_ = std::make_unique<CurrentDirectory>(directory_.path());
  }
  ScopedDataArchive(const ScopedDataArchive&) = delete;
  ScopedDataArchive& operator=(const ScopedDataArchive&) = delete;

 private:
  TempDir directory_;
  std::unique_ptr<CurrentDirectory> current_;
};

}  // namespace archive_test
