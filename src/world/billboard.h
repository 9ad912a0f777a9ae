// Billboards: the world-object kind for a textured square drawn unlit with
// additive blending: glows, halos around a body's visible rim ("oreol"),
// pictures fixed in the sky at an offset from the eye under a private
// projection ("env"), squares turned by a parent's direction from the origin
// ("sys") and blinking lights ("flash").
//
// By default the square faces the camera (its right and up come from the
// modelview matrix at draw time) and rolls about its own normal at a random
// speed drawn by the constructor. With a parent it sits above the parent on
// the screen, takes its tint and flickers; it is not drawn while the parent
// is hidden. The parent reference and the right direction are the base's
// fields; billboards take no name, so nothing refers to one.
//
// Every draw leaves blending additive (source alpha, one), lighting on,
// depth writes on, the depth test on, the texture matrix at identity and the
// modelview matrix selected.
#pragma once

#include "world/world_object.h"

class Billboard : public WorldObject {
 public:
  Billboard();
  ~Billboard() override = default;
  void draw(const Camera& camera) override;
  void update(double dt) override;

  float size = 5.0f;         // half the side of the square, world units
  float alpha = 1.0f;
  float tiling = 1.0f;       // texture repeats across the square
  float rollSpeed;           // degrees per second, drawn by the constructor in -60..60
  float fov = 0.1f;          // the private projection of an "env" billboard
  float xy = 1.0f;           // width to height: the horizontal half side is xy × size
  float oreolRadius = 1.0f;  // radius of the body an "oreol" billboard rings
  Vector3 up{0.0f, 1.0f, 0.0f};
  Vector3 offset{0.0f, 0.0f, 0.0f};  // parent offset, sky offset or ringed body's centre
  Vector3 tint{1.0f, 1.0f, 1.0f};    // colour while the billboard has a parent
  bool env = false;
  bool orientOff = false;  // keep the loaded up and right
  bool flash = false;
  bool blend = false;      // normal transparency instead of additive blending
  bool depth = false;      // no depth test
  bool oreol = false;
  bool sys = false;
  float flashClock = 0.0f;   // seconds into the blink cycle
  float flashShown = 0.0f;   // seconds shown per cycle
  float flashHidden = 0.0f;  // seconds hidden per cycle, at its start

 private:
  // Places the square on the visible rim of its ringed body as seen from the
  // camera, which must not stand at the body's centre, and sizes it.
  void placeOnRim(const Camera& camera, float& drawSize);
  // Turns the square by the parent's direction from the origin; needs a
  // parent.
  void turnByParentDirection();
};
