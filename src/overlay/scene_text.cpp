// The scene director's choice of sign text: the named book becomes the
// scene's text with its display fields set; a name no book has leaves the
// scene without text.
#include "direction/scene_overlays.h"
#include "overlay/text_book.h"

void showSceneTextTimed(const char* name, bool appearing, float showTime) {
  currentText = findTextBook(textBooks, name);
  if (!currentText) return;
  // An unfolding text starts hidden; a folding one starts shown.
  currentText->visible = !appearing;
  currentText->appearing = appearing;
  currentText->showTime = showTime;
}

void showSceneTextWindowed(const char* name, float windowStart, float windowEnd) {
  currentText = findTextBook(textBooks, name);
  if (!currentText) return;
  currentText->windowed = true;  // for the rest of the run
  currentText->windowStart = windowStart;
  currentText->windowEnd = windowEnd;
}
