// Builds the two-sided flat square.
#include "flat_square.h"

namespace datagen {

Mesh buildFlatSquare() {
  Mesh mesh;
  mesh.positions = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
  mesh.texcoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const Float3 up{0, 0, 1}, down{0, 0, -1};
  const Index3 faces[4] = {{0, 1, 2}, {0, 2, 3}, {0, 2, 1}, {0, 3, 2}};
  for (int i = 0; i < 4; ++i) {
    mesh.vertexIndices.push_back(faces[i]);
    mesh.texcoordIndices.push_back(faces[i]);  // corner k of the square has texture coordinate k
    const Float3& normal = i < 2 ? up : down;
    mesh.cornerNormals.push_back({normal, normal, normal});
  }
  return mesh;
}

}  // namespace datagen
