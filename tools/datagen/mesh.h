// The triangle mesh the saver reads from meshes\*.dat, and its file encoding.
//
// File layout, all values 4 bytes little-endian: V, F, T (unsigned counts);
// V vertex positions (x, y, z floats); F triangles of three vertex indices;
// F triangles of three texture-coordinate indices; T texture coordinates
// (u, v floats); F triangles of three corner normals (9 floats). The file is
// 12 + 12V + 60F + 8T bytes long. Front faces wind counter-clockwise.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace datagen {

using Float3 = std::array<float, 3>;
using Index3 = std::array<std::uint32_t, 3>;

struct Mesh {
  std::vector<Float3> positions;
  std::vector<Index3> vertexIndices;    // one per triangle
  std::vector<Index3> texcoordIndices;  // one per triangle
  std::vector<std::array<float, 2>> texcoords;
  std::vector<std::array<Float3, 3>> cornerNormals;  // one per triangle
};

std::vector<std::uint8_t> encodeMesh(const Mesh& mesh);

}  // namespace datagen
