// Drawing text books, read back through feedback: what is drawn where at
// each stage of the animation, the echo while the text fades in, books
// without a picture or without lines, and the state a draw leaves.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "overlay_test_support.h"

namespace overlay_test {
namespace {

struct Point {
  float x, y;
};

class TextBookDrawTest : public OverlayTest {
 protected:
  void SetUp() override {
    OverlayTest::SetUp();
    loadOverlayData(2);  // sun and mercury have pictures
  }

  static TextBook shownBook(const char* name, std::vector<std::string> lines) {
    TextBook book;
    std::snprintf(book.name, sizeof book.name, "%s", name);
    book.lines = std::move(lines);
    book.appearing = true;
    book.showTime = 15.0f;
    return book;
  }

  static Feedback drawAt(TextBook& book, float t) {
    sceneClock = t;
    begin2D();
    const Feedback fed = captureFeedback([&] { book.draw(); });
    end2D();
    return fed;
  }

  static void expectBox(const FedPolygon& quad, Box expected, const std::string& what) {
    expectBoxNear(boxOf(quad), expected, what);
  }

  // Where each one-character line was drawn, in drawing order.
  static std::vector<Point> glyphPositions(const Feedback& fed) {
    std::vector<Point> points;
    for (const FedVertex& v : fed.bitmaps) points.push_back({v.x, v.y});
    return points;
  }

  static void expectPositions(const std::vector<Point>& actual, const std::vector<Point>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
      EXPECT_FLOAT_EQ(actual[i].x, expected[i].x) << i;
      EXPECT_FLOAT_EQ(actual[i].y, expected[i].y) << i;
    }
  }

  static Box pictureAt(float dx, float dy) { return {240 + dx, 495 + dy, 320 + dx, 575 + dy}; }
  static constexpr Box kFullPanel{10, 400, 330, 580};
};

TEST_F(TextBookDrawTest, AHiddenBookDrawsNothing) {
  TextBook book = shownBook("sun", {"S"});
  EXPECT_TRUE(drawAt(book, 13.0f).polygons.empty());
  EXPECT_FALSE(book.visible);
}

TEST_F(TextBookDrawTest, AShownBookHasItsPanelLinesAndPicture) {
  TextBook book = shownBook("sun", {"S", "u", "n"});
  glColor4f(0.1f, 0.1f, 0.1f, 0.1f);
  const Feedback fed = drawAt(book, 16.0f);
  const std::vector<FedPolygon> quads = quadsOf(fed);
  ASSERT_EQ(quads.size(), 2u);
  expectBox(quads[0], kFullPanel, "panel");
  EXPECT_FLOAT_EQ(quads[0][0].r, 1.0f);
  EXPECT_FLOAT_EQ(quads[0][0].a, 1.0f);
  expectBox(quads[1], pictureAt(0, 0), "picture");
  EXPECT_NEAR(quads[1][0].r, 0.85f, 1e-6f);
  EXPECT_NEAR(quads[1][0].g, 0.9f, 1e-6f);
  EXPECT_FLOAT_EQ(quads[1][0].a, 1.0f);
  expectPositions(glyphPositions(fed), {{40, 560}, {40, 545}, {40, 530}});
  EXPECT_NEAR(fed.bitmaps[0].b, 1.0f, 1e-6f);

  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TextBookDrawTest, WhileFadingInTextAndPictureEchoAroundThemselves) {
  TextBook book = shownBook("sun", {"S", "u"});
  const Feedback fed = drawAt(book, 14.75f);  // a = 0.5: the echo lies 1 unit out
  const std::vector<FedPolygon> quads = quadsOf(fed);
  ASSERT_EQ(quads.size(), 6u);
  expectBox(quads[0], kFullPanel, "panel");
  const Box pictures[] = {pictureAt(0, 0), pictureAt(1, 0), pictureAt(-1, 0), pictureAt(0, 1), pictureAt(0, -1)};
  for (int i = 0; i < 5; ++i) {
    expectBox(quads[i + 1], pictures[i], "picture " + std::to_string(i));
    EXPECT_FLOAT_EQ(quads[i + 1][0].a, 0.5f);
  }
  expectPositions(glyphPositions(fed), {{40, 560}, {40, 545},  // sharp
                                        {41, 560}, {41, 545},  // right
                                        {39, 560}, {39, 545},  // left
                                        {40, 561}, {40, 546},  // up
                                        {40, 559}, {40, 544}});  // down
}

TEST_F(TextBookDrawTest, ThePanelKeepsItsSizeFromFrameToFrame) {
  TextBook book = shownBook("sun", {"S"});
  const Feedback fed = drawAt(book, 13.75f);  // a = -1.5: the text lies 5 units out
  EXPECT_TRUE(book.visible);
  EXPECT_FLOAT_EQ(book.panelWidth, 160.0f);
  EXPECT_FLOAT_EQ(book.panelHeight, 18.0f);
  const std::vector<FedPolygon> quads = quadsOf(fed);
  ASSERT_EQ(quads.size(), 6u);
  expectBox(quads[0], {10, 562, 170, 580}, "panel");
  EXPECT_FLOAT_EQ(quads[2][0].x, 245.0f) << "echo offset 5";
  EXPECT_FLOAT_EQ(quads[1][0].a, 0.0f) << "no text visible yet";

  book.showTime = 100.0f;  // the next scene waits long before unfolding
  drawAt(book, 1.0f);
  EXPECT_FLOAT_EQ(book.panelWidth, 160.0f);
  EXPECT_FLOAT_EQ(book.panelHeight, 18.0f);
}

TEST_F(TextBookDrawTest, WithoutAPictureOnlyPanelAndTextAreDrawn) {
  TextBook book = shownBook("comet", {"C"});
  const Feedback fed = drawAt(book, 14.75f);
  const std::vector<FedPolygon> quads = quadsOf(fed);
  ASSERT_EQ(quads.size(), 1u);
  expectBox(quads[0], kFullPanel, "panel");
  EXPECT_EQ(fed.bitmaps.size(), 5u) << "the text and its echo";
}

TEST_F(TextBookDrawTest, WithoutLinesOnlyPanelAndPictureAreDrawn) {
  TextBook book = shownBook("mercury", {});
  const Feedback fed = drawAt(book, 16.0f);
  const std::vector<FedPolygon> quads = quadsOf(fed);
  ASSERT_EQ(quads.size(), 2u);
  expectBox(quads[1], pictureAt(0, 0), "picture");
  EXPECT_TRUE(fed.bitmaps.empty());
}

}  // namespace
}  // namespace overlay_test
