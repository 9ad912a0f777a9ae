// The text font: bitmap glyphs of "Arial" at a height that follows the
// display width, one display list per character from 32 to 127.
#include <GL/gl.h>

#include "overlay/draw_2d.h"
#include "platform/platform.h"
#include "shell/settings.h"

TextFont textFont;

int textFontHeight(int displayWidth) { return -(displayWidth * 15 / 1024); }

void buildTextFont() {
  textFont.firstList = glGenLists(TextFont::kGlyphCount);
  if (textFont.firstList == 0) return;
  // Without a face the lists stay empty and texts draw nothing.
  platform::buildBitmapFont("Arial", textFontHeight(settings::Width), TextFont::kFirstCharacter,
                            TextFont::kGlyphCount, textFont.firstList);
}

void drawText(const char* text) {
  if (textFont.firstList == 0) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(textFont.firstList - static_cast<GLuint>(TextFont::kFirstCharacter));
  // Bytes outside the font (control characters, UTF-8 sequences) would call
  // lists that are not glyphs.
  for (const char* p = text; *p; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c >= TextFont::kFirstCharacter && c < TextFont::kFirstCharacter + TextFont::kGlyphCount)
      glCallLists(1, GL_UNSIGNED_BYTE, &c);
  }
  glPopAttrib();
}
