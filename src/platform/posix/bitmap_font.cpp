// Bitmap fonts as display lists: the face found by fontconfig, each glyph
// rendered one bit per pixel by FreeType and compiled into a glBitmap call.
#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

// Heights beyond this are no text anyone reads; they only cost memory.
constexpr int kMaxPixelHeight = 512;

struct FaceFile {
  std::string path;
  int index = 0;
};

// The file of the installed face that fontconfig matches best to the family,
// with its substitution rules (metric aliases among them).
bool resolveFace(const char* family, FaceFile& out) {
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
  if (found) {
    out.path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &out.index) != FcResultMatch) out.index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

bool setHeight(FT_Face face, int pixelHeight) {
  const int magnitude = std::clamp(pixelHeight < 0 ? -pixelHeight : pixelHeight, 1, kMaxPixelHeight);
  if (pixelHeight < 0) return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(magnitude)) == 0;
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_CELL;
  request.height = static_cast<FT_Long>(magnitude) * 64;
  return FT_Request_Size(face, &request) == 0;
}

// The rendered glyph's rows bottom-up, whole bytes per row, for glBitmap;
// empty when the glyph has no one-bit picture to show.
std::vector<GLubyte> bottomUpRows(const FT_Bitmap& bitmap) {
  const int bytesPerRow = (static_cast<int>(bitmap.width) + 7) / 8;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch < bytesPerRow || !bitmap.buffer) return {};
  const int rows = static_cast<int>(bitmap.rows);
  std::vector<GLubyte> out(static_cast<std::size_t>(bytesPerRow) * rows);
  for (int row = 0; row < rows; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::size_t>(row) * bitmap.pitch;
    std::copy(source, source + bytesPerRow, out.begin() + static_cast<std::ptrdiff_t>(rows - 1 - row) * bytesPerRow);
  }
  return out;
}

// One list: the glyph (if it has pixels) and the advance.
void compileGlyph(FT_Face face, unsigned long code, GLuint list) {
  glNewList(list, GL_COMPILE);
  if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
    const FT_GlyphSlot glyph = face->glyph;
    const auto advance = static_cast<GLfloat>((glyph->advance.x + 32) >> 6);
    const std::vector<GLubyte> rows = bottomUpRows(glyph->bitmap);
    if (rows.empty()) {
      glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, nullptr);
    } else {
      const auto height = static_cast<GLsizei>(glyph->bitmap.rows);
      glBitmap(static_cast<GLsizei>(glyph->bitmap.width), height, static_cast<GLfloat>(-glyph->bitmap_left),
               static_cast<GLfloat>(height - glyph->bitmap_top), advance, 0.0f, rows.data());
    }
  }
  glEndList();
}

}  // namespace

bool buildBitmapFont(const char* face, int pixelHeight, int firstCharacter, int count, std::uint32_t firstList) {
  FaceFile file;
  if (!face || count <= 0 || firstCharacter < 0 || !resolveFace(face, file)) return false;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return false;
  FT_Face loaded = nullptr;
  bool built = false;
  if (FT_New_Face(library, file.path.c_str(), file.index, &loaded) == 0) {
    if (setHeight(loaded, pixelHeight)) {
      // The bitmaps are copied into the lists with the unpack state of the
      // moment: tightly packed rows, most significant bit first.
      glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
      glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
      glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
      glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
      for (int i = 0; i < count; ++i) {
        compileGlyph(loaded, static_cast<unsigned long>(firstCharacter) + i, firstList + static_cast<GLuint>(i));
      }
      glPopClientAttrib();
      built = true;
    }
    FT_Done_Face(loaded);
  }
  FT_Done_FreeType(library);
  return built;
}

}  // namespace platform
