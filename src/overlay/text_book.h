// Text books: the information panels about the destinations, read once from
// the text script ("etext.txt" or "mtext.txt") and shown one per scene as the
// sign text in the upper left of the 800 × 600 canvas.
//
// The scene director picks the book of a scene (currentText) and says how it
// is shown: timed (unfolding by showTime, or folding away by it) or in the
// window of a "text" line. TextBook::draw then animates and draws it every
// frame from the scene clock: the panel's width grows, then its height, then
// the text and the picture fade in out of a blur; closing runs backwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TextBook {
 public:
  static constexpr int kNameCapacity = 16;  // 15 characters and a terminator
  static constexpr float kLineSpacing = 15.0f;

  TextBook() = default;
  virtual ~TextBook() = default;

  // Animates the book by the scene clock and draws it inside begin2D.
  void draw();

  float x = 40.0f;           // left edge of the text lines
  float y = 560.0f;          // raster height of the first line
  float showTime = 10.0f;    // scene time the timed animation has finished by
  bool visible = false;
  bool appearing = true;     // timed: unfolding (true) or folding away
  bool windowed = false;     // shown between windowStart and windowEnd
  float panelWidth = 320.0f;  // the panel as last drawn
  float panelHeight = 180.0f;
  float fullWidth = 320.0f;
  float fullHeight = 180.0f;
  float windowStart = 0.0f;
  float windowEnd = 0.0f;
  std::vector<std::string> lines;
  char name[kNameCapacity] = {};
};

// What the animation makes of a book at scene time t: the panel size, the
// text's opacity a (not clamped: it runs from -2 to 1 while the text fades)
// and whether the book is drawn at all.
struct TextBookFrame {
  float panelWidth = 0.0f;
  float panelHeight = 0.0f;
  float alpha = 1.0f;
  bool visible = false;
};
// Pure: reads the book's display fields and the panel it had last.
TextBookFrame animateTextBook(const TextBook& book, float t);

// The books in file order; they live for the whole saver run.
using TextBookList = std::vector<std::unique_ptr<TextBook>>;
extern TextBookList textBooks;
// The sign text of the scene that plays, or null; not owned.
extern TextBook* currentText;

// Appends the books of the text script `entryName`. Each block runs from a
// "text <name>" line to "txtend", its lines kept as read (empty ones too);
// "END_TEXT" between blocks ends the script. A block or a script cut off by
// the end of the data ends there as if its terminator had been read.
void loadTextBooks(TextBookList& list, const char* entryName);
// The saver's text books: "etext.txt" when the setting English is on (English
// units), else "mtext.txt".
void loadTextBooks();
// The first book whose name equals `name` exactly, or null.
TextBook* findTextBook(const TextBookList& list, const char* name);
