// JPEG decoding and upload: pictures compressed by libjpeg in the test, read
// back bottom-up, greyscale widened to RGB, and damaged or refused pictures
// that upload nothing and stop nothing.
#include "resources/jpeg_decoder.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/headless/headless.h"
#include "resources/gl_archive_fixture.h"
#include "resources/texture_upload.h"

namespace {

using namespace gl_archive_test;

struct Picture {
  int width;
  int height;
  int components;
  J_COLOR_SPACE space;
  std::vector<std::uint8_t> topDown;  // rows from the top, width × components bytes each
};

Bytes compress(const Picture& picture) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = picture.width;
  info.image_height = picture.height;
  info.input_components = picture.components;
  info.in_color_space = picture.space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&picture.topDown[info.next_scanline * picture.width * picture.components]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// A 16 × 16 picture: the top half one colour, the bottom half another.
Picture halves(std::vector<std::uint8_t> top, std::vector<std::uint8_t> bottom, J_COLOR_SPACE space) {
  const int components = static_cast<int>(top.size());
  Picture picture{16, 16, components, space, {}};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const auto& colour = y < picture.height / 2 ? top : bottom;
      picture.topDown.insert(picture.topDown.end(), colour.begin(), colour.end());
    }
  }
  return picture;
}

const Picture kRedOverBlue = halves({255, 0, 0}, {0, 0, 255}, JCS_RGB);
const Picture kLightOverDark = halves({200}, {40}, JCS_GRAYSCALE);

// Within a few steps of the expected value, as JPEG's rounding allows.
constexpr int kJpegTolerance = 6;

void expectRgb(const std::uint8_t* p, int r, int g, int b, const std::string& where) {
  EXPECT_NEAR(p[0], r, kJpegTolerance) << where;
  EXPECT_NEAR(p[1], g, kJpegTolerance) << where;
  EXPECT_NEAR(p[2], b, kJpegTolerance) << where;
}

class JpegDecoderTest : public GlArchiveTest {
 protected:
  static const std::vector<std::pair<std::string, std::string>>& messages() {
    return platform::headless::recordedMessageBoxes();
  }
  static GLint boundWidth() {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
  }
};

TEST_F(JpegDecoderTest, RowsAreStoredBottomUp) {
  useArchive({{"textures\\halves.jpg", compress(kRedOverBlue)}});
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg("textures\\halves.jpg", image));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 16);
  EXPECT_EQ(image.rowBytes, 48);
  ASSERT_EQ(image.pixels.size(), 48u * 16u);
  expectRgb(&image.pixels[0], 0, 0, 255, "first buffer row");
  expectRgb(&image.pixels[15 * 48], 255, 0, 0, "last buffer row");
}

TEST_F(JpegDecoderTest, UploadsAnRgbMipmappedTexture) {
  useArchive({{"textures\\halves.jpg", compress(kRedOverBlue)}});
  const std::uint32_t name = loadJpegTexture("textures\\halves.jpg");
  ASSERT_NE(name, 0u);
  GLint bound = 0, minFilter = 0, magFilter = 0, alphaBits = 0, level1Width = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1Width);
  EXPECT_EQ(static_cast<std::uint32_t>(bound), name);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  EXPECT_EQ(alphaBits, 0);
  EXPECT_EQ(level1Width, 8);

  const TextureImage texture = readBoundTexture();
  ASSERT_EQ(texture.width, 16);
  expectRgb(texture.pixel(3, 0), 0, 0, 255, "texture row 0");
  expectRgb(texture.pixel(3, 15), 255, 0, 0, "texture row 15");
  EXPECT_TRUE(messages().empty());
}

TEST_F(JpegDecoderTest, GreyscaleBecomesGreyRgb) {
  useArchive({{"textures\\grey.jpg", compress(kLightOverDark)}});
  DecodedImage image;
  ASSERT_TRUE(decodeJpeg("textures\\grey.jpg", image));
  EXPECT_EQ(image.rowBytes, 48);
  ASSERT_EQ(image.pixels.size(), 48u * 16u);
  expectRgb(&image.pixels[0], 40, 40, 40, "first buffer row");
  expectRgb(&image.pixels[15 * 48 + 45], 200, 200, 200, "last pixel");
  for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
    ASSERT_EQ(image.pixels[i], image.pixels[i + 1]) << i;
    ASSERT_EQ(image.pixels[i], image.pixels[i + 2]) << i;
  }

  ASSERT_NE(loadJpegTexture("textures\\grey.jpg"), 0u);
  const TextureImage texture = readBoundTexture();
  ASSERT_EQ(texture.width, 16);
  expectRgb(texture.pixel(0, 0), 40, 40, 40, "texture row 0");
  expectRgb(texture.pixel(0, 15), 200, 200, 200, "texture row 15");
}

// Fatal decoding errors and refused pictures: a texture name without an
// image, and nothing shown.
TEST_F(JpegDecoderTest, UndecodablePicturesUploadNothing) {
  const Bytes good = compress(kRedOverBlue);
  Picture wide{kMaxJpegSide + 8, 1, 3, JCS_RGB, std::vector<std::uint8_t>((kMaxJpegSide + 8) * 3, 90)};
  Picture cmyk{8, 8, 4, JCS_CMYK, std::vector<std::uint8_t>(8 * 8 * 4, 30)};
  const std::vector<std::pair<std::string, Bytes>> cases = {
      {"textures\\empty.jpg", {}},
      {"textures\\text.jpg", bytesOf("not a picture at all")},
      {"textures\\header-only.jpg", Bytes(good.begin(), good.begin() + 20)},
      {"textures\\wide.jpg", compress(wide)},
      {"textures\\cmyk.jpg", compress(cmyk)},
  };
  std::vector<StoredEntry> entries;
  for (const auto& [name, bytes] : cases) entries.push_back({name, bytes});
  useArchive(entries);
  for (const auto& [name, bytes] : cases) {
    DecodedImage image;
    EXPECT_FALSE(decodeJpeg(name.c_str(), image)) << name;
    EXPECT_TRUE(image.pixels.empty()) << name;
    const std::uint32_t texture = loadJpegTexture(name.c_str());
    EXPECT_NE(texture, 0u) << name;
    EXPECT_EQ(boundWidth(), 0) << name;
  }
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Scan data cut short is a warning for libjpeg, not an error: the picture
// decodes whole, the missing part filled in, and nothing is shown.
TEST_F(JpegDecoderTest, PictureCutInItsScanDecodesQuietly) {
  const Bytes good = compress(kRedOverBlue);
  std::size_t scanStart = 0;  // just after the start-of-scan marker
  for (std::size_t i = 0; i + 1 < good.size() && scanStart == 0; ++i) {
    if (good[i] == 0xFF && good[i + 1] == 0xDA) scanStart = i + 2;
  }
  ASSERT_NE(scanStart, 0u);
  const std::size_t cut = scanStart + (good.size() - scanStart) / 2;
  useArchive({{"textures\\cut.jpg", Bytes(good.begin(), good.begin() + cut)}});
  DecodedImage image;
  EXPECT_TRUE(decodeJpeg("textures\\cut.jpg", image));
  EXPECT_EQ(image.pixels.size(), 48u * 16u);
  EXPECT_TRUE(messages().empty());
}

TEST_F(JpegDecoderTest, MissingEntryShowsItsMessageAndStillNamesATexture) {
  useArchive({{"textures\\other.jpg", compress(kRedOverBlue)}});
  DecodedImage image;
  EXPECT_FALSE(decodeJpeg("textures\\none.jpg", image));
  const std::uint32_t texture = loadJpegTexture("textures\\none.jpg");
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(boundWidth(), 0);
  const auto expected = std::make_pair(std::string("ARCH:Can't load JPG file: textures\\none.jpg"), std::string("Error"));
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0], expected);
  EXPECT_EQ(messages()[1], expected);
}

}  // namespace
