// Test helper: reads a mesh file in the saver's layout, independently of
// the generator's encoder, and checks what every mesh must satisfy.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct MeshFile {
  std::uint32_t vertexCount = 0, faceCount = 0, texcoordCount = 0;
  std::vector<std::array<float, 3>> positions;
  std::vector<std::array<std::uint32_t, 3>> vertexIndices, texcoordIndices;
  std::vector<std::array<float, 2>> texcoords;
  std::vector<std::array<std::array<float, 3>, 3>> normals;
};

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// False unless the bytes are exactly 12 + 12V + 60F + 8T long.
inline bool parseMeshFile(const std::vector<std::uint8_t>& bytes, MeshFile& mesh) {
  std::size_t at = 0;
  auto word = [&]() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= static_cast<std::uint32_t>(bytes[at++]) << (8 * i);
    return w;
  };
  auto real = [&]() {
    std::uint32_t w = word();
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
  };
  if (bytes.size() < 12) return false;
  mesh.vertexCount = word();
  mesh.faceCount = word();
  mesh.texcoordCount = word();
  std::uint64_t expected = 12 + 12ull * mesh.vertexCount + 60ull * mesh.faceCount + 8ull * mesh.texcoordCount;
  if (bytes.size() != expected) return false;
  mesh.positions.resize(mesh.vertexCount);
  for (auto& p : mesh.positions)
    for (float& c : p) c = real();
  mesh.vertexIndices.resize(mesh.faceCount);
  for (auto& t : mesh.vertexIndices)
    for (auto& i : t) i = word();
  mesh.texcoordIndices.resize(mesh.faceCount);
  for (auto& t : mesh.texcoordIndices)
    for (auto& i : t) i = word();
  mesh.texcoords.resize(mesh.texcoordCount);
  for (auto& uv : mesh.texcoords)
    for (float& c : uv) c = real();
  mesh.normals.resize(mesh.faceCount);
  for (auto& corners : mesh.normals)
    for (auto& n : corners)
      for (float& c : n) c = real();
  return true;
}

inline bool indicesInRange(const MeshFile& mesh) {
  for (std::size_t f = 0; f < mesh.faceCount; ++f) {
    for (int c = 0; c < 3; ++c) {
      if (mesh.vertexIndices[f][c] >= mesh.vertexCount) return false;
      if (mesh.texcoordIndices[f][c] >= mesh.texcoordCount) return false;
    }
  }
  return true;
}
