// The small toolkit every overlay draws with: a virtual 800 × 600 canvas
// (origin at the lower left, stretched over the window whatever its size),
// a canvas in window pixels, textured quads, and the two fonts.
//
// The overlays (the loading screen, the transitions, the sign text, the frame
// counter and the clock) are drawn after the 3D passes, each in its own
// begin2D/end2D section, and each sets the blending and texturing it needs
// itself: nothing here touches them. Fonts and overlay textures are made once
// while the saver loads and kept for the whole run.
#pragma once

#include <cstdint>

// Enter and leave the virtual 800 × 600 projection (depth test and lighting
// off while in it). Leave with the modelview matrix current.
void begin2D();
void end2D();
// The same in window pixels (Width × Height).
void beginPixel2D();
void endPixel2D();

// One textured quad with the whole texture, counter-clockwise from the
// lower left.
void drawQuadCentered(float centreX, float centreY, float halfWidth, float halfHeight);
// One textured quad with the texture coordinates pulled in by `inset` on all
// sides (0: the whole texture; 0.5: the centre texel).
void drawQuadInset(float x, float y, float width, float height, float inset);

// The textured font of the clock and the frame counter: 13 glyphs of
// "textures\c.jpg" ('0'–'9', ':', ';' and '<'), one display list each.
struct DigitFont {
  static constexpr int kGlyphCount = 13;
  static constexpr char kFirstCharacter = '0';
  static constexpr float kGlyphSize = 40.0f;     // canvas units, square
  static constexpr float kGlyphAdvance = 28.0f;  // 40 × 0.7: neighbours overlap
  std::uint32_t texture = 0;
  std::uint32_t firstList = 0;
};
extern DigitFont digitFont;

// The bitmap font of the sign text: "Arial", characters 32 to 127.
struct TextFont {
  static constexpr int kFirstCharacter = 32;
  static constexpr int kGlyphCount = 96;
  std::uint32_t firstList = 0;
};
extern TextFont textFont;

// The text font's height for a display width: -(width × 15 / 1024) truncated
// toward zero, a character height in pixels (-15 at 1024, -11 at 800).
int textFontHeight(int displayWidth);

// Built once at the start of the saver run, with the registry loaded and the
// OpenGL context current; both together are the saver's "fonts" step.
void buildDigitFont();
void buildTextFont();
void buildFonts();

// Draws the string with the text font at the current raster position (the
// caller sets colour and position). Characters outside 32 to 127 are skipped.
void drawText(const char* text);
// Moves the modelview origin by (x, y) without pushing it and draws the
// string with the digit font, 28 units per character; the caller binds
// digitFont.texture. Characters without a glyph are skipped.
void drawDigits(int x, int y, const char* text);
