// Mesh files: indexed triangle lists in the archive ("meshes\*.dat"), read
// into arrays and recorded into OpenGL display lists, plus the global lists
// built from them.
//
// Layout, every number 4 bytes little-endian: V, F, T (unsigned); V vertex
// positions x, y, z (floats); per triangle the vertex indices of corners 0,
// 1, 2; per triangle the texture coordinate indices of corners 0, 1, 2; T
// texture coordinates u, v; per triangle three corner normals x, y, z. The
// file is 12 + 12V + 60F + 8T bytes long.
//
// Entries are untrusted. A missing or short entry reads as zeros where its
// data is missing (a missing count is 0); no count is taken beyond what the
// entry's size could hold, so no array is larger than the entry; a triangle
// with an index outside the arrays is skipped. Lists set no colour, material,
// texture or other state (the halo list sets a colour per corner), so one
// list serves objects with different textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One mesh file in memory.
struct MeshArrays {
  std::uint32_t vertexCount = 0;    // V, at most what the entry can hold
  std::uint32_t triangleCount = 0;  // F, likewise
  std::uint32_t texCoordCount = 0;  // T, likewise
  std::vector<float> positions;                // x, y, z per vertex
  std::vector<std::uint32_t> vertexIndices;    // corners 0, 1, 2 per triangle
  std::vector<std::uint32_t> texCoordIndices;  // corners 0, 1, 2 per triangle
  std::vector<float> texCoords;                // u, v per entry
  std::vector<float> normals;                  // x, y, z per corner, corners in order

  // True when all three corners of the triangle index inside the arrays.
  bool triangleInRange(std::size_t triangle) const;
};

// Reads the entry into `mesh` (emptied first). False when the entry cannot
// be opened; `mesh` is then empty.
bool readMeshArrays(const char* entryName, MeshArrays& mesh);

// Generates a display list id and records the mesh into it (recorded, not
// executed): one triangle batch in which each corner gives its normal, its
// texture coordinate and its vertex position. A missing entry gives an empty
// list. False, with `listId` unchanged and nothing read, when no id can be
// generated; otherwise `listId` becomes the new id (the previous list stays).
bool recordMeshList(const char* entryName, std::uint32_t& listId);
// The same, with the colour (1, 1, 1, 3x² − 0.6) set before each corner's
// normal, x being the corner's vertex x coordinate.
bool recordHaloList(const char* entryName, std::uint32_t& listId);

// The lists built from the mesh files; 0 until built.
extern std::uint32_t envMeshList;         // "meshes\env.dat"
extern std::uint32_t sphereMeshList;      // "meshes\sphere.dat"
extern std::uint32_t haloList;            // "meshes\sphere.dat" with per-corner alpha
extern std::uint32_t customGeometryList;  // the last "geometry" line's mesh

// The env list, the sphere list, then the halo list, in that order.
void loadStartupMeshes();
// Records the named mesh into the custom geometry's list.
void loadCustomGeometry(const char* entryName);
