// Archive pictures uploaded as mipmapped OpenGL textures.
//
// Each upload generates one texture name, binds it to the 2D target, builds
// every mipmap level with GLU from the decoded pixels (GLU rescales sides that
// are not powers of two), sets the minifying filter to linear-mipmap-linear
// and the magnifying filter to linear (wrap modes stay at repeat), and leaves
// the texture bound. The unpack alignment is left at 1.
#pragma once

#include <cstdint>

// A JPEG picture as a three-component RGB texture. The name is generated and
// returned even when the picture cannot be decoded; that texture then has no
// image (a missing entry has also shown its message box).
std::uint32_t loadJpegTexture(const char* path);

// A TGA picture in the layout its decoding gives: 32-bit pictures as RGBA
// (4 components), 24-bit, 16-bit and colour-mapped ones as 3 components from
// B, G, R bytes, greyscale as 1 luminance component. 0, with no texture made,
// when the picture cannot be decoded.
std::uint32_t loadTgaTexture(const char* path);
