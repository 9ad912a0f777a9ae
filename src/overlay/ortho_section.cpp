// Entering and leaving an orthographic 2D section.
#include "overlay/ortho_section.h"

#include <GL/gl.h>

#include "shell/settings.h"

void beginOrthoSection(double width, double height) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
  glViewport(0, 0, settings::Width, settings::Height);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

// Blending, texturing and the blend function are left to the callers.
void endOrthoSection() {
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}
