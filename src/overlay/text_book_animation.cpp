// How a text book unfolds and folds away over the scene clock. Each of the
// three steps takes D = 0.5 s: the panel's width grows from 0, then its
// height from 10 %, then the text fades in; closing runs them backwards.
#include <algorithm>

#include "overlay/text_book.h"

namespace {

constexpr float kStep = 0.5f;  // D

float clamp(float v, float lo, float hi) { return std::min(std::max(v, lo), hi); }

void showFull(const TextBook& book, TextBookFrame& frame) {
  frame.panelWidth = book.fullWidth;
  frame.panelHeight = book.fullHeight;
  frame.alpha = 1.0f;
}

// Opening, `sinceStart` seconds after it began: width over the first step,
// height over the second, text over the third.
void unfold(const TextBook& book, float sinceStart, TextBookFrame& frame) {
  frame.panelWidth = clamp(sinceStart / kStep, 0.0f, 1.0f) * book.fullWidth;
  frame.panelHeight = clamp((sinceStart - kStep) / kStep, 0.1f, 1.0f) * book.fullHeight;
  frame.alpha = (sinceStart - 2.0f * kStep) / kStep;
}

// Closing over the last three steps before its end, `pastEnd` (negative)
// seconds from it: text first, then height (down to 10 %), then width.
void fold(const TextBook& book, float pastEnd, TextBookFrame& frame) {
  frame.panelWidth = (1.0f - clamp((pastEnd + kStep) / kStep, 0.0f, 1.0f)) * book.fullWidth;
  frame.panelHeight = (1.0f - clamp((pastEnd + 2.0f * kStep) / kStep, 0.0f, 0.9f)) * book.fullHeight;
  frame.alpha = 1.0f - (pastEnd + 3.0f * kStep) / kStep;
}

void animateWindowed(const TextBook& book, float t, TextBookFrame& frame) {
  frame.visible = book.windowStart <= t && t <= book.windowEnd;
  showFull(book, frame);
  if (book.windowStart < t && t <= book.windowStart + 3.0f * kStep) unfold(book, t - book.windowStart, frame);
  // Closing wins where both apply.
  if (book.windowEnd - 3.0f * kStep < t && t <= book.windowEnd) fold(book, t - book.windowEnd, frame);
}

void animateTimed(const TextBook& book, float t, TextBookFrame& frame) {
  const float s = book.showTime;
  if (t <= s - 3.0f * kStep) return;
  if (book.appearing) {
    unfold(book, t - s + 3.0f * kStep, frame);
    frame.visible = true;
    if (t > s) showFull(book, frame);
  } else {
    fold(book, t - s, frame);
    if (t > s) frame.visible = false;
  }
}

}  // namespace

TextBookFrame animateTextBook(const TextBook& book, float t) {
  TextBookFrame frame;
  frame.panelWidth = book.panelWidth;
  frame.panelHeight = book.panelHeight;
  frame.alpha = 1.0f;
  frame.visible = book.visible;
  if (book.windowed) {
    animateWindowed(book, t, frame);
  } else {
    animateTimed(book, t, frame);
  }
  return frame;
}
