// Drawing a mesh object: its display list under the state its flags choose,
// between one push and one pop of the modelview matrix.
#include <GL/gl.h>

#include "direction/scene_state.h"
#include "world/mesh_object.h"

namespace {

const GLfloat kMetalSpecular[4] = {0.4f, 0.4f, 0.4f, 1.0f};
constexpr GLfloat kMetalShininess = 19.6f;

// The mesh's x axis along look, its y axis along right and its z axis along
// their cross product; look and right are used as they are.
void multiplyOrientation(Vector3 look, Vector3 right) {
  const Vector3 up = cross(look, right);
  const GLfloat m[16] = {look.x, look.y, look.z, 0.0f, right.x, right.y, right.z, 0.0f,
                         up.x,   up.y,   up.z,   0.0f, 0.0f,    0.0f,    0.0f,    1.0f};
  glMultMatrixf(m);
}

// What every object after this one expects.
void restoreCommonState() {
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);
}

}  // namespace

void MeshObject::draw(const Camera&) {
  if (!visible) return;
  glPushMatrix();
  translateToPosition();
  if (fogEnabled) glEnable(GL_FOG);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);

  multiplyOrientation(look, right);
  glRotatef(angle, axis.x, axis.y, axis.z);
  glScalef(scaleFactor, scaleFactor, scaleFactor);

  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  // Untextured meshes draw with whatever texture is bound.
  if (textured) glBindTexture(GL_TEXTURE_2D, texture);
  glDepthMask(GL_FALSE);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, light ? GL_ADD : GL_MODULATE);
  if (illum) glDisable(GL_LIGHTING);
  if (metal) {
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kMetalSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, kMetalShininess);
    glEnable(GL_LIGHT0);
  }
  if (blend) {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, color.x);
  }

  // List 0 is no list: a mesh read before any geometry draws nothing.
  if (displayList != 0) glCallList(displayList);

  glDepthMask(GL_TRUE);
  if (metal) glDisable(GL_LIGHT0);  // colour material stays off
  restoreCommonState();
  glPopMatrix();
}
