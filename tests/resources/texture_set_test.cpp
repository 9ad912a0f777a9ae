// Texture entries and texture sets: the path each name gives, the loader its
// ending picks, lookups by full path, and reading a list entry with its
// terminator, blank lines, extra words and progress messages.
#include "resources/texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "resources/gl_archive_fixture.h"
#include "resources/load_progress.h"

namespace {

using namespace gl_archive_test;

// A 1 × 1 uncompressed 32-bit TGA picture.
const Bytes kTgaPicture = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 32, 0, 10, 20, 30, 255};

class TextureSetTest : public GlArchiveTest {
 protected:
  void SetUp() override {
    GlArchiveTest::SetUp();
    setLoadProgressWindow(window_);
  }
  void TearDown() override {
    setLoadProgressWindow(0);
    GlArchiveTest::TearDown();
  }

  // Pictures under textures\ (all of them TGA bytes) plus text entries.
  void useEntries(const std::vector<std::string>& pictures,
                  const std::vector<std::pair<std::string, std::string>>& texts = {}) {
    std::vector<StoredEntry> entries;
    for (const auto& name : pictures) entries.push_back({"textures\\" + name, kTgaPicture});
    for (const auto& [name, text] : texts) entries.push_back({name, bytesOf(text)});
    useArchive(entries);
  }

  static int progressMessages() {
    const auto& messages = headless_test::received();
    return static_cast<int>(std::count_if(messages.begin(), messages.end(), [](const platform::Message& m) {
      return m.message == kLoadProgressMessage && m.wParam == 0 && m.lParam == 0;
    }));
  }

  static bool hasImage(std::uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width > 0;
  }

  static std::vector<std::string> paths(const TextureSet& set) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < set.size(); ++i) result.push_back(set[i].path);
    return result;
  }
};

TEST_F(TextureSetTest, LoadFormsThePathAndPicksTheLoaderByTheNamesEnding) {
  enum class Result { NoTexture, TextureWithoutImage, TextureWithImage };
  struct LoadCase {
    std::string name;
    std::string path;
    Result result;
  };
  const std::string longest = std::string(18, 'n') + ".tga";
  // Every entry holds TGA bytes: the JPEG loader makes a name without an
  // image from them, the TGA loader a full texture.
  const std::vector<LoadCase> cases = {
      {"earth.tga", "textures\\earth.tga", Result::TextureWithImage},
      {"sky.TGA", "textures\\sky.TGA", Result::TextureWithImage},
      {"moon.jpg", "textures\\moon.jpg", Result::TextureWithoutImage},
      {"mars.JPG", "textures\\mars.JPG", Result::TextureWithoutImage},
      {"venus.Jpg", "textures\\venus.Jpg", Result::NoTexture},
      {"pluto.png", "textures\\pluto.png", Result::NoTexture},
      {"tg", "textures\\tg", Result::NoTexture},
      // 22 characters fill the path; 23 do not fit and are refused.
      {longest, "textures\\" + longest, Result::TextureWithImage},
      {"n" + longest, "", Result::NoTexture},
  };
  std::vector<std::string> pictures;
  for (const auto& c : cases) pictures.push_back(c.name);
  useEntries(pictures);
  for (const auto& c : cases) {
    Texture texture;
    texture.load(c.name.c_str());
    EXPECT_EQ(texture.path, c.path) << c.name;
    EXPECT_EQ(texture.texture != 0, c.result != Result::NoTexture) << c.name;
    if (texture.texture != 0) {
      EXPECT_EQ(hasImage(texture.texture), c.result == Result::TextureWithImage) << c.name;
    }
  }
  EXPECT_TRUE(platform::headless::recordedMessageBoxes().empty());
}

TEST_F(TextureSetTest, ListMakesOneEntryPerNameInOrder) {
  useEntries({"earth.tga", "sky.tga", "after.tga"},
             {{"texture.txt", "earth.tga extra words\r\n\n   \nsky.tga\nearth.tga\nEND_TEXTURES\nafter.tga\n"}});
  TextureSet set;
  loadTextureSet(set, "texture.txt", true);
  EXPECT_EQ(paths(set), (std::vector<std::string>{"textures\\earth.tga", "textures\\sky.tga", "textures\\earth.tga"}));
  EXPECT_EQ(progressMessages(), 3);
  for (std::size_t i = 0; i < set.size(); ++i) EXPECT_NE(set[i].texture, 0u) << i;
  // A name listed twice makes two textures; find returns the first.
  EXPECT_NE(set[0].texture, set[2].texture);
  EXPECT_EQ(set.find("textures\\earth.tga"), &set[0]);
  EXPECT_EQ(set.find("textures\\sky.tga"), &set[1]);
  EXPECT_EQ(set.find("earth.tga"), nullptr);
  EXPECT_EQ(set.find("textures\\earth.tg"), nullptr);
  EXPECT_EQ(set.find("textures\\after.tga"), nullptr);
}

TEST_F(TextureSetTest, ListEndsAtItsDataWithoutATerminator) {
  useEntries({"a.tga", "b.tga"}, {{"open.txt", "a.tga\nb.tga"}, {"empty.txt", ""}});
  TextureSet set;
  loadTextureSet(set, "open.txt", false);
  EXPECT_EQ(paths(set), (std::vector<std::string>{"textures\\a.tga", "textures\\b.tga"}));
  loadTextureSet(set, "empty.txt", true);
  loadTextureSet(set, "missing.txt", true);
  EXPECT_EQ(set.size(), 2u);  // appended to, never replaced
  EXPECT_EQ(progressMessages(), 0);
}

TEST_F(TextureSetTest, EmptySetFindsNothing) {
  TextureSet set;
  EXPECT_EQ(set.find("textures\\c.jpg"), nullptr);
  EXPECT_EQ(set.find(""), nullptr);
}

}  // namespace
