// The particle quad and the screen axes it is usually spanned by.
#include "world/particle_quad.h"

#include <GL/gl.h>

namespace {

void cornerVertex(Vector3 a, Vector3 b, float s) {
  const Vector3 v = scale(add(a, b), s);
  glVertex3f(v.x, v.y, v.z);
}

}  // namespace

void drawParticleQuad(Vector3 a, Vector3 b, float s) {
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0.0f, 0.0f);
  cornerVertex(negate(a), negate(b), s);
  glTexCoord2f(1.0f, 0.0f);
  cornerVertex(a, negate(b), s);
  glTexCoord2f(0.0f, 1.0f);
  cornerVertex(negate(a), b, s);
  glTexCoord2f(1.0f, 1.0f);
  cornerVertex(a, b, s);
  glEnd();
}

ScreenAxes readScreenAxes() {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  return {Vector3(m[0], m[4], m[8]), Vector3(m[1], m[5], m[9])};
}
