// The data the overlays read: the information texts in both unit systems,
// the sign set with a picture for every text, and the recipes of the
// overlay pictures at the sizes the saver is drawn for.
#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "param_file.h"

namespace {

const std::string kData = VT_SOURCE_DIR "/data/";

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

struct Book {
  std::string name;
  std::vector<std::string> lines;
};

// Reads a text script the way the saver does: "text NAME" opens a book,
// every line up to "txtend" is one of its lines, "END_TEXT" ends the
// script. Anything else between books is a fault of the data here.
std::vector<Book> readBooks(const std::string& file) {
  std::vector<Book> books;
  std::vector<std::string> lines = readLines(kData + file);
  bool ended = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (ended) {
      ADD_FAILURE() << file << ": line " << i + 1 << " follows END_TEXT";
      break;
    }
    if (line.empty()) continue;
    if (startsWith(line, "END_TEXT")) {
      ended = true;
      continue;
    }
    if (!startsWith(line, "text ")) {
      ADD_FAILURE() << file << ": line " << i + 1 << " lies outside a book: " << line;
      continue;
    }
    Book book{line.substr(5), {}};
    bool closed = false;
    for (++i; i < lines.size(); ++i) {
      if (startsWith(lines[i], "txtend")) {
        closed = true;
        break;
      }
      book.lines.push_back(lines[i]);
    }
    EXPECT_TRUE(closed) << file << ": " << book.name << " has no txtend";
    books.push_back(book);
  }
  EXPECT_TRUE(ended) << file << " does not end with END_TEXT";
  return books;
}

std::vector<std::string> signEntries() {
  std::vector<std::string> entries;
  for (const std::string& line : readLines(kData + "sign.txt")) {
    if (startsWith(line, "END_TEXT")) return entries;
    entries.push_back(line);
  }
  ADD_FAILURE() << "sign.txt does not end with END_TEXT";
  return entries;
}

std::map<std::string, datagen::Recipe> pictureRecipes() {
  std::vector<datagen::Recipe> list;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(kData + "generate/pictures.txt", list, error)) << error;
  std::map<std::string, datagen::Recipe> byName;
  for (datagen::Recipe& recipe : list) byName[recipe.name] = recipe;
  return byName;
}

const std::vector<std::string> kBookNames = {"system", "sun",    "mercury", "venus",  "earth",   "moon", "mars",
                                             "aster",  "jupiter", "saturn", "uranus", "neptune", "pluto"};

// The panel holds six lines of 15 units in its 180; the first five lie
// beside the 80-unit picture, which leaves about 34 characters of Arial.
constexpr std::size_t kMostLines = 6;
constexpr std::size_t kLongestLine = 34;
constexpr std::size_t kLongestBookName = 15;

}  // namespace

TEST(InformationTexts, HoldShortPlainAsciiBooksForEveryNameInBothUnits) {
  for (const char* file : {"etext.txt", "mtext.txt"}) {
    SCOPED_TRACE(file);
    std::vector<Book> books = readBooks(file);
    std::vector<std::string> names;
    for (const Book& book : books) {
      SCOPED_TRACE(book.name);
      names.push_back(book.name);
      EXPECT_LE(book.name.size(), kLongestBookName);
      ASSERT_FALSE(book.lines.empty());
      EXPECT_LE(book.lines.size(), kMostLines);
      for (const std::string& line : book.lines) {
        EXPECT_LE(line.size(), kLongestLine) << line;
        EXPECT_FALSE(line.empty() || line[0] == ' ') << "the saver drops leading blanks: \"" << line << "\"";
        for (char c : line) EXPECT_TRUE(c >= 32 && c <= 126) << "not plain ASCII: \"" << line << "\"";
      }
      const std::string& title = book.lines[0];
      EXPECT_TRUE(std::none_of(title.begin(), title.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
          << "the first line is the name in capitals: " << title;
    }
    EXPECT_EQ(names, kBookNames);
  }
}

TEST(InformationTexts, SayTheSameInImperialAndMetricUnits) {
  std::vector<Book> imperial = readBooks("etext.txt"), metric = readBooks("mtext.txt");
  ASSERT_EQ(imperial.size(), metric.size());
  for (std::size_t b = 0; b < imperial.size(); ++b) {
    SCOPED_TRACE(imperial[b].name);
    ASSERT_EQ(imperial[b].lines.size(), metric[b].lines.size());
    EXPECT_EQ(imperial[b].lines[0], metric[b].lines[0]);
    for (std::size_t i = 0; i < imperial[b].lines.size(); ++i) {
      const std::string &e = imperial[b].lines[i], &m = metric[b].lines[i];
      EXPECT_EQ(e.find(" km"), std::string::npos) << e;
      EXPECT_EQ(m.find("mile"), std::string::npos) << m;
      EXPECT_EQ(e.find("mile") != std::string::npos, m.find(" km") != std::string::npos) << e << " / " << m;
      bool fahrenheit = e.size() > 2 && e.compare(e.size() - 2, 2, " F") == 0;
      bool celsius = m.size() > 2 && m.compare(m.size() - 2, 2, " C") == 0;
      EXPECT_EQ(fahrenheit, celsius) << e << " / " << m;
    }
  }
}

TEST(SignSet, OpensWithTheCentrePictureAndListsAPictureForEveryBook) {
  std::vector<std::string> entries = signEntries();
  ASSERT_GE(entries.size(), 10u) << "the centre picture and nine icons";
  EXPECT_EQ(entries[0], "sign\\system.jpg");
  std::set<std::string> listed;
  for (const std::string& entry : entries) {
    EXPECT_TRUE(listed.insert(entry).second) << "listed twice: " << entry;
    EXPECT_FALSE(entry.empty()) << "list files have no blank lines";
    EXPECT_LE(entry.size(), 22u) << entry;
    EXPECT_EQ(entry.find(' '), std::string::npos) << entry;
  }
  for (const char* file : {"etext.txt", "mtext.txt"})
    for (const Book& book : readBooks(file))
      EXPECT_TRUE(listed.count("sign\\" + book.name + ".jpg")) << file << ": no sign picture for " << book.name;
}

TEST(SignSet, EveryEntryIsAGeneratedPictureOfItsSize) {
  std::map<std::string, datagen::Recipe> recipes = pictureRecipes();
  std::vector<std::string> entries = signEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string name = entries[i];
    std::replace(name.begin(), name.end(), '\\', '/');
    SCOPED_TRACE(name);
    ASSERT_TRUE(recipes.count(name)) << "no recipe in pictures.txt";
    int width = 0, height = 0;
    ASSERT_TRUE(recipes[name].settings.size("size", width, height));
    // The centre picture is drawn 200 units wide, the others at most 100.
    int side = i == 0 ? 256 : 128;
    EXPECT_EQ(width, side);
    EXPECT_EQ(height, side);
  }
}

TEST(OverlayPictures, AreMadeAtTheSizesTheSaverIsDrawnFor) {
  struct Expected {
    const char* name;
    const char* kind;
    int width, height;
  } expected[] = {
      {"c.jpg", "digits", 512, 512},       {"load.jpg", "horizon", 256, 256},  {"noise.tga", "noise", 256, 256},
      {"panel.tga", "panel", 256, 128},    {"particle.jpg", "dot", 64, 64},    {"glow.jpg", "glow", 256, 256},
      {"atmo.jpg", "halo", 256, 256},      {"flare.jpg", "glow", 128, 128},    {"burst.jpg", "burst", 256, 256},
      {"lensghost.jpg", "ghost", 128, 128}, {"lensring.jpg", "lensring", 128, 128}, {"probe.jpg", "probe", 256, 256},
  };
  std::map<std::string, datagen::Recipe> recipes = pictureRecipes();
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_TRUE(recipes.count(e.name));
    EXPECT_EQ(recipes[e.name].kind, e.kind);
    int width = 0, height = 0;
    ASSERT_TRUE(recipes[e.name].settings.size("size", width, height));
    EXPECT_EQ(width, e.width);
    EXPECT_EQ(height, e.height);
  }
}
