// The world-object base and the helpers the kinds share.
#include "world/world_object.h"

#include <GL/gl.h>

#include <cstring>

#include "math/random.h"
#include "resources/texture.h"
#include "world/world.h"

WorldObject::WorldObject() = default;

bool WorldObject::setTexture(const char* textureName) {
  const std::size_t length = std::strlen(textureName);
  if (length >= 3 && std::strcmp(textureName + length - 3, "tga") == 0) alphaTexture = true;
  const Texture* entry = textureRegistry.find(textureName);
  if (!entry) return false;
  texture = entry->texture;
  return true;
}

void WorldObject::translateToPosition() const { glTranslatef(position.x, position.y, position.z); }

void WorldObject::setName(const char* text) { copyCut(name, kNameCapacity, text); }

WorldObject* findObjectByName(const ObjectList& list, const char* name) {
  for (WorldObject* object : list) {
    if (std::strcmp(object->name, name) == 0) return object;
  }
  return nullptr;
}

Vector3 randomDirection() {
  const float x = static_cast<float>(randomUnit() * 20.0 - 10.0);
  const float y = static_cast<float>(randomUnit() * 20.0 - 10.0);
  const float z = static_cast<float>(randomUnit() * 20.0 - 10.0);
  return normalize(Vector3(x, y, z));
}

void addInPlace(Vector3& v, Vector3 w) {
  v.x += w.x;
  v.y += w.y;
  v.z += w.z;
}
