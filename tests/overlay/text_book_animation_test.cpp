// How a text book unfolds and folds away: panel size, opacity and
// visibility over the scene clock, timed and windowed.
#include <vector>

#include <gtest/gtest.h>

#include "overlay/text_book.h"

namespace {

struct Moment {
  float t;
  bool visible;
  float panelWidth, panelHeight, alpha;
};

void expectMoments(const TextBook& book, const std::vector<Moment>& moments, const char* what) {
  for (const Moment& m : moments) {
    const TextBookFrame frame = animateTextBook(book, m.t);
    EXPECT_EQ(frame.visible, m.visible) << what << " at " << m.t;
    EXPECT_NEAR(frame.panelWidth, m.panelWidth, 1e-3f) << what << " at " << m.t;
    EXPECT_NEAR(frame.panelHeight, m.panelHeight, 1e-3f) << what << " at " << m.t;
    EXPECT_NEAR(frame.alpha, m.alpha, 1e-4f) << what << " at " << m.t;
  }
}

// A book as the director leaves it, with the panel it was last drawn with.
TextBook bookWithPanel(float width, float height) {
  TextBook book;
  book.panelWidth = width;
  book.panelHeight = height;
  return book;
}

TEST(TextBookAnimationTest, ATimedTextUnfoldsJustBeforeItsTime) {
  TextBook book = bookWithPanel(100.0f, 50.0f);
  book.visible = false;
  book.appearing = true;
  book.showTime = 15.0f;
  expectMoments(book,
                {
                    {13.0f, false, 100, 50, 1},  // untouched until 13.5 s
                    {13.5f, false, 100, 50, 1},
                    {13.75f, true, 160, 18, -1.5f},  // height held at 10 %, text far out
                    {14.25f, true, 320, 90, -0.5f},
                    {14.75f, true, 320, 180, 0.5f},
                    {15.0f, true, 320, 180, 1},
                    {30.0f, true, 320, 180, 1},
                },
                "appearing");
}

TEST(TextBookAnimationTest, AShownTextFoldsAwayByItsTime) {
  TextBook book = bookWithPanel(300.0f, 150.0f);
  book.visible = true;
  book.appearing = false;
  book.showTime = 2.0f;
  expectMoments(book,
                {
                    {0.0f, true, 300, 150, 1},  // shown with the panel it had
                    {0.5f, true, 300, 150, 1},
                    {0.75f, true, 320, 180, 0.5f},
                    {1.25f, true, 320, 90, -0.5f},
                    {1.75f, true, 160, 18, -1.5f},  // down to 10 % in height
                    {2.0f, true, 0, 18, -2},
                    {2.01f, false, 0, 18, -2.02f},
                },
                "folding");
}

TEST(TextBookAnimationTest, AWindowedTextOpensAndClosesInItsWindow) {
  TextBook book = bookWithPanel(0.0f, 18.0f);
  book.windowed = true;
  book.windowStart = 10.0f;
  book.windowEnd = 20.0f;
  expectMoments(book,
                {
                    {9.9f, false, 320, 180, 1},
                    {10.0f, true, 320, 180, 1},  // the opening starts after the window's first instant
                    {10.2f, true, 128, 18, -1.6f},
                    {10.75f, true, 320, 90, -0.5f},
                    {11.5f, true, 320, 180, 1},
                    {18.5f, true, 320, 180, 1},
                    {18.75f, true, 320, 180, 0.5f},
                    {19.75f, true, 160, 18, -1.5f},
                    {20.0f, true, 0, 18, -2},
                    {20.1f, false, 320, 180, 1},
                },
                "windowed");
}

TEST(TextBookAnimationTest, InAShortWindowTheClosingWins) {
  TextBook book;
  book.windowed = true;
  book.windowStart = 10.0f;
  book.windowEnd = 11.0f;
  expectMoments(book, {{10.4f, true, 320, 36, -0.8f}}, "short window");
}

TEST(TextBookAnimationTest, TheWindowedModeOverridesTheTimedOne) {
  TextBook book;
  book.windowed = true;
  book.windowStart = 1.0f;
  book.windowEnd = 2.0f;
  book.appearing = true;
  book.showTime = 15.0f;
  expectMoments(book, {{14.0f, false, 320, 180, 1}}, "windowed book at a timed moment");
}

}  // namespace
