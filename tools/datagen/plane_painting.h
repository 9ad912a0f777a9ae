// Painting flat pictures from a function of the position: each pixel is the
// mean of an evenly spread grid of samples, which smooths every edge the
// function draws.
#pragma once

#include "picture.h"

namespace datagen {

// Sets every pixel to the mean of samples x samples values of shade(x, y),
// where x (right) and y (down) are picture coordinates in pixels: the pixel
// at column c covers c .. c + 1.
template <class Shade>
void paintPlane(Picture& picture, int samples, Shade&& shade) {
  if (samples < 1) samples = 1;
  const double step = 1.0 / samples;
  const float weight = static_cast<float>(step * step);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      Colour sum{0, 0, 0, 0};
      for (int j = 0; j < samples; ++j)
        for (int i = 0; i < samples; ++i) sum = sum + shade(x + (i + 0.5) * step, y + (j + 0.5) * step);
      picture.at(x, y) = {sum.r * weight, sum.g * weight, sum.b * weight, sum.a * weight};
    }
  }
}

// The picture point (x, y) in pixels as coordinates from -1 to 1 across the
// width and the height, y up: the frame the round sprites are drawn in.
struct CentredPoint {
  double x;
  double y;
};
inline CentredPoint centred(const Picture& picture, double x, double y) {
  return {2 * x / picture.width - 1, 1 - 2 * y / picture.height};
}

}  // namespace datagen
