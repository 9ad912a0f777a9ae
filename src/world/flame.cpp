// Drawing a flame: one triangle strip of four bands around the ellipse, then
// the ellipse itself as a line strip.
#include "world/flame.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr int kSteps = Flame::kRingPoints - 1;

enum class Band { Up, Down, In, Out };
constexpr Band kBands[] = {Band::Up, Band::Down, Band::In, Band::Out};

struct RingStep {
  float c, s;     // cosine and sine of the step's angle
  Vector3 point;  // on the ellipse
};

RingStep ringStep(const Flame& flame, int i) {
  const float g = static_cast<float>(i) / kSteps * kTwoPi;
  const float c = std::cos(g);
  const float s = std::sin(g);
  const float ex = c * flame.radius * flame.ellipseRatio + flame.center.x;
  const float ez = s * flame.radius + flame.center.z;
  return {c, s, Vector3(ex, ex * flame.slope + flame.center.y, ez)};
}

// The band's far point for one step.
Vector3 farPoint(const Flame& flame, Band band, const RingStep& step) {
  const Vector3 e = step.point;
  switch (band) {
    case Band::Up:
      return Vector3(e.x, flame.center.y + flame.offset + e.x * flame.slope, e.z);
    case Band::Down:
      return Vector3(e.x, flame.center.y - flame.offset + e.x * flame.slope, e.z);
    case Band::In:
    case Band::Out: {
      const float r = band == Band::In ? flame.radius - flame.offset : flame.radius + flame.offset;
      return Vector3(step.c * r * flame.ellipseRatio + flame.center.x, e.y, step.s * r + flame.center.z);
    }
  }
  return e;
}

}  // namespace

Flame::Flame() = default;

void Flame::update(double) {}

void Flame::draw(const Camera&) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);

  glBegin(GL_TRIANGLE_STRIP);
  for (Band band : kBands) {
    for (int i = 0; i <= kSteps; ++i) {
      const RingStep step = ringStep(*this, i);
      const Vector3 edge = farPoint(*this, band, step);
      glColor4f(colorFrom.x, colorFrom.y, colorFrom.z, 1.0f);
      glVertex3f(step.point.x, step.point.y, step.point.z);
      glColor4f(colorTo.x, colorTo.y, colorTo.z, 0.0f);
      glVertex3f(edge.x, edge.y, edge.z);
    }
  }
  glEnd();

  glDisable(GL_BLEND);
  glColor4f(colorFrom.x, colorFrom.y, colorFrom.z, 1.0f);
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i <= kSteps; ++i) {
    const Vector3 e = ringStep(*this, i).point;
    glVertex3f(e.x, e.y, e.z);
  }
  glEnd();

  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glDepthMask(GL_TRUE);
}
