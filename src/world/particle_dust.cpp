// Dust: quads around the camera that fade out towards 160 units and are
// re-emitted on the camera's +z side as soon as they drift beyond 160.1.
#include <GL/gl.h>

#include <cmath>

#include "direction/camera.h"
#include "math/interpolation.h"
#include "math/random.h"
#include "world/particle_quad.h"
#include "world/particle_system.h"

namespace {

constexpr float kFadeDistance = 160.0f;
constexpr float kReemitDistance = 160.1f;
constexpr double kNearestEmit = 100.0;
constexpr double kEmitDepth = 60.0;
constexpr float kDriftSpeed = 100.0f;  // along world -z
constexpr float kAlpha = 0.2f;

}  // namespace

void ParticleSystem::drawDust(const Camera& viewer) {
  glDisable(GL_DEPTH_TEST);
  const ScreenAxes axes = readScreenAxes();
  // An unassigned texture is 0, which has no image: the quads are untextured.
  glBindTexture(GL_TEXTURE_2D, texture);
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glTranslatef(viewer.position.x, viewer.position.y, viewer.position.z);

  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    Vector3& p = positions[i];
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    const float distance = p.length();
    const float c = 1.0f - easeInOut(distance / kFadeDistance, 0.2f, 0.2f);
    glColor4f(c, c, c, kAlpha);
    drawParticleQuad(axes.right, axes.up, size);
    if (distance > kReemitDistance) {
      const Vector3 direction = randomDirection();
      p = scale(direction, static_cast<float>(kNearestEmit + kEmitDepth * randomUnit()));
      p.z = std::fabs(p.z);
      velocities[i] = Vector3(0.0f, 0.0f, -kDriftSpeed);
      accelerations[i] = Vector3(0.0f, 0.0f, 0.0f);
    }
    glPopMatrix();
  }

  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
}
