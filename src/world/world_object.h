// The world-object model: the abstract drawable object that every kind
// (spheres, billboards, flares, meshes, flames, particle systems) derives
// from, and the ordered object lists that worlds, environment passes and the
// frame hold.
//
// Objects are made once while loading and live for the whole run; lists hold
// pointers and never own. Each frame the saver run calls `update` on every
// object of the active lists, then `draw` with the camera. A kind sets the
// OpenGL state it needs and leaves blending on with the additive function
// (source alpha, one), lighting on and depth writes on.
#pragma once

#include <cstdint>
#include <vector>

#include "math/vector3.h"

class Camera;
class WorldObject;

using ObjectList = std::vector<WorldObject*>;

class WorldObject {
 public:
  static constexpr int kNameCapacity = 15;  // 14 characters and a terminator

  WorldObject();
  virtual ~WorldObject() = default;
  virtual void draw(const Camera& camera) = 0;
  virtual void update(double dt) = 0;

  // Takes the registry texture whose path is `name` (a full archive path);
  // a name ending in "tga" marks the texture as having alpha, found or not.
  // False, with the texture left as it was, when the registry lacks it.
  bool setTexture(const char* textureName);
  // glTranslatef to the object's position.
  void translateToPosition() const;
  // Copies a name into `name`, cut to the field.
  void setName(const char* text);

  WorldObject* parent = nullptr;
  Vector3 position{0.0f, 0.0f, 0.0f};
  Vector3 look{0.0f, 0.0f, 1.0f};
  Vector3 right{1.0f, 0.0f, 0.0f};
  Vector3 basePosition{0.0f, 0.0f, 0.0f};
  Vector3 color{1.0f, 1.0f, 1.0f};
  float rollAngle = 0.0f;
  float orbitPhase = 0.0f;
  std::uint32_t texture = 0;
  char name[kNameCapacity] = {};
  bool textured = false;
  bool visible = true;
  bool alphaTexture = false;
  bool moon = false;
  float moonAngle = 0.0f;
  float moonSpeed = 0.5f;
};

// The first object of the list whose name equals `name` exactly, or null.
WorldObject* findObjectByName(const ObjectList& list, const char* name);

// A unit vector from three draws of the random generator, each uniform in
// -10..10, drawn in the order x, y, z.
Vector3 randomDirection();

// v += w.
void addInPlace(Vector3& v, Vector3 w);
