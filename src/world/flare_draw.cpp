// Drawing a flare: the point is placed (sky direction, parent frame),
// projected to the window and tested against the depth already drawn there;
// while it has any intensity, the main sprite and the lens chain are drawn in
// window pixels over the picture.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "direction/camera.h"
#include "overlay/draw_2d.h"
#include "shell/settings.h"
#include "world/flare.h"
#include "world/sky_projection.h"

namespace {

// Depth a point behind the camera is compared with: beyond any depth value.
constexpr double kBehindCameraDepth = 1000.0;
// Window coordinates beyond this are far off the window (and cannot be
// truncated to an int).
constexpr double kFarOffWindow = 1.0e9;

float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The depth drawn at the pixel of window coordinates (x, y), both truncated
// towards zero; 0 for a pixel outside the viewport, which is not read.
float depthAt(double x, double y, const GLint (&viewport)[4]) {
  float depth = 0.0f;
  if (!(std::fabs(x) < kFarOffWindow && std::fabs(y) < kFarOffWindow)) return depth;  // NaN too
  const GLint pixelX = static_cast<GLint>(x);
  const GLint pixelY = static_cast<GLint>(y);
  const bool inside = pixelX >= viewport[0] && pixelX < viewport[0] + viewport[2] && pixelY >= viewport[1] &&
                      pixelY < viewport[1] + viewport[3];
  if (inside) glReadPixels(pixelX, pixelY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

}  // namespace

void Flare::draw(const Camera& viewer) {
  if (parent && !parent->visible) return;

  glPushMatrix();
  if (textured) glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  if (env) {
    position = add(viewer.eye, offset);
    loadSkyFrustum(fov);
  }
  if (parent) {
    // The offset is given in the parent's own frame.
    const Vector3 parentUp = cross(parent->right, parent->look);
    position = add(add(add(parent->position, scale(offset.x, parent->right)), scale(offset.y, parentUp)),
                   scale(offset.z, parent->look));
  }
  glMatrixMode(GL_MODELVIEW);

  float windowX = 0.0f;
  float windowY = 0.0f;
  const bool placed = testOcclusion(viewer, windowX, windowY);
  if (placed && intensity > 0.0f) drawSprites(viewer, windowX, windowY);

  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

bool Flare::testOcclusion(const Camera& viewer, float& windowX, float& windowY) {
  GLdouble modelview[16];
  GLdouble projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble x = 0.0, y = 0.0, z = 0.0;
  // A point in the camera's own plane has no window position.
  if (gluProject(position.x, position.y, position.z, modelview, projection, viewport, &x, &y, &z) != GL_TRUE) {
    seen = false;
    return false;
  }

  // Sky flares are seen only where nothing at all was drawn, points behind
  // the camera never.
  if (env) z = 1.0;
  const Vector3 direction = env ? offset : subtract(position, viewer.position);
  if (dot(normalize(direction), viewer.look) < 0.0f) z = kBehindCameraDepth;
  seen = depthAt(x, y, viewport) >= z;
  windowX = static_cast<float>(x);
  windowY = static_cast<float>(y);
  return true;
}

float Flare::focusFactor(const Camera& viewer) const {
  if (!useFocus) return 1.0f;
  const float alignment = dot(normalize(offset), viewer.look);
  // A threshold of 1 (or more) leaves no range to fade over: full light
  // exactly along the offset, none elsewhere.
  if (focus >= 1.0f) return alignment >= focus ? 1.0f : 0.0f;
  return std::max(0.0f, (alignment - focus) / (1.0f - focus));
}

void Flare::drawSprites(const Camera& viewer, float windowX, float windowY) {
  const Vector3 point(windowX, windowY, 0.0f);
  const Vector3 centre(static_cast<float>(settings::Width / 2), static_cast<float>(settings::Height / 2), 0.0f);
  const float orientTurn = orient ? 90.0f * dot(normalize(subtract(orientPoint, centre)), normalize(point)) : 0.0f;

  beginPixel2D();
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1.0f, 1.0f, 1.0f, focusFactor(viewer) * intensity * lumin);
  glTranslatef(windowX, windowY, 0.0f);
  glRotatef(rotationAngle, 0.0f, 0.0f, 1.0f);
  if (orient) glRotatef(orientTurn, 0.0f, 0.0f, 1.0f);
  drawQuadCentered(0.0f, 0.0f, size * xy, size);
  endPixel2D();

  // The lens sprites keep their own faint colours, whatever the intensity,
  // and turn only by the orient rule.
  if (lensEffect) {
    beginPixel2D();
    for (int i = 0; i < kLensSpriteCount; ++i) {
      const LensSprite& sprite = kLensChain[i];
      const Vector3 at = add(point, scale(sprite.position, subtract(centre, point)));
      glLoadIdentity();
      glTranslatef(at.x, at.y, at.z);
      if (orient) glRotatef(orientTurn, 0.0f, 0.0f, 1.0f);
      glDisable(GL_LIGHTING);
      glBindTexture(GL_TEXTURE_2D, lensTextures[sprite.texture]);
      glColor4f(0.3f + i / 30.0f, 0.2f, std::max(0.0f, 1.0f - i / 10.0f), 0.1f);
      const float halfSide = lensSize * sprite.size;
      drawQuadCentered(0.0f, 0.0f, halfSide, halfSide);
    }
    endPixel2D();
  }
  glEnable(GL_LIGHTING);
}
