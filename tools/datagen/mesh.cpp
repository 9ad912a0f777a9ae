// Encodes a mesh in the little-endian mesh file layout.
#include "mesh.h"

#include <cstring>

namespace datagen {

namespace {

void putWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(word >> shift));
}

void putFloat(std::vector<std::uint8_t>& out, float value) {
  std::uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  putWord(out, word);
}

}  // namespace

std::vector<std::uint8_t> encodeMesh(const Mesh& mesh) {
  std::vector<std::uint8_t> out;
  std::size_t faces = mesh.vertexIndices.size();
  out.reserve(12 + 12 * mesh.positions.size() + 60 * faces + 8 * mesh.texcoords.size());
  putWord(out, static_cast<std::uint32_t>(mesh.positions.size()));
  putWord(out, static_cast<std::uint32_t>(faces));
  putWord(out, static_cast<std::uint32_t>(mesh.texcoords.size()));
  for (const Float3& p : mesh.positions)
    for (float c : p) putFloat(out, c);
  for (const Index3& triangle : mesh.vertexIndices)
    for (std::uint32_t i : triangle) putWord(out, i);
  for (const Index3& triangle : mesh.texcoordIndices)
    for (std::uint32_t i : triangle) putWord(out, i);
  for (const auto& uv : mesh.texcoords)
    for (float c : uv) putFloat(out, c);
  for (const auto& corners : mesh.cornerNormals)
    for (const Float3& n : corners)
      for (float c : n) putFloat(out, c);
  return out;
}

}  // namespace datagen
