// The digit font: 13 textured glyphs cut from a 4 × 4 grid picture, drawn
// left to right by display lists that move the origin as they go.
#include <GL/gl.h>

#include "overlay/draw_2d.h"
#include "overlay/registry_texture.h"

DigitFont digitFont;

namespace {

constexpr int kGridColumns = 4;
constexpr float kCellSize = 0.25f;

// Glyph k is the cell in column k mod 4 and row k div 4, rows counted from
// the top of the picture (texture t = 1).
void compileGlyph(int k, GLuint list) {
  const float u = static_cast<float>(k % kGridColumns) * kCellSize;
  const float v = static_cast<float>(k / kGridColumns) * kCellSize;
  const float size = DigitFont::kGlyphSize;
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(u, 1.0f - v - kCellSize);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(u + kCellSize, 1.0f - v - kCellSize);
  glVertex2f(size, 0.0f);
  glTexCoord2f(u + kCellSize, 1.0f - v);
  glVertex2f(size, size);
  glTexCoord2f(u, 1.0f - v);
  glVertex2f(0.0f, size);
  glEnd();
  glTranslatef(DigitFont::kGlyphAdvance, 0.0f, 0.0f);
  glEndList();
}

bool hasGlyph(signed char c) {
  return c >= DigitFont::kFirstCharacter && c < DigitFont::kFirstCharacter + DigitFont::kGlyphCount;
}

}  // namespace

void buildDigitFont() {
  digitFont.texture = registryTexture("textures\\c.jpg");
  digitFont.firstList = glGenLists(DigitFont::kGlyphCount);
  if (digitFont.firstList == 0) return;
  for (int k = 0; k < DigitFont::kGlyphCount; ++k) compileGlyph(k, digitFont.firstList + static_cast<GLuint>(k));
}

void drawDigits(int x, int y, const char* text) {
  glTranslatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), 0.0f);
  if (digitFont.firstList == 0) return;
  // List numbers wrap modulo 2^32, so the base may lie below list 1.
  glListBase(digitFont.firstList - static_cast<GLuint>(DigitFont::kFirstCharacter));
  // Only the font's own lists are called: another character's number would
  // name some other part of the saver's display lists.
  for (const char* p = text; *p; ++p) {
    const auto c = static_cast<signed char>(*p);
    if (hasGlyph(c)) glCallLists(1, GL_BYTE, &c);
  }
}
