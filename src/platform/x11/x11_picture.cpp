// Painting an RGB picture into a window with XPutImage, for windows that
// show a still picture without OpenGL (the preview).
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

#include "platform/x11/x11_backend.h"
#include "platform/x11/x11_errors.h"

namespace platform::x11 {
namespace {

// Where one 8-bit channel goes in a pixel of a true-colour visual.
struct ChannelPlace {
  int shift = 0;  // of the channel's lowest bit
  int bits = 0;   // width of the channel
};

ChannelPlace placeOf(unsigned long mask) {
  ChannelPlace place;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++place.shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++place.bits;
  }
  return place;
}

unsigned long channelBits(std::uint8_t value, const ChannelPlace& place) {
  unsigned long scaled = place.bits >= 8 ? static_cast<unsigned long>(value) << (place.bits - 8)
                                         : static_cast<unsigned long>(value) >> (8 - place.bits);
  return scaled << place.shift;
}

}  // namespace

bool X11Backend::paintRgbPicture(Window& window, int x, int y, int width, int height, const std::uint8_t* rgb) {
  NativeWindow& native = nativeOf(window);
  if (native.gone) return false;
  ErrorTrap trap(connection_);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(connection_, native.id, &attributes) || trap.failed()) return false;
  Visual* visual = attributes.visual;
  if (visual->c_class != TrueColor && visual->c_class != DirectColor) return false;

  // Only the part that lands inside the window becomes an image.
  const int left = std::max(0, -x), top = std::max(0, -y);
  const int right = std::min(width, attributes.width - x), bottom = std::min(height, attributes.height - y);
  if (right <= left || bottom <= top) return true;
  const int shownWidth = right - left, shownHeight = bottom - top;

  XImage* image = XCreateImage(connection_, visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(shownWidth), static_cast<unsigned>(shownHeight), 32, 0);
  if (!image) return false;
  image->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * shownHeight));
  if (!image->data) {
    XDestroyImage(image);
    return false;
  }
  const ChannelPlace red = placeOf(visual->red_mask), green = placeOf(visual->green_mask),
                     blue = placeOf(visual->blue_mask);
  for (int row = 0; row < shownHeight; ++row) {
    const std::uint8_t* source = rgb + (static_cast<std::size_t>(top + row) * width + left) * 3;
    for (int column = 0; column < shownWidth; ++column, source += 3)
      XPutPixel(image, column, row,
                channelBits(source[0], red) | channelBits(source[1], green) | channelBits(source[2], blue));
  }
  GC gc = XCreateGC(connection_, native.id, 0, nullptr);
  XPutImage(connection_, native.id, gc, image, 0, 0, x + left, y + top, static_cast<unsigned>(shownWidth),
            static_cast<unsigned>(shownHeight));
  XFreeGC(connection_, gc);
  XDestroyImage(image);  // frees the pixels too
  return !trap.failed();
}

}  // namespace platform::x11
