// Mesh objects: one mesh file placed in a world with a fixed position,
// orientation and scale, such as a space probe or a station.
//
// The mesh is the display list that the world file's last "geometry" line
// recorded before the mesh block was read, so blocks after one geometry line
// share its list and a later geometry line changes the list only for the
// blocks that follow it. A mesh object never moves. Its draw picks lighting,
// a specular "metal" material, an additive texture ("light") or alpha
// blending ("blend", with the first colour component as alpha) and leaves the
// frame's common state behind: blending on with the additive function, alpha
// test, lighting and depth writes on, face culling and fog off, the texture
// environment back to modulate.
#pragma once

#include <cstdint>

#include "world/world_object.h"

class MeshObject : public WorldObject {
 public:
  MeshObject();
  ~MeshObject() override = default;
  // Draws nothing while not visible; the camera is not used.
  void draw(const Camera& camera) override;
  // Does nothing: a mesh object keeps the place its block gave it.
  void update(double dt) override;

  // Records the mesh entry into a new display list that replaces displayList
  // (the old list stays for whoever copied its id). Without a free list id
  // nothing is read and displayList stays.
  bool loadGeometry(const char* entryName);

  std::uint32_t displayList = 0;
  float angle = 0.0f;        // degrees about axis
  float scaleFactor = 1.0f;  // uniform
  float tiling = 4.0f;       // kept, not used
  float speed = 0.0f;        // kept, not used
  bool chrome = true;        // kept, not used
  bool metal = false;        // specular material lit by light 0
  bool light = false;        // texture added to the lit colour
  bool invup = false;        // kept, not used
  bool illum = false;        // drawn without lighting
  bool blend = false;        // alpha-blended with color.x as alpha
  Vector3 axis{0.0f, 1.0f, 0.0f};
};
