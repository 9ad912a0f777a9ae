// Reading mesh files into arrays and recording them into display lists.
#include "resources/mesh_file.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "resources/archive_file.h"

std::uint32_t envMeshList = 0;
std::uint32_t sphereMeshList = 0;
std::uint32_t haloList = 0;
std::uint32_t customGeometryList = 0;

namespace {

constexpr std::uint64_t kHeaderBytes = 12;
constexpr std::uint64_t kWordBytes = 4;
constexpr std::uint64_t kVertexBytes = 12;        // one position
constexpr std::uint64_t kTriangleIndexBytes = 12;  // one triangle's three indices
constexpr std::uint64_t kTexCoordBytes = 8;
constexpr std::uint64_t kTriangleBytes = 60;  // two index triples and three normals

enum class CornerColour { None, HaloAlpha };

// The little-endian word at `offset`; bytes beyond the entry read as 0.
std::uint32_t wordAt(const ArchiveFile& entry, std::uint64_t offset) {
  std::uint32_t word = 0;
  for (std::uint64_t k = 0; k < kWordBytes; ++k) {
    if (offset + k < entry.size()) word |= std::uint32_t{entry.data()[offset + k]} << (8 * k);
  }
  return word;
}

float floatAt(const ArchiveFile& entry, std::uint64_t offset) {
  const std::uint32_t word = wordAt(entry, offset);
  float value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

// `count` words from `offset` on; the file offset of each later array follows
// from the counts the header gave, so a clamped array never shifts the rest.
void readWords(const ArchiveFile& entry, std::uint64_t offset, std::vector<std::uint32_t>& out, std::size_t count) {
  out.resize(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = wordAt(entry, offset + i * kWordBytes);
}

void readFloats(const ArchiveFile& entry, std::uint64_t offset, std::vector<float>& out, std::size_t count) {
  out.resize(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = floatAt(entry, offset + i * kWordBytes);
}

std::uint32_t clampCount(std::uint32_t count, std::uint64_t bodyBytes, std::uint64_t bytesPerItem) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(count, bodyBytes / bytesPerItem));
}

void recordTriangles(const MeshArrays& mesh, CornerColour colour) {
  glBegin(GL_TRIANGLES);
  for (std::size_t triangle = 0; triangle < mesh.triangleCount; ++triangle) {
    if (!mesh.triangleInRange(triangle)) continue;
    for (std::size_t corner = 0; corner < 3; ++corner) {
      const std::size_t vertex = mesh.vertexIndices[triangle * 3 + corner];
      const std::size_t texCoord = mesh.texCoordIndices[triangle * 3 + corner];
      const float* position = &mesh.positions[vertex * 3];
      if (colour == CornerColour::HaloAlpha) {
        const float x = position[0];
        glColor4f(1.0f, 1.0f, 1.0f, x * x * 3.0f - 0.6f);
      }
      glNormal3fv(&mesh.normals[(triangle * 3 + corner) * 3]);
      glTexCoord2fv(&mesh.texCoords[texCoord * 2]);
      glVertex3fv(position);
    }
  }
  glEnd();
}

bool recordList(const char* entryName, std::uint32_t& listId, CornerColour colour) {
  const GLuint id = glGenLists(1);
  if (id == 0) return false;
  MeshArrays mesh;
  readMeshArrays(entryName, mesh);
  glMatrixMode(GL_MODELVIEW);
  glNewList(id, GL_COMPILE);
  recordTriangles(mesh, colour);
  glEndList();
  glFinish();
  listId = id;
  return true;
}

}  // namespace

bool MeshArrays::triangleInRange(std::size_t triangle) const {
  if (triangle >= triangleCount) return false;
  for (std::size_t corner = 0; corner < 3; ++corner) {
    if (vertexIndices[triangle * 3 + corner] >= vertexCount) return false;
    if (texCoordIndices[triangle * 3 + corner] >= texCoordCount) return false;
  }
  return true;
}

bool readMeshArrays(const char* entryName, MeshArrays& mesh) {
  mesh = MeshArrays{};
  ArchiveFile entry;
  if (!entry.open(entryName)) return false;

  const std::uint32_t vertices = wordAt(entry, 0);
  const std::uint32_t triangles = wordAt(entry, 4);
  const std::uint32_t texCoords = wordAt(entry, 8);
  const std::uint64_t bodyBytes = entry.size() > kHeaderBytes ? entry.size() - kHeaderBytes : 0;
  mesh.vertexCount = clampCount(vertices, bodyBytes, kVertexBytes);
  mesh.triangleCount = clampCount(triangles, bodyBytes, kTriangleBytes);
  mesh.texCoordCount = clampCount(texCoords, bodyBytes, kTexCoordBytes);

  const std::uint64_t positionsAt = kHeaderBytes;
  const std::uint64_t vertexIndicesAt = positionsAt + kVertexBytes * vertices;
  const std::uint64_t texCoordIndicesAt = vertexIndicesAt + kTriangleIndexBytes * triangles;
  const std::uint64_t texCoordsAt = texCoordIndicesAt + kTriangleIndexBytes * triangles;
  const std::uint64_t normalsAt = texCoordsAt + kTexCoordBytes * texCoords;
  readFloats(entry, positionsAt, mesh.positions, std::size_t{mesh.vertexCount} * 3);
  readWords(entry, vertexIndicesAt, mesh.vertexIndices, std::size_t{mesh.triangleCount} * 3);
  readWords(entry, texCoordIndicesAt, mesh.texCoordIndices, std::size_t{mesh.triangleCount} * 3);
  readFloats(entry, texCoordsAt, mesh.texCoords, std::size_t{mesh.texCoordCount} * 2);
  readFloats(entry, normalsAt, mesh.normals, std::size_t{mesh.triangleCount} * 9);
  return true;
}

bool recordMeshList(const char* entryName, std::uint32_t& listId) {
  return recordList(entryName, listId, CornerColour::None);
}

bool recordHaloList(const char* entryName, std::uint32_t& listId) {
  return recordList(entryName, listId, CornerColour::HaloAlpha);
}

void loadStartupMeshes() {
  recordMeshList("meshes\\env.dat", envMeshList);
  recordMeshList("meshes\\sphere.dat", sphereMeshList);
  recordHaloList("meshes\\sphere.dat", haloList);
}

void loadCustomGeometry(const char* entryName) { recordMeshList(entryName, customGeometryList); }
