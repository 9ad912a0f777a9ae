// Flash: a lightning-like chain. Every 0.01 to 0.05 seconds the bright spot
// moves one particle along the chain; once it has swept from -count to
// 2 × count a new bolt is built at a random place 16100 units from point1:
// a random walk of equal segments in the plane perpendicular to the axis.
#include <GL/gl.h>

#include <cstdlib>

#include "math/random.h"
#include "world/particle_quad.h"
#include "world/particle_system.h"

namespace {

const Vector3 kWorldUp(0.0f, 1.0f, 0.0f);
constexpr float kBoltDistance = 16100.0f;
constexpr float kSegmentLength = 100.8f;
constexpr float kParticleHalfSize = 250.0f;

float fraction() { return static_cast<float>(randomUnit()); }

}  // namespace

void ParticleSystem::stepFlash(double dt) {
  phase = static_cast<float>(phase + dt * 0.3);
  elapsed = 0.0f;
  period = 0.01f + 0.04f * fraction();
  flashStep += 1;
  if (flashStep > 2 * count) buildBolt();
}

void ParticleSystem::buildBolt() {
  phase = 0.0f;
  flashStep = -count;
  const Vector3 t = randomDirection();
  position = add(point1, scale(t, kBoltDistance));
  right = normalize(t);
  Vector3 walk(0.0f, 0.0f, 0.0f);
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    Vector3 segment = scale(cross(right, kWorldUp), kSegmentLength);
    rotateAboutAxis(segment, right, 30.0f + 180.0f * fraction());
    addInPlace(walk, segment);
    positions[i] = walk;
  }
}

void ParticleSystem::drawFlash() {
  glBindTexture(GL_TEXTURE_2D, texture);
  glDisable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  const float spin = phase / 0.1f;
  const float sweep = static_cast<float>(std::abs(flashStep)) / static_cast<float>(count);
  glColor4f(1.0f, 1.0f, 1.0f, 0.2f + 0.4f * fraction() - sweep * 0.2f);
  size = 2000.0f + 1000.0f * fraction();
  translateToPosition();
  glDepthMask(GL_FALSE);

  const Vector3 a = cross(right, kWorldUp);
  const Vector3 b = cross(a, right);
  const Vector3 n = cross(a, b);  // every vertex's normal and every turn's axis
  glNormal3f(n.x, n.y, n.z);

  // The central glare on the middle particle.
  const Vector3 middle = positions[static_cast<std::size_t>(count / 2)];
  glPushMatrix();
  glTranslatef(middle.x, middle.y, middle.z);
  glRotatef(360.0f * fraction(), n.x, n.y, n.z);
  drawParticleQuad(a, b, size);
  size = kParticleHalfSize;
  glPopMatrix();

  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const Vector3 p = positions[i];
    const auto index = static_cast<std::int32_t>(i);
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(spin * 20.0f * static_cast<float>(count - 2 * index), n.x, n.y, n.z);
    const float brightness = 1.0f - static_cast<float>(std::abs(flashStep - index)) / static_cast<float>(count);
    glColor4f(1.0f, 1.0f, 1.0f, brightness + 0.4f * fraction());
    drawParticleQuad(a, b, kParticleHalfSize);
    glPopMatrix();
  }

  glEnable(GL_ALPHA_TEST);
  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
  glCullFace(GL_BACK);
  glDisable(GL_CULL_FACE);
}
