// Drawing the transitions. The fades lay a black veil over the canvas; the
// noise effects lay a white veil and then the noise picture, stretched 50
// times vertically, whose visible part grows from the centre texel to the
// whole picture.
#include "overlay/transitions.h"

#include <GL/gl.h>

#include "direction/camera.h"
#include "direction/scene_state.h"
#include "overlay/draw_2d.h"
#include "overlay/overlay_textures.h"

namespace {

constexpr float kNoiseStretch = 50.0f;

void drawFullScreen(float inset) { drawQuadInset(0.0f, 0.0f, 800.0f, 600.0f, inset); }

void drawFade(float alpha) {
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  drawFullScreen(0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void drawNoise(float veilAlpha, float inset) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // Accumulates: two noise blocks in one frame stretch the noise twice.
  glMatrixMode(GL_TEXTURE);
  glScalef(1.0f, kNoiseStretch, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, veilAlpha);
  drawFullScreen(0.0f);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  drawFullScreen(inset);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

}  // namespace

bool windowFraction(const TimeWindow& window, double t, float& fraction) {
  if (window.start == window.end) return false;
  if (!(window.start <= t && t <= window.end)) return false;
  fraction = static_cast<float>((t - window.start) / (window.end - window.start));
  return true;
}

void drawTransitions(const Camera& sceneCamera) {
  const double t = sceneCamera.trackTime;
  float f = 0.0f;
  begin2D();
  glBindTexture(GL_TEXTURE_2D, noiseTexture);
  if (windowFraction(fadeOutWindow, t, f)) drawFade(f);
  if (windowFraction(fadeBackWindow, t, f)) drawFade(1.0f - f);
  if (windowFraction(wipeOutWindow, t, f)) drawNoise(1.0f - f, (1.0f - f) / 2.0f);
  if (windowFraction(wipeBackWindow, t, f)) drawNoise(f - 0.5f, f / 2.0f);
  end2D();
  glEnable(GL_TEXTURE_2D);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
