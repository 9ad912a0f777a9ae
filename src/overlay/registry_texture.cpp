// A throwaway world object that only looks a texture up.
#include "overlay/registry_texture.h"

#include "world/world_object.h"

namespace {

class TextureLookup final : public WorldObject {
 public:
  void draw(const Camera&) override {}
  void update(double) override {}
};

}  // namespace

std::uint32_t registryTexture(const char* path) {
  TextureLookup lookup;
  lookup.setTexture(path);
  return lookup.texture;
}
