// Drawing a billboard: where the square stands and how it is turned, by
// mode, then one triangle strip under the blend its flags choose.
//
// The steps run in a fixed order between one push and one pop of the
// modelview matrix: the position (sky offset, parent, rim), the square's
// right and up (camera, rim, parent direction), the roll about its normal,
// and the state switched on before the strip is put back after it.
#include <GL/gl.h>

#include "direction/camera.h"
#include "math/random.h"
#include "world/billboard.h"
#include "world/sky_projection.h"

namespace {

// The camera's right and up in world space: the first two rows of the
// modelview matrix's rotation part.
void readCameraAxes(Vector3& right, Vector3& up) {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  right = Vector3(m[0], m[4], m[8]);
  up = Vector3(m[1], m[5], m[9]);
}

void loadTiledTextureMatrix(float tiling) {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(tiling, tiling, 1.0f);
  glMatrixMode(GL_MODELVIEW);
}

void loadTextureIdentity() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

void vertex(Vector3 v) { glVertex3f(v.x, v.y, v.z); }

}  // namespace

void Billboard::draw(const Camera& viewer) {
  if (parent && !parent->visible) return;
  // Seen from its body's centre a rim has no place: nothing to ring.
  if (oreol && subtract(viewer.position, offset).length() == 0.0f) return;

  glPushMatrix();
  float drawSize = size;
  if (env) {
    position = add(viewer.eye, offset);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadSkyFrustum(fov);
    glMatrixMode(GL_MODELVIEW);
  }
  // Above the parent on the screen: only the offset's z counts.
  if (parent) position = add(parent->position, scale(normalize(viewer.up), offset.z));
  if (!orientOff) readCameraAxes(right, up);
  if (oreol) placeOnRim(viewer, drawSize);
  if (depth) glDisable(GL_DEPTH_TEST);
  if (sys && parent) turnByParentDirection();
  translateToPosition();

  const Vector3 h = scale(xy, right);
  const Vector3 normal = cross(right, up);
  glRotatef(rollAngle, normal.x, normal.y, normal.z);
  const Vector3 lowerLeft = scale(drawSize, subtract(negate(h), up));
  const Vector3 lowerRight = scale(drawSize, subtract(h, up));
  const Vector3 upperLeft = scale(drawSize, add(negate(h), up));
  const Vector3 upperRight = scale(drawSize, add(h, up));

  if (textured) glBindTexture(GL_TEXTURE_2D, texture);
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  if (oreol) glDisable(GL_DEPTH_TEST);
  if (blend) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_ALWAYS, 0.0f);
  }
  if (parent) {
    // A glow on a body flickers.
    glColor4f(tint.x, tint.y, tint.z, static_cast<float>(alpha + randomUnit() * 0.3));
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
  }
  loadTiledTextureMatrix(tiling);

  const bool hiddenByFlash = flash && flashClock < flashHidden;
  if (!hiddenByFlash) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    vertex(lowerLeft);
    glTexCoord2f(1.0f, 0.0f);
    vertex(lowerRight);
    glTexCoord2f(0.0f, 1.0f);
    vertex(upperLeft);
    glTexCoord2f(1.0f, 1.0f);
    vertex(upperRight);
    glEnd();
  }

  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
  if (oreol || depth) glEnable(GL_DEPTH_TEST);
  if (blend) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glAlphaFunc(GL_ALWAYS, 0.0f);
  }
  if (env) {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  glPopMatrix();
  loadTextureIdentity();
}

void Billboard::placeOnRim(const Camera& viewer, float& drawSize) {
  // The centre of the body's visible rim as seen from the camera, and a
  // square wide enough to ring it.
  const Vector3 towardsCamera = subtract(viewer.position, offset);
  const float k = oreolRadius / towardsCamera.length();
  position = add(offset, scale(normalize(towardsCamera), k * oreolRadius));
  right = normalize(cross(towardsCamera, viewer.up));
  up = normalize(cross(right, towardsCamera));
  drawSize = (1.0f - k * k) * oreolRadius + k * size;
}

void Billboard::turnByParentDirection() {
  const Vector3 worldUp(0.0f, 1.0f, 0.0f);
  if (!orientOff) {
    up = normalize(parent->position);
    right = normalize(cross(worldUp, up));
  } else {
    up = worldUp;
    right = normalize(cross(worldUp, parent->position));
  }
}
