// Drawing a sphere: one display list under the state its flags choose.
//
// The steps run in a fixed order between one push and one pop of the
// modelview matrix; the flags switch parts of the state on before the list is
// called and the closing steps put back what the next object expects.
#include <GL/gl.h>

#include "direction/camera.h"
#include "direction/scene_clock.h"
#include "direction/scene_state.h"
#include "math/random.h"
#include "world/sphere.h"

namespace {

// Scene seconds during which a "wire" sphere shows the scan effect.
constexpr float kScanSeconds = 25.0f;

void loadTextureIdentity() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

// Turns the modelview so that x points from the camera through the sphere;
// the halo list is opaque towards its x axis.
void faceCamera(Vector3 spherePosition, const Camera& viewer) {
  const Vector3 d = normalize(subtract(spherePosition, viewer.position));
  const Vector3 rv = normalize(cross(d, viewer.up));
  const Vector3 u = normalize(cross(d, rv));
  const GLfloat m[16] = {d.x, d.y, d.z, 0.0f, rv.x, rv.y, rv.z, 0.0f, u.x, u.y, u.z, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  glMultMatrixf(m);
}

}  // namespace

void Sphere::draw(const Camera& viewer) {
  const float t = sceneClock;
  const bool scanning = wire && t <= kScanSeconds;

  glPushMatrix();
  if (env) {
    // The sky: centred on the eye, with its own near projection.
    position = viewer.eye;
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glFrustum(-1.3333334 * fov, 1.3333334 * fov, -fov, fov, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
  }
  if (light) glDisable(GL_LIGHTING);
  if (sys && parent) addInPlace(position, parent->position);
  translateToPosition();

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(tiling, tiling, 1.0f);
  glMatrixMode(GL_MODELVIEW);

  if (!atmo) {
    glRotatef(orientAngle, orientAxis.x, orientAxis.y, orientAxis.z);
    glRotatef(spinAngle, spinAxis.x, spinAxis.y, spinAxis.z);
  }
  if (textured) glBindTexture(GL_TEXTURE_2D, texture);

  if (alpha < 1.0f) {
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (!light) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (!env) glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_BLEND);
    glEnable(GL_COLOR_MATERIAL);
    if (!env) glEnable(GL_CULL_FACE);
    glColor3f(1.0f, 1.0f, 1.0f);
  }
  if (env) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);  // seen from inside
  }
  if (alphaTexture) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  if (atmo) {
    glEnable(GL_BLEND);
    faceCamera(position, viewer);
    glDepthMask(GL_FALSE);
  }
  if (flash) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, alphaTexture ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    float layerAlpha = flashOn ? flashElapsed / flashDuration : 1.0f - flashElapsed / flashDuration;
    if (rnd) layerAlpha = flashOn ? static_cast<float>(randomUnit() * 0.7 + 0.3) : 0.0f;
    glColor4f(1.0f, 1.0f, 1.0f, layerAlpha);
    glMatrixMode(GL_TEXTURE);
    glTranslatef(flashU, flashV, 0.0f);
    if (rnd) glRotatef(flashAngle, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
  }
  const bool fogged = !env && fogEnabled;
  if (fogged) glEnable(GL_FOG);
  if (wire) {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (t > kScanSeconds) {
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glDisable(GL_BLEND);
    }
  }
  glScalef(radius, radius, radius);
  if (sys) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(color.x, color.y, color.z, 1.0f);
  }
  if (mask) {
    // Depth only: nothing of the colour reaches the picture.
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
  }
  if (depth) glDepthMask(GL_FALSE);

  if (scanning) {
    drawScanPass();
  } else {
    glCallList(displayList);
  }

  if (wire) glEnable(GL_LIGHTING);
  if (depth) glDepthMask(GL_TRUE);
  if (mask) {
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glDisable(GL_COLOR_MATERIAL);
  glEnable(GL_BLEND);
  if (sys) glEnable(GL_TEXTURE_2D);
  if (env) {
    position = viewer.position;
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
  }
  if (fogged) glDisable(GL_FOG);
  loadTextureIdentity();
  glEnable(GL_LIGHTING);
  if (atmo || flash) glDepthMask(GL_TRUE);
  if (flash) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    loadTextureIdentity();
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_CULL_FACE);
  glPopMatrix();
}
