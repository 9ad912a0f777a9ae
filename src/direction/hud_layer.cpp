// The layer list, a layer's step from the scene clock and the projection of
// its parent onto the canvas.
#include "direction/hud_layer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "direction/scene_clock.h"
#include "math/interpolation.h"
#include "world/world_object.h"

HudLayerList hudLayers;

namespace {

// The canvas that projections map to, whatever the window's size.
constexpr GLint kCanvasViewport[4] = {0, 0, 800, 600};

struct ClipPoint {
  double window[3];
  double w;  // the clip coordinate w: positive in front of the eye
};

ClipPoint mapToWindow(Vector3 point, const GLdouble (&modelview)[16], const GLdouble (&projection)[16]) {
  ClipPoint mapped{{0.0, 0.0, 0.0}, 0.0};
  const double in[4] = {point.x, point.y, point.z, 1.0};
  double eye[4];
  for (int row = 0; row < 4; ++row)
    eye[row] =
        modelview[row] * in[0] + modelview[4 + row] * in[1] + modelview[8 + row] * in[2] + modelview[12 + row] * in[3];
  mapped.w = projection[3] * eye[0] + projection[7] * eye[1] + projection[11] * eye[2] + projection[15] * eye[3];
  if (mapped.w > 0.0) {
    gluProject(point.x, point.y, point.z, modelview, projection, kCanvasViewport, &mapped.window[0], &mapped.window[1],
               &mapped.window[2]);
  }
  return mapped;
}

bool fitsFloat(double value) { return std::fabs(value) <= FLT_MAX; }

// Without a parent there is nothing to frame: the target keeps its quad.
void projectOntoParent(HudLayer& layer, HudQuad& target) {
  if (layer.parent && !projectToScreen(target, layer.distance, *layer.parent)) layer.behindCamera = true;
}

HudQuad blend(const HudQuad& a, const HudQuad& b, float f) {
  return HudQuad{lerp(a.x, b.x, f), lerp(a.y, b.y, f), lerp(a.width, b.width, f), lerp(a.height, b.height, f)};
}

HudColor blend(const HudColor& a, const HudColor& b, float f) {
  return HudColor{lerp(a.r, b.r, f), lerp(a.g, b.g, f), lerp(a.b, b.b, f), lerp(a.a, b.a, f)};
}

HudTiling blend(const HudTiling& a, const HudTiling& b, float f) {
  return HudTiling{lerp(a.u, b.u, f), lerp(a.v, b.v, f)};
}

}  // namespace

HudLayer* findHudLayer(const HudLayerList& list, const char* name) {
  for (HudLayer* layer : list) {
    if (std::strcmp(layer->name, name) == 0) return layer;
  }
  return nullptr;
}

bool projectToScreen(HudQuad& quad, float distance, const WorldObject& object) {
  GLfloat view[16];
  GLdouble modelview[16], projection[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, view);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  // The rows of the view's rotation: the camera's right and up axes in world
  // coordinates.
  const Vector3 right(view[0], view[4], view[8]);
  const Vector3 up(view[1], view[5], view[9]);
  const Vector3 diagonal = scale(add(up, right), distance);
  const ClipPoint low = mapToWindow(subtract(object.position, diagonal), modelview, projection);
  const ClipPoint high = mapToWindow(add(object.position, diagonal), modelview, projection);
  if (low.w <= 0.0 || high.w <= 0.0) return false;
  const double width = high.window[0] - low.window[0];
  const double height = high.window[1] - low.window[1];
  if (!fitsFloat(low.window[0]) || !fitsFloat(low.window[1]) || !fitsFloat(width) || !fitsFloat(height)) return false;
  quad = HudQuad{static_cast<float>(low.window[0]), static_cast<float>(low.window[1]), static_cast<float>(width),
                 static_cast<float>(height)};
  return true;
}

void HudLayer::update(float) {
  behindCamera = false;
  if (freeze) {
    if (projected) projectOntoParent(*this, quad);
    return;
  }
  const float t = sceneClock;
  if (keys.empty() || keys.front().time > t) {
    show = false;
    return;
  }
  // The first pair of consecutive keys around t, both ends included; pairs
  // out of time order hold no t and are passed over.
  std::size_t first = 0;
  while (first + 1 < keys.size() && !(keys[first].time <= t && t <= keys[first + 1].time)) ++first;
  if (first + 1 >= keys.size()) {
    show = false;
    return;
  }
  HudKey& a = keys[first];
  HudKey& b = keys[first + 1];
  // Two keys at one time make a cut: the earlier one holds at that instant.
  const float span = b.time - a.time;
  const float f = span > 0.0f ? (t - a.time) / span : 0.0f;
  distance = lerp(a.distance, b.distance, f);
  if (a.project) projectOntoParent(*this, a.quad);
  if (b.project) projectOntoParent(*this, b.quad);
  quad = blend(a.quad, b.quad, f);
  color = blend(a.color, b.color, f);
  offset = lerp(a.offset, b.offset, f);
  tiling = blend(a.tiling, b.tiling, f);
  show = a.show;
}

void updateAllHudLayers(float elapsedSeconds) {
  for (HudLayer* layer : hudLayers) layer->update(elapsedSeconds);
}
