// The two textured quads every overlay is made of.
#include <GL/gl.h>

#include "overlay/draw_2d.h"

void drawQuadCentered(float centreX, float centreY, float halfWidth, float halfHeight) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(centreX - halfWidth, centreY - halfHeight);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(centreX + halfWidth, centreY - halfHeight);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(centreX + halfWidth, centreY + halfHeight);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(centreX - halfWidth, centreY + halfHeight);
  glEnd();
}

void drawQuadInset(float x, float y, float width, float height, float inset) {
  glBegin(GL_QUADS);
  glTexCoord2f(inset, inset);
  glVertex2f(x, y);
  glTexCoord2f(1.0f - inset, inset);
  glVertex2f(x + width, y);
  glTexCoord2f(1.0f - inset, 1.0f - inset);
  glVertex2f(x + width, y + height);
  glTexCoord2f(inset, 1.0f - inset);
  glVertex2f(x, y + height);
  glEnd();
}
