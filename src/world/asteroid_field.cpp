// The asteroid field of the world "aster": a jittered grid of small spheres
// that share three asteroid meshes and, after the first, one texture.
//
// The random draws follow a fixed order per asteroid (the sphere's own two
// flash offsets, three directions, then position, mesh, radius, tilt and
// spin), and the generator is not yet seeded while loading, so the field is
// the same at every start.
#include <algorithm>
#include <cstdint>

#include "math/random.h"
#include "resources/mesh_file.h"
#include "shell/settings.h"
#include "world/sphere.h"

namespace {

constexpr int kColumns = 50;  // along x, 1000 units apart
constexpr int kRows = 30;     // along z, 500 units apart
constexpr int kMeshCount = 3;
const char* const kMeshEntries[kMeshCount] = {"meshes\\aster.dat", "meshes\\aster2.dat", "meshes\\aster3.dat"};

// A fresh draw r, as r × factor + offset.
float drawScaled(double factor, double offset = 0.0) { return static_cast<float>(randomUnit() * factor + offset); }

Sphere* makeAsteroid(int column, int row, const std::uint32_t (&meshLists)[kMeshCount], bool first) {
  auto* asteroid = new Sphere();
  const Vector3 offsetDirection = randomDirection();
  const Vector3 orientAxis = randomDirection();
  const Vector3 spinAxis = randomDirection();

  asteroid->position = Vector3(static_cast<float>((column - 25) * 1000), 0.0f, static_cast<float>((row - 15) * 500));
  addInPlace(asteroid->position, scale(offsetDirection, drawScaled(1800.0)));
  asteroid->orbit = false;
  // Later asteroids bind no texture and draw with the one the first bound.
  if (first) {
    asteroid->setTexture("textures\\phobos.jpg");
    asteroid->textured = true;
  }
  const int mesh = std::clamp(static_cast<int>(randomUnit() * 2.9), 0, kMeshCount - 1);
  asteroid->displayList = meshLists[mesh];
  asteroid->radius = drawScaled(3.5, 0.1);
  asteroid->orientAxis = orientAxis;
  asteroid->orientAngle = drawScaled(360.0);
  asteroid->spinAxis = spinAxis;
  asteroid->spinAngle = drawScaled(6.0, 0.3);
  asteroid->spinSpeed = drawScaled(360.0);
  return asteroid;
}

}  // namespace

void buildAsteroidField(ObjectList& list) {
  // The lists outlive this function; the meshes' arrays do not.
  std::uint32_t meshLists[kMeshCount] = {};
  for (int k = 0; k < kMeshCount; ++k) recordMeshList(kMeshEntries[k], meshLists[k]);

  // Detail 2 takes every grid point, 1 every second, 0 every third.
  const int step = 3 - std::clamp<std::int32_t>(settings::Detail, 0, 2);
  bool first = true;
  for (int column = 0; column < kColumns; column += step) {
    for (int row = 0; row < kRows; row += step) {
      list.push_back(makeAsteroid(column, row, meshLists, first));
      first = false;
    }
  }
}
