// The text script reader: books, their lines as read, names cut to the
// field, scripts and books cut off by the end of the data, the lookup, and
// the director's two ways of showing a book.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "direction/scene_overlays.h"
#include "overlay/text_book.h"
#include "resources/scoped_data_archive.h"
#include "shell/settings.h"

namespace {

using archive_test::ScopedDataArchive;
using Lines = std::vector<std::string>;

struct ExpectedBook {
  std::string name;
  Lines lines;
};

struct ReaderCase {
  const char* what;
  std::string script;
  std::vector<ExpectedBook> books;
};

TEST(TextBookReaderTest, ReadsBooksAsTheScriptHasThem) {
  const ReaderCase cases[] = {
      {"two books", "text earth\nEarth\nThird planet\ntxtend\ntext mars\nMars\ntxtend\nEND_TEXT\n",
       {{"earth", {"Earth", "Third planet"}}, {"mars", {"Mars"}}}},
      {"lines as read: empty ones kept, leading spaces and carriage returns dropped",
       "text venus\r\n   Venus\r\n\r\n\tHot\r\nsp  aced  \r\ntxtend\r\nEND_TEXT\r\n",
       {{"venus", {"Venus", "", "\tHot", "sp  aced  "}}}},
      {"keywords inside a book are text", "text sun\ntext moon\nEND_TEXT\ntxtend\nEND_TEXT\n",
       {{"sun", {"text moon", "END_TEXT"}}}},
      {"lines between books are skipped", "junk\n\ntext a\nA\ntxtend\nmore junk\ntext b\ntxtend\nEND_TEXT\n",
       {{"a", {"A"}}, {"b", {}}}},
      {"END_TEXT ends the script", "text a\ntxtend\nEND_TEXT\ntext b\ntxtend\n", {{"a", {}}}},
      {"END_TEXT is a prefix match", "text a\ntxtend\nEND_TEXTS\ntext b\ntxtend\n", {{"a", {}}}},
      {"no END_TEXT: the script ends with the data", "text a\nA\ntxtend\ntext b\nB\ntxtend\n",
       {{"a", {"A"}}, {"b", {"B"}}}},
      {"no txtend: the book ends with the data", "text a\nA\ntxtend\ntext b\nB1\n\nB2",
       {{"a", {"A"}}, {"b", {"B1", "", "B2"}}}},
      {"a last line without a line feed", "text a\nA\ntxtend", {{"a", {"A"}}}},
      {"names are cut to 15 characters", "text abcdefghijklmnopqrstuvwxyz extra\nX\ntxtend\n",
       {{"abcdefghijklmno", {"X"}}}},
      {"a book without a name", "text\nX\ntxtend\n", {{"", {"X"}}}},
      {"an empty script", "", {}},
  };
  for (const ReaderCase& c : cases) {
    ScopedDataArchive archive({{"etext.txt", c.script}});
    TextBookList books;
    loadTextBooks(books, "etext.txt");
    ASSERT_EQ(books.size(), c.books.size()) << c.what;
    for (std::size_t i = 0; i < books.size(); ++i) {
      EXPECT_EQ(books[i]->name, c.books[i].name) << c.what;
      EXPECT_EQ(books[i]->lines, c.books[i].lines) << c.what << ", book " << i;
    }
  }
}

TEST(TextBookReaderTest, ANewBookHasTheDisplayDefaults) {
  ScopedDataArchive archive({{"mtext.txt", "text io\nIo\ntxtend\n"}});
  TextBookList books;
  loadTextBooks(books, "mtext.txt");
  ASSERT_EQ(books.size(), 1u);
  const TextBook& book = *books[0];
  EXPECT_EQ(book.x, 40.0f);
  EXPECT_EQ(book.y, 560.0f);
  EXPECT_EQ(book.showTime, 10.0f);
  EXPECT_FALSE(book.visible);
  EXPECT_TRUE(book.appearing);
  EXPECT_FALSE(book.windowed);
  EXPECT_EQ(book.panelWidth, 320.0f);
  EXPECT_EQ(book.panelHeight, 180.0f);
  EXPECT_EQ(book.fullWidth, 320.0f);
  EXPECT_EQ(book.fullHeight, 180.0f);
}

TEST(TextBookReaderTest, AMissingScriptGivesNoBooks) {
  ScopedDataArchive archive({{"other.txt", "text a\ntxtend\n"}});
  TextBookList books;
  loadTextBooks(books, "etext.txt");
  EXPECT_TRUE(books.empty());
}

TEST(TextBookReaderTest, TheSettingChoosesTheUnits) {
  ScopedDataArchive archive({{"etext.txt", "text miles\ntxtend\n"}, {"mtext.txt", "text km\ntxtend\n"}});
  const std::uint8_t saved = settings::English;
  for (const auto& [english, name] : {std::pair{1, "miles"}, std::pair{0, "km"}}) {
    settings::English = static_cast<std::uint8_t>(english);
    textBooks.clear();
    loadTextBooks();
    ASSERT_EQ(textBooks.size(), 1u) << english;
    EXPECT_STREQ(textBooks[0]->name, name);
  }
  settings::English = saved;
  textBooks.clear();
}

TEST(TextBookReaderTest, FindsTheFirstBookOfTheExactName) {
  ScopedDataArchive archive(
      {{"etext.txt", "text earth\nfirst\ntxtend\ntext Earth\ntxtend\ntext earth\nsecond\ntxtend\n"}});
  TextBookList books;
  loadTextBooks(books, "etext.txt");
  ASSERT_EQ(books.size(), 3u);
  EXPECT_EQ(findTextBook(books, "earth"), books[0].get());
  EXPECT_EQ(findTextBook(books, "Earth"), books[1].get());
  EXPECT_EQ(findTextBook(books, "eart"), nullptr);
  EXPECT_EQ(findTextBook(books, "earths"), nullptr);
  EXPECT_EQ(findTextBook(TextBookList{}, "earth"), nullptr);
}

class SceneTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"mars", "earth"}) {
      textBooks.push_back(std::make_unique<TextBook>());
      std::snprintf(textBooks.back()->name, TextBook::kNameCapacity, "%s", name);
    }
  }
  void TearDown() override {
    currentText = nullptr;
    textBooks.clear();
  }
};

TEST_F(SceneTextTest, TimedTextsUnfoldHiddenOrFoldAwayShown) {
  showSceneTextTimed("earth", true, 15.0f);
  ASSERT_EQ(currentText, textBooks[1].get());
  EXPECT_FALSE(currentText->visible);
  EXPECT_TRUE(currentText->appearing);
  EXPECT_EQ(currentText->showTime, 15.0f);

  showSceneTextTimed("earth", false, 2.0f);
  EXPECT_TRUE(currentText->visible);
  EXPECT_FALSE(currentText->appearing);
  EXPECT_EQ(currentText->showTime, 2.0f);
}

TEST_F(SceneTextTest, AWindowedTextStaysWindowed) {
  showSceneTextWindowed("mars", 10.0f, 20.0f);
  ASSERT_EQ(currentText, textBooks[0].get());
  EXPECT_TRUE(currentText->windowed);
  EXPECT_EQ(currentText->windowStart, 10.0f);
  EXPECT_EQ(currentText->windowEnd, 20.0f);
  showSceneTextTimed("mars", true, 15.0f);
  EXPECT_TRUE(textBooks[0]->windowed) << "nothing clears the windowed mode";
}

TEST_F(SceneTextTest, ANameNoBookHasLeavesTheSceneWithoutText) {
  showSceneTextTimed("earth", true, 15.0f);
  showSceneTextTimed("sun", true, 15.0f);
  EXPECT_EQ(currentText, nullptr);
  showSceneTextTimed("earth", true, 15.0f);
  showSceneTextWindowed("jupiter", 1.0f, 2.0f);
  EXPECT_EQ(currentText, nullptr);
  EXPECT_FALSE(textBooks[1]->windowed);
}

}  // namespace
