// A headless GL context plus a "data.sdd" built by the test in a fresh
// current directory, and reading back the texture that is bound.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless_fixture.h"
#include "resources/archive_file.h"
#include "resources/archive_test_support.h"

namespace gl_archive_test {

using archive_test::bytesOf;
using rar::Bytes;
using rar::StoredEntry;

class GlArchiveTest : public headless_test::HeadlessTest {
 protected:
  static constexpr int kWindowSize = 64;

  void SetUp() override {
    HeadlessTest::SetUp();
    window_ = makeGlWindow(kWindowSize, kWindowSize);
  }

  void TearDown() override {
    inArchiveDirectory_.reset();
    HeadlessTest::TearDown();
  }

  // Writes the archive and makes its directory current for the rest of the test.
  void useArchive(const std::vector<StoredEntry>& entries) {
    archive_test::writeFile(directory_.path() / ArchiveFile::kArchiveName, archive_test::buildArchive(entries));
    inArchiveDirectory_ = std::make_unique<archive_test::CurrentDirectory>(directory_.path());
  }

  platform::WindowHandle window_ = 0;

 private:
  archive_test::TempDir directory_;
  std::unique_ptr<archive_test::CurrentDirectory> inArchiveDirectory_;
};

// Level 0 of the bound 2D texture as RGBA rows, row 0 first; empty when the
// texture has no image.
struct TextureImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* pixel(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

inline TextureImage readBoundTexture() {
  TextureImage image;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
  if (image.width <= 0 || image.height <= 0) return TextureImage{};
  image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
  return image;
}

inline TextureImage readTexture(std::uint32_t name) {
  glBindTexture(GL_TEXTURE_2D, name);
  return readBoundTexture();
}

inline std::vector<int> pixelValues(const TextureImage& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

}  // namespace gl_archive_test
