// The frame counter in the top-left corner.
#include <GL/gl.h>

#include <cstdio>

#include "overlay/clock.h"
#include "overlay/draw_2d.h"

void drawFrameRate(int framesPerSecond) {
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, digitFont.texture);
  char text[16];
  std::snprintf(text, sizeof text, "%d", framesPerSecond);
  drawDigits(4, 558, text);
}
