// Uploading decoded JPEG and TGA pictures with the GLU mipmap builder.
#include "resources/texture_upload.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "resources/jpeg_decoder.h"
#include "resources/tga_decoder.h"

namespace {

// The decoder state every TGA load shares; loads never overlap.
TgaImage sharedTgaImage;

struct PixelLayout {
  GLint components;
  GLenum format;
};

GLuint generateBoundTexture() {
  GLuint name = 0;
  glGenTextures(1, &name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, name);
  return name;
}

void buildMipmaps(const std::uint8_t* pixels, int width, int height, PixelLayout layout) {
  gluBuild2DMipmaps(GL_TEXTURE_2D, layout.components, width, height, layout.format, GL_UNSIGNED_BYTE, pixels);
}

void setFilters() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

PixelLayout tgaLayout(int decodedDepth) {
  switch (decodedDepth) {
    case 32: return {4, GL_RGBA};
    case 24: return {3, GL_BGR_EXT};
    default: return {1, GL_LUMINANCE};
  }
}

}  // namespace

std::uint32_t loadJpegTexture(const char* path) {
  DecodedImage image;
  const bool decoded = decodeJpeg(path, image);
  const GLuint name = generateBoundTexture();
  if (decoded) buildMipmaps(image.pixels.data(), image.width, image.height, {3, GL_RGB});
  setFilters();
  return name;
}

std::uint32_t loadTgaTexture(const char* path) {
  if (!decodeTga(path, sharedTgaImage)) return 0;
  const GLuint name = generateBoundTexture();
  buildMipmaps(sharedTgaImage.pixels.data(), sharedTgaImage.width, sharedTgaImage.height,
               tgaLayout(sharedTgaImage.depth));
  setFilters();
  sharedTgaImage.pixels = {};
  return name;
}
