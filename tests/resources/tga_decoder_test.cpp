// TGA decoding and upload: every supported type and depth, run-length
// packets, the colour map, the refused headers, hostile pictures that must
// stay inside their buffers, and the uploaded textures read back.
#include "resources/tga_decoder.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "resources/gl_archive_fixture.h"
#include "resources/texture_upload.h"

namespace {

using namespace gl_archive_test;

struct TgaHeader {
  std::uint8_t identificationLength = 0;
  std::uint8_t colourMapType = 0;
  std::uint8_t imageType = 2;
  std::uint16_t colourMapFirstIndex = 0;
  std::uint16_t colourMapLength = 0;
  std::uint8_t colourMapEntrySize = 0;
  std::uint16_t width = 1;
  std::uint16_t height = 1;
  std::uint8_t depth = 32;
};

void put16(Bytes& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The 18 header bytes (origin 0, descriptor 0) followed by `body`.
Bytes tga(const TgaHeader& h, const Bytes& body) {
  Bytes bytes = {h.identificationLength, h.colourMapType, h.imageType};
  put16(bytes, h.colourMapFirstIndex);
  put16(bytes, h.colourMapLength);
  bytes.push_back(h.colourMapEntrySize);
  put16(bytes, 0);
  put16(bytes, 0);
  put16(bytes, h.width);
  put16(bytes, h.height);
  bytes.push_back(h.depth);
  bytes.push_back(0);
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

TgaHeader header(std::uint8_t type, std::uint8_t depth, std::uint16_t width = 1, std::uint16_t height = 1) {
  TgaHeader h;
  h.imageType = type;
  h.depth = depth;
  h.width = width;
  h.height = height;
  return h;
}

TgaHeader mapped(std::uint8_t type, std::uint16_t entries, std::uint16_t width, std::uint8_t entryBits = 24,
                 std::uint8_t depth = 8) {
  TgaHeader h = header(type, depth, width);
  h.colourMapType = 1;
  h.colourMapLength = entries;
  h.colourMapEntrySize = entryBits;
  return h;
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct DecodeCase {
  const char* name;
  Bytes file;
  Bytes pixels;  // expected decoded bytes
  int depth;     // expected decoded depth
};

std::vector<DecodeCase> decodeCases() {
  TgaHeader withIdentification = header(2, 24);
  withIdentification.identificationLength = 5;
  TgaHeader mappedWithIdentification = mapped(1, 1, 1);
  mappedWithIdentification.identificationLength = 5;
  TgaHeader trueColourWithMap = header(2, 24);
  trueColourWithMap.colourMapType = 1;
  trueColourWithMap.colourMapLength = 1;
  trueColourWithMap.colourMapEntrySize = 24;
  return {
      {"raw32", tga(header(2, 32), {1, 2, 3, 4}), {3, 2, 1, 4}, 32},
      {"rle32", tga(header(10, 32), {0x80, 1, 2, 3, 4}), {3, 2, 1, 4}, 32},
      {"raw16", tga(header(2, 16), {0xFF, 0x7F}), {248, 248, 248}, 24},
      {"raw16Channels", tga(header(2, 16), {0x01 | (2 << 5), (3 << 2) | 0x80}), {8, 16, 24}, 24},
      {"rle16", tga(header(10, 16, 2), {0x81, 0xFF, 0x7F}), {248, 248, 248, 248, 248, 248}, 24},
      {"raw24", tga(header(2, 24, 2), {1, 2, 3, 4, 5, 6}), {1, 2, 3, 4, 5, 6}, 24},
      {"runPacket", tga(header(10, 24, 4), {0x83, 7, 8, 9}), {7, 8, 9, 7, 8, 9, 7, 8, 9, 7, 8, 9}, 24},
      {"rawPacket", tga(header(10, 24, 4), {0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 24},
      {"mixedPackets", tga(header(11, 8, 5), {0x01, 10, 20, 0x82, 30}), {10, 20, 30, 30, 30}, 8},
      {"grey", tga(header(3, 8, 3), {0, 128, 255}), {0, 128, 255}, 8},
      {"colourMapped", tga(mapped(1, 2, 2), Bytes{1, 2, 3, 4, 5, 6} + Bytes{1, 0}), {4, 5, 6, 1, 2, 3}, 24},
      {"colourMappedRle", tga(mapped(9, 2, 3), Bytes{1, 2, 3, 4, 5, 6} + Bytes{0x82, 1}), {4, 5, 6, 4, 5, 6, 4, 5, 6}, 24},
      {"identificationSkipped", tga(withIdentification, {9, 9, 9, 9, 9, 1, 2, 3}), {1, 2, 3}, 24},
      {"identificationBeforePalette", tga(mappedWithIdentification, {9, 9, 9, 9, 9, 7, 8, 9, 0}), {7, 8, 9}, 24},
      // True-colour pictures never skip a colour map: its bytes read as pixels.
      {"trueColourMapNotSkipped", tga(trueColourWithMap, {1, 2, 3, 4, 5, 6}), {1, 2, 3}, 24},
  };
}

class TgaDecoderTest : public GlArchiveTest {
 protected:
  void useFiles(const std::vector<std::pair<std::string, Bytes>>& files) {
    std::vector<StoredEntry> entries;
    for (const auto& [name, bytes] : files) entries.push_back({name, bytes});
    useArchive(entries);
  }
  static std::size_t messageCount() { return platform::headless::recordedMessageBoxes().size(); }
};

TEST_F(TgaDecoderTest, DecodesEverySupportedLayout) {
  const std::vector<DecodeCase> cases = decodeCases();
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& c : cases) files.emplace_back(c.name, c.file);
  useFiles(files);
  for (const auto& c : cases) {
    TgaImage image;
    ASSERT_TRUE(decodeTga(c.name, image)) << c.name;
    EXPECT_EQ(image.pixels, c.pixels) << c.name;
    EXPECT_EQ(image.depth, c.depth) << c.name;
    EXPECT_TRUE(image.palette.empty()) << c.name;
  }
  EXPECT_EQ(messageCount(), 0u);
}

TEST_F(TgaDecoderTest, RefusesUnsupportedHeaders) {
  struct RefusedCase {
    const char* name;
    Bytes file;
    bool message;
  };
  const std::vector<RefusedCase> cases = {
      {"depth15", tga(header(2, 15), {1, 2}), true},
      {"depth0", tga(header(2, 0), {}), true},
      {"depth40", tga(header(2, 40), {1, 2, 3, 4, 5}), true},
      {"palette16", tga(mapped(1, 1, 1, 16), {1, 2, 0}), false},
      {"paletteWithoutMap", tga(header(1, 8), {0}), false},
      {"greyDepth16", tga(header(3, 16), {1, 2}), false},
      {"trueColourDepth8", tga(header(2, 8), {1}), false},
      {"colourMappedDepth24", tga(mapped(1, 1, 1, 24, 24), {1, 2, 3, 0, 0, 0}), false},
      {"type0", tga(header(0, 32), {1, 2, 3, 4}), false},
      {"type4", tga(header(4, 32), {1, 2, 3, 4}), false},
      {"type12", tga(header(12, 32), {1, 2, 3, 4}), false},
      {"emptyPicture", tga(header(2, 32, 0, 5), {}), false},
  };
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& c : cases) files.emplace_back(c.name, c.file);
  useFiles(files);
  for (const auto& c : cases) {
    const std::size_t before = messageCount();
    TgaImage image;
    EXPECT_FALSE(decodeTga(c.name, image)) << c.name;
    EXPECT_TRUE(image.pixels.empty()) << c.name;
    EXPECT_EQ(messageCount() - before, c.message ? 1u : 0u) << c.name;
  }
  TgaImage image;
  EXPECT_FALSE(decodeTga("missing.tga", image));
  ASSERT_FALSE(platform::headless::recordedMessageBoxes().empty());
  EXPECT_EQ(platform::headless::recordedMessageBoxes().front(),
            std::make_pair(std::string("Unsupported image depth."), std::string("TGA")));
}

TEST_F(TgaDecoderTest, HostilePicturesStayInsideTheirBuffers) {
  TgaHeader farIdentification = header(2, 24);
  farIdentification.identificationLength = 255;
  struct HostileCase {
    const char* name;
    Bytes file;
    bool decodes;
    Bytes pixels;  // expected when it decodes
  };
  // One run of 128 pixels, then nothing: the other 172 pixels stay 0.
  Bytes longRun(300 * 4, 0);
  for (std::size_t i = 0; i < 128; ++i) std::copy_n(Bytes{3, 2, 1, 4}.begin(), 4, longRun.begin() + i * 4);
  const std::vector<HostileCase> cases = {
      {"hugeRaw", tga(header(2, 32, 65535, 65535), {1, 2, 3, 4}), false, {}},
      {"hugeRunLength", tga(header(11, 8, 8192, 8192), {0xFF, 1}), false, {}},
      {"runPastTheEnd", tga(header(10, 32, 2, 1), {0xFF, 1, 2, 3, 4}), true, {3, 2, 1, 4, 3, 2, 1, 4}},
      {"rawPacketPastTheEnd", tga(header(10, 24, 2, 1), {0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9}), true, {1, 2, 3, 4, 5, 6}},
      {"runLengthCutShort", tga(header(10, 32, 300, 1), {0xFF, 1, 2, 3, 4}), true, longRun},
      {"rawCutShort", tga(header(2, 32, 2, 2), {1, 2, 3, 4}), true, {3, 2, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"pixelCutShort", tga(header(2, 32), {1, 2}), true, {0, 2, 1, 0}},
      {"indexBeyondPalette", tga(mapped(1, 1, 3), Bytes{1, 2, 3} + Bytes{0, 200, 1}), true, {1, 2, 3, 0, 0, 0, 0, 0, 0}},
      {"paletteCutShort", tga(mapped(1, 1000, 1), {5}), true, {5, 0, 0}},
      {"identificationPastTheEnd", tga(farIdentification, {1, 2, 3}), true, {0, 0, 0}},
  };
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& c : cases) files.emplace_back(c.name, c.file);
  useFiles(files);
  for (const auto& c : cases) {
    TgaImage image;
    EXPECT_EQ(decodeTga(c.name, image), c.decodes) << c.name;
    EXPECT_EQ(image.pixels, c.pixels) << c.name;
  }
  EXPECT_EQ(messageCount(), 0u);
}

TEST_F(TgaDecoderTest, RunLengthDecoderWritesNoMoreThanItsBuffer) {
  useFiles({{"runs", {0xFF, 9, 0xFF, 9}}});
  ArchiveFile file;
  ASSERT_TRUE(file.open("runs"));
  std::vector<std::uint8_t> pixels(5, 0);
  decodeTgaRle(pixels, 100, 100, 8, file);  // the buffer, not the size, bounds the output
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{9, 9, 9, 9, 9}));
}

enum class Channels { Rgba, Rgb, Luminance };

// Two-row pictures: row 0 of the texture must be the first row of the file.
TEST_F(TgaDecoderTest, UploadsInTheDecodedLayout) {
  struct UploadCase {
    const char* name;
    Bytes file;
    std::vector<int> row0, row1;  // RGBA read back; luminance reads back as red
    Channels channels;
  };
  TgaHeader mappedTwoRows = mapped(1, 2, 1);
  mappedTwoRows.height = 2;
  const std::vector<UploadCase> cases = {
      {"textures\\raw32.tga", tga(header(2, 32, 1, 2), {1, 2, 3, 4, 5, 6, 7, 8}), {3, 2, 1, 4}, {7, 6, 5, 8}, Channels::Rgba},
      {"textures\\rle32.tga", tga(header(10, 32, 1, 2), {0x01, 1, 2, 3, 4, 5, 6, 7, 8}), {3, 2, 1, 4}, {7, 6, 5, 8},
       Channels::Rgba},
      {"textures\\raw24.tga", tga(header(2, 24, 1, 2), {10, 20, 30, 40, 50, 60}), {30, 20, 10, 255}, {60, 50, 40, 255},
       Channels::Rgb},
      {"textures\\raw16.tga", tga(header(2, 16, 1, 2), {0xFF, 0x7F, 0x1F, 0x00}), {248, 248, 248, 255}, {0, 0, 248, 255},
       Channels::Rgb},
      {"textures\\mapped.tga", tga(mappedTwoRows, Bytes{1, 2, 3, 4, 5, 6} + Bytes{1, 0}), {6, 5, 4, 255}, {3, 2, 1, 255},
       Channels::Rgb},
      {"textures\\grey.tga", tga(header(3, 8, 1, 2), {50, 200}), {50, 0, 0, 255}, {200, 0, 0, 255}, Channels::Luminance},
  };
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& c : cases) files.emplace_back(c.name, c.file);
  useFiles(files);
  for (const auto& c : cases) {
    const std::uint32_t name = loadTgaTexture(c.name);
    ASSERT_NE(name, 0u) << c.name;
    const TextureImage image = readTexture(name);
    ASSERT_EQ(image.width, 1) << c.name;
    ASSERT_EQ(image.height, 2) << c.name;
    EXPECT_EQ(pixelValues(image, 0, 0), c.row0) << c.name;
    EXPECT_EQ(pixelValues(image, 0, 1), c.row1) << c.name;
    GLint redBits = 0, alphaBits = 0, luminanceBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &redBits);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_LUMINANCE_SIZE, &luminanceBits);
    EXPECT_EQ(redBits > 0, c.channels != Channels::Luminance) << c.name;
    EXPECT_EQ(alphaBits > 0, c.channels == Channels::Rgba) << c.name;
    EXPECT_EQ(luminanceBits > 0, c.channels == Channels::Luminance) << c.name;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TgaDecoderTest, UploadLeavesTheMipmappedTextureBound) {
  useFiles({{"textures\\square.tga", tga(header(2, 32, 4, 4), Bytes(64, 0x80))}});
  const std::uint32_t name = loadTgaTexture("textures\\square.tga");
  ASSERT_NE(name, 0u);
  GLint bound = 0, minFilter = 0, magFilter = 0, wrap = 0, alignment = 0, level2Width = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &level2Width);
  EXPECT_EQ(static_cast<std::uint32_t>(bound), name);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  EXPECT_EQ(wrap, GL_REPEAT);
  EXPECT_EQ(alignment, 1);
  EXPECT_EQ(level2Width, 1);
}

TEST_F(TgaDecoderTest, FailedDecodesMakeNoTexture) {
  useFiles({{"textures\\depth15.tga", tga(header(2, 15), {1, 2})},
            {"textures\\palette16.tga", tga(mapped(1, 1, 1, 16), {1, 2, 0})}});
  GLint boundBefore = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundBefore);
  EXPECT_EQ(loadTgaTexture("textures\\palette16.tga"), 0u);
  EXPECT_EQ(messageCount(), 0u);
  EXPECT_EQ(loadTgaTexture("textures\\missing.tga"), 0u);
  EXPECT_EQ(messageCount(), 0u);
  EXPECT_EQ(loadTgaTexture("textures\\depth15.tga"), 0u);
  EXPECT_EQ(messageCount(), 1u);
  GLint boundAfter = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundAfter);
  EXPECT_EQ(boundAfter, boundBefore);
}

}  // namespace
