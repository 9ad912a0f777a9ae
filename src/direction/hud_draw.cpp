// Drawing a HUD layer in the 2D canvas: its texture (or none), colour, blend
// function and texture matrix, then one inset quad.
#include <GL/gl.h>

#include "direction/hud_layer.h"
#include "math/random.h"
#include "overlay/draw_2d.h"

void HudLayer::draw() {
  if (!show || behindCamera) return;
  if (textured)
    glBindTexture(GL_TEXTURE_2D, texture);
  else
    glDisable(GL_TEXTURE_2D);
  glColor4f(color.r, color.g, color.b, color.a);
  glBlendFunc(GL_SRC_ALPHA, alphaBlend ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  if (noise) {
    // Two fresh draws every frame: the first shifts v, the second u.
    const float shiftV = static_cast<float>(randomInt()) / randomMax;
    const float shiftU = static_cast<float>(randomInt()) / randomMax;
    glTranslatef(shiftU, shiftV, 0.0f);
  }
  glScalef(tiling.u, tiling.v, 1.0f);
  glMatrixMode(GL_MODELVIEW);

  drawQuadInset(quad.x, quad.y, quad.width, quad.height, offset);
  if (!textured) glEnable(GL_TEXTURE_2D);
}

void drawAllHudLayers() {
  for (HudLayer* layer : hudLayers) layer->draw();
}
