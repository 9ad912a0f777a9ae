// Flames: a glowing elliptical ring computed anew every frame. An ellipse
// line with four translucent bands around it (up, down, inward, outward),
// each fading from colorFrom at the ellipse to a transparent colorTo at its
// far edge, blended additively. Flames are static and always drawn.
//
// The draw works in world coordinates as the frame's matrix stands and
// leaves blending, texturing, lighting and depth writes on.
#pragma once

#include "world/world_object.h"

class Flame : public WorldObject {
 public:
  // Points per ellipse pass: 200 steps and the closing point.
  static constexpr int kRingPoints = 201;

  Flame();
  ~Flame() override = default;
  // The camera is not used.
  void draw(const Camera& camera) override;
  // Does nothing.
  void update(double dt) override;

  WorldObject* parentRef = nullptr;  // the "parent" object; kept, not used
  Vector3 center{0.0f, 0.0f, 0.0f};
  Vector3 colorFrom{1.0f, 1.0f, 0.0f};
  Vector3 colorTo{0.0f, 0.0f, 1.0f};
  float offset = 0.2f;        // width of each band
  float radius = 0.8f;        // along z
  float slope = 0.0f;         // y rises by slope per unit of x
  float ellipseRatio = 1.0f;  // radius along x over radius
};
