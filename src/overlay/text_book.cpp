// The text script reader and the book list.
#include "overlay/text_book.h"

#include <cstdio>
#include <cstring>

#include "resources/archive_file.h"
#include "world/world_file.h"

TextBookList textBooks;
TextBook* currentText = nullptr;

namespace {

using Line = char[kScriptLineCapacity];

// The next line, false once the data has ended. A last line without a line
// feed still counts; the empty rest after a final line feed does not.
bool nextLine(ArchiveFile& script, Line& line) {
  if (script.atEnd()) return false;
  return script.readLine(line) || line[0] != '\0';
}

std::unique_ptr<TextBook> startBook(const char* line) {
  auto book = std::make_unique<TextBook>();
  Line name = "";
  // Cut to the name field.
  if (std::sscanf(line, "text %127s", name) == 1) std::snprintf(book->name, sizeof book->name, "%.15s", name);
  return book;
}

// The book's lines up to "txtend" or the end of the data.
void readBookLines(ArchiveFile& script, TextBook& book) {
  Line line = "";
  while (nextLine(script, line) && !startsWith(line, "txtend")) book.lines.emplace_back(line);
}

}  // namespace

void loadTextBooks(TextBookList& list, const char* entryName) {
  ArchiveFile script;
  script.open(entryName);  // a missing entry reads as empty
  Line line = "";
  while (nextLine(script, line)) {
    if (startsWith(line, "text")) {
      std::unique_ptr<TextBook> book = startBook(line);
      readBookLines(script, *book);
      list.push_back(std::move(book));
    }
    if (startsWith(line, "END_TEXT")) break;
  }
}

TextBook* findTextBook(const TextBookList& list, const char* name) {
  for (const auto& book : list) {
    if (std::strcmp(book->name, name) == 0) return book.get();
  }
  return nullptr;
}
