// Spheres: the world-object kind for every spherical body and shell.
//
// A sphere draws one display list (by default the sphere mesh) scaled by its
// radius, with a fixed tilt (orientAxis, orientAngle), a spin about spinAxis,
// and optionally a circular orbit around the world's origin, an eccentric
// inclined one ("plt"), a moon's circle, or motion relative to a parent
// ("sys"). Flags pick the rendering mode: the background sky seen from inside
// with a private projection ("env"), a self-lit sun ("light"), an atmosphere
// shell turned to face the camera ("atmo"), a flashing texture layer
// ("flash", "rnd"), a depth-only occluder ("mask"), and the scan effect of the
// first 25 seconds of a scene ("wire"), which sends the triangles of the
// in-memory sphere arrays one by one.
//
// Every draw leaves blending on with the additive function (source alpha,
// one), lighting on, face culling and colour material off, depth writes on,
// the texture matrix at identity and the modelview matrix selected.
//
// The asteroid world's field is a grid of small spheres drawn from three
// asteroid meshes; its random draws follow a fixed order, so the field is the
// same at every start.
#pragma once

#include <cstdint>

#include "world/world_object.h"

class Sphere : public WorldObject {
 public:
  Sphere();
  ~Sphere() override = default;
  void draw(const Camera& camera) override;
  void update(double dt) override;

  Vector3 spinAxis{0.0f, 1.0f, 0.0f};
  std::uint32_t displayList = 0;
  float spinAngle = 0.0f;
  float spinSpeed = 0.2f;
  float radius = 5.0f;
  float alpha = 1.0f;
  float fov = 1.0f;
  float tiling = 1.0f;
  float flashElapsed = 1.0f;
  float flashDuration = 1.0f;
  float flashU;  // both drawn from the random generator by the constructor
  float flashV;
  float flashAngle = 0.0f;
  Vector3 orientAxis{1.0f, 0.0f, 0.0f};
  float orientAngle = 90.0f;
  float period = 365.0f;
  bool env = false;
  bool light = false;
  bool atmo = false;
  bool wire = false;
  bool orbit = true;
  bool depth = false;
  bool mask = false;
  bool flash = false;
  bool flashOn = false;
  bool rnd = false;
  bool sys = false;
  bool uranmoon = false;
  bool plt = false;

 private:
  // The scan effect while sceneClock is at most 25 seconds.
  void drawScanPass();
};

// The height a (along the body's own z) and the width factor b of the scan
// plane at scene time t.
struct ScanPlane {
  float height;
  float width;
};
ScanPlane scanPlaneAt(float t);

// Reads the mesh entry (the sphere mesh) into the sphere arrays that the scan
// effect draws from; they stay for the whole run.
void loadSphereArrays(const char* entryName);

// Appends the asteroid field to the list: 1500, 375 or 170 spheres at High,
// Medium or Low detail.
void buildAsteroidField(ObjectList& list);
