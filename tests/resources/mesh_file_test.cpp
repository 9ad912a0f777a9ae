// Mesh files: the arrays read from whole, short and hostile entries, and the
// display lists recorded from them, captured through OpenGL feedback (what
// each corner sends) and drawn pixels.
#include "resources/mesh_file.h"

#include <GL/gl.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "resources/gl_archive_fixture.h"

namespace {

using namespace gl_archive_test;

struct MeshSource {
  std::vector<std::array<float, 3>> positions;
  std::vector<std::array<std::uint32_t, 3>> vertexIndices;
  std::vector<std::array<std::uint32_t, 3>> texCoordIndices;
  std::vector<std::array<float, 2>> texCoords;
  std::vector<std::array<float, 9>> normals;  // three corners per triangle
};

void putWord(Bytes& bytes, std::uint32_t word) {
  for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(word >> (8 * k)));
}

void putFloat(Bytes& bytes, float value) {
  std::uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  putWord(bytes, word);
}

Bytes words(std::initializer_list<std::uint32_t> values) {
  Bytes bytes;
  for (std::uint32_t value : values) putWord(bytes, value);
  return bytes;
}

Bytes meshBytes(const MeshSource& mesh) {
  Bytes bytes = words({static_cast<std::uint32_t>(mesh.positions.size()),
                       static_cast<std::uint32_t>(mesh.vertexIndices.size()),
                       static_cast<std::uint32_t>(mesh.texCoords.size())});
  for (const auto& p : mesh.positions) for (float v : p) putFloat(bytes, v);
  for (const auto& t : mesh.vertexIndices) for (std::uint32_t i : t) putWord(bytes, i);
  for (const auto& t : mesh.texCoordIndices) for (std::uint32_t i : t) putWord(bytes, i);
  for (const auto& c : mesh.texCoords) for (float v : c) putFloat(bytes, v);
  for (const auto& n : mesh.normals) for (float v : n) putFloat(bytes, v);
  return bytes;
}

const std::array<float, 9> kCornerNormals = {0, 0, 1, 0, 1, 0, 1, 0, 0};

// One triangle over the middle of the window, V = 3, F = 1, T = 3.
const MeshSource kTriangle = {
    {{-0.5f, -0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {0.0f, 0.5f, 0.0f}},
    {{0, 1, 2}},
    {{0, 1, 2}},
    {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.5f, 1.0f}},
    {kCornerNormals},
};

MeshSource withTriangles(MeshSource mesh, std::vector<std::array<std::uint32_t, 3>> vertexIndices,
                         std::vector<std::array<std::uint32_t, 3>> texCoordIndices) {
  mesh.vertexIndices = std::move(vertexIndices);
  mesh.texCoordIndices = std::move(texCoordIndices);
  mesh.normals.assign(mesh.vertexIndices.size(), kCornerNormals);
  return mesh;
}

struct Corner {
  float x, y;        // window coordinates
  float r, g, b, a;  // colour
  float s, t;        // texture coordinate
};
using Polygon = std::vector<Corner>;

constexpr GLint kFloatsPerCorner = 3 + 4 + 4;  // GL_3D_COLOR_TEXTURE in RGBA mode

class MeshFileTest : public GlArchiveTest {
 protected:
  void SetUp() override {
    GlArchiveTest::SetUp();
    glViewport(0, 0, kWindowSize, kWindowSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }

  // The polygons the list sends, in order.
  static std::vector<Polygon> feedback(std::uint32_t list) {
    std::vector<GLfloat> buffer(1 << 14);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < used;) {
      EXPECT_EQ(static_cast<GLint>(buffer[i]), GL_POLYGON_TOKEN);
      if (static_cast<GLint>(buffer[i]) != GL_POLYGON_TOKEN) break;
      const GLint corners = static_cast<GLint>(buffer[i + 1]);
      i += 2;
      Polygon polygon;
      for (GLint c = 0; c < corners; ++c, i += kFloatsPerCorner) {
        const GLfloat* f = &buffer[i];
        polygon.push_back({f[0], f[1], f[3], f[4], f[5], f[6], f[7], f[8]});
      }
      polygons.push_back(polygon);
    }
    return polygons;
  }
};

TEST_F(MeshFileTest, ReadsEveryArrayOfAWholeFile) {
  const Bytes file = meshBytes(kTriangle);
  ASSERT_EQ(file.size(), 132u);
  useArchive({{"meshes\\triangle.dat", file}});
  MeshArrays mesh;
  ASSERT_TRUE(readMeshArrays("meshes\\triangle.dat", mesh));
  EXPECT_EQ(mesh.vertexCount, 3u);
  EXPECT_EQ(mesh.triangleCount, 1u);
  EXPECT_EQ(mesh.texCoordCount, 3u);
  EXPECT_EQ(mesh.positions, (std::vector<float>{-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f, 0.0f, 0.5f, 0.0f}));
  EXPECT_EQ(mesh.vertexIndices, (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(mesh.texCoordIndices, (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(mesh.texCoords, (std::vector<float>{0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 1.0f}));
  EXPECT_EQ(mesh.normals, std::vector<float>(kCornerNormals.begin(), kCornerNormals.end()));
  EXPECT_TRUE(mesh.triangleInRange(0));
  EXPECT_FALSE(mesh.triangleInRange(1));
}

// Short and hostile entries: missing data reads as 0 and no array holds more
// than the entry does.
TEST_F(MeshFileTest, ShortAndHostileEntriesStayWithinTheEntry) {
  struct ShortCase {
    const char* name;
    Bytes file;
    std::uint32_t vertices, triangles, texCoords;
  };
  const Bytes whole = meshBytes(kTriangle);
  Bytes hugeCounts = words({0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu});
  hugeCounts.resize(12 + 200, 0x41);
  const std::vector<ShortCase> cases = {
      {"empty", {}, 0, 0, 0},
      {"countsOnly", words({3, 1, 3}), 0, 0, 0},
      {"halfACount", Bytes{3, 0}, 0, 0, 0},
      {"hugeCounts", hugeCounts, 200 / 12, 200 / 60, 200 / 8},
      {"normalsCut", Bytes(whole.begin(), whole.begin() + 120), 3, 1, 3},
  };
  std::vector<StoredEntry> entries;
  for (const auto& c : cases) entries.push_back({c.name, c.file});
  useArchive(entries);
  for (const auto& c : cases) {
    MeshArrays mesh;
    ASSERT_TRUE(readMeshArrays(c.name, mesh)) << c.name;
    EXPECT_EQ(mesh.vertexCount, c.vertices) << c.name;
    EXPECT_EQ(mesh.triangleCount, c.triangles) << c.name;
    EXPECT_EQ(mesh.texCoordCount, c.texCoords) << c.name;
    const std::size_t entrySize = c.file.size();
    EXPECT_LE(mesh.positions.size() * 4, entrySize) << c.name;
    EXPECT_LE(mesh.vertexIndices.size() * 4, entrySize) << c.name;
    EXPECT_LE(mesh.texCoordIndices.size() * 4, entrySize) << c.name;
    EXPECT_LE(mesh.texCoords.size() * 4, entrySize) << c.name;
    EXPECT_LE(mesh.normals.size() * 4, entrySize) << c.name;
  }
  MeshArrays cut;
  ASSERT_TRUE(readMeshArrays("normalsCut", cut));
  EXPECT_EQ(cut.normals, (std::vector<float>{0, 0, 1, 0, 1, 0, 0, 0, 0}));
  MeshArrays missing;
  EXPECT_FALSE(readMeshArrays("meshes\\missing.dat", missing));
  EXPECT_EQ(missing.triangleCount, 0u);
}

TEST_F(MeshFileTest, ListRecordsEachCornersNormalTexCoordAndPosition) {
  useArchive({{"meshes\\triangle.dat", meshBytes(kTriangle)}});
  std::uint32_t list = 0;
  ASSERT_TRUE(recordMeshList("meshes\\triangle.dat", list));
  ASSERT_NE(list, 0u);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);

  const std::vector<Polygon> polygons = feedback(list);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_EQ(polygons[0].size(), 3u);
  const float expected[3][4] = {{16, 16, 0.0f, 0.0f}, {48, 16, 1.0f, 0.0f}, {32, 48, 0.5f, 1.0f}};
  for (int c = 0; c < 3; ++c) {
    EXPECT_FLOAT_EQ(polygons[0][c].x, expected[c][0]) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].y, expected[c][1]) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].s, expected[c][2]) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].t, expected[c][3]) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].a, 1.0f) << c;  // the list sets no colour
  }
  // The last corner's normal is the last one the list sent.
  glNormal3f(0.0f, 0.0f, -1.0f);
  glCallList(list);
  GLfloat normal[3] = {};
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_EQ(std::vector<float>(normal, normal + 3), (std::vector<float>{1.0f, 0.0f, 0.0f}));

  // And it draws: the middle is covered, a corner of the window is not.
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glCallList(list);
  std::uint8_t middle[4] = {}, corner[4] = {};
  glReadPixels(32, 28, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, middle);
  glReadPixels(2, 60, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
  EXPECT_EQ(middle[0], 255);
  EXPECT_EQ(corner[0], 0);
}

TEST_F(MeshFileTest, SharedVertexCarriesEachTrianglesTexCoord) {
  MeshSource mesh = withTriangles(kTriangle, {{0, 1, 2}, {0, 2, 1}}, {{0, 1, 2}, {2, 0, 1}});
  useArchive({{"meshes\\two.dat", meshBytes(mesh)}});
  std::uint32_t list = 0;
  ASSERT_TRUE(recordMeshList("meshes\\two.dat", list));
  const std::vector<Polygon> polygons = feedback(list);
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_FLOAT_EQ(polygons[0][0].x, polygons[1][0].x);
  EXPECT_FLOAT_EQ(polygons[0][0].y, polygons[1][0].y);
  EXPECT_FLOAT_EQ(polygons[0][0].s, 0.0f);
  EXPECT_FLOAT_EQ(polygons[1][0].s, 0.5f);
  EXPECT_FLOAT_EQ(polygons[1][0].t, 1.0f);
}

TEST_F(MeshFileTest, TrianglesWithIndicesOutsideTheArraysAreSkipped) {
  MeshSource mesh = withTriangles(kTriangle, {{0, 3, 2}, {0, 1, 2}, {0xFFFFFFFFu, 1, 2}, {0, 1, 2}},
                                  {{0, 1, 2}, {0, 1, 3}, {0, 1, 2}, {2, 1, 0}});
  useArchive({{"meshes\\bad.dat", meshBytes(mesh)}});
  std::uint32_t list = 0;
  ASSERT_TRUE(recordMeshList("meshes\\bad.dat", list));
  const std::vector<Polygon> polygons = feedback(list);
  ASSERT_EQ(polygons.size(), 1u);  // only the fourth triangle is whole
  EXPECT_FLOAT_EQ(polygons[0][0].s, 0.5f);
}

TEST_F(MeshFileTest, EmptyAndMissingMeshesGiveCallableEmptyLists) {
  useArchive({{"meshes\\none.dat", words({0, 0, 0})}, {"meshes\\huge.dat", words({0xFFFFFFFFu, 0xFFFFFFFFu, 9})}});
  for (const char* name : {"meshes\\none.dat", "meshes\\huge.dat", "meshes\\missing.dat"}) {
    std::uint32_t list = 0;
    ASSERT_TRUE(recordMeshList(name, list)) << name;
    EXPECT_TRUE(glIsList(list)) << name;
    EXPECT_TRUE(feedback(list).empty()) << name;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
  }
}

TEST_F(MeshFileTest, HaloAlphaFollowsTheCornersX) {
  MeshSource mesh = kTriangle;
  mesh.positions = {{0.5f, -0.5f, 0.0f}, {0.0f, 0.5f, 0.0f}, {-0.9f, -0.5f, 0.0f}};
  useArchive({{"meshes\\sphere.dat", meshBytes(mesh)}});
  std::uint32_t list = 0;
  ASSERT_TRUE(recordHaloList("meshes\\sphere.dat", list));
  glColor4f(0.2f, 0.2f, 0.2f, 0.2f);
  const std::vector<Polygon> polygons = feedback(list);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_EQ(polygons[0].size(), 3u);
  const float expectedAlpha[3] = {0.5f * 0.5f * 3.0f - 0.6f, 0.0f, 1.0f};  // 0.15; -0.6 and 1.83 clamped
  for (int c = 0; c < 3; ++c) {
    EXPECT_FLOAT_EQ(polygons[0][c].r, 1.0f) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].g, 1.0f) << c;
    EXPECT_FLOAT_EQ(polygons[0][c].b, 1.0f) << c;
    EXPECT_NEAR(polygons[0][c].a, expectedAlpha[c], 1e-6f) << c;
  }
}

TEST_F(MeshFileTest, NoListIdLeavesTheOldOne) {
  useArchive({{"meshes\\triangle.dat", meshBytes(kTriangle)}});
  ASSERT_TRUE(platform::makeCurrent(window_, 0));  // without a context no id can be generated
  std::uint32_t list = 77;
  EXPECT_FALSE(recordMeshList("meshes\\triangle.dat", list));
  EXPECT_FALSE(recordHaloList("meshes\\triangle.dat", list));
  EXPECT_EQ(list, 77u);
}

TEST_F(MeshFileTest, StartupMeshesAndCustomGeometryFillTheirLists) {
  MeshSource second = kTriangle;
  second.texCoords = {{0.25f, 0.25f}, {0.25f, 0.25f}, {0.25f, 0.25f}};
  useArchive({{"meshes\\env.dat", meshBytes(kTriangle)},
              {"meshes\\sphere.dat", meshBytes(kTriangle)},
              {"meshes\\probe.dat", meshBytes(kTriangle)},
              {"meshes\\ship.dat", meshBytes(second)}});
  loadStartupMeshes();
  EXPECT_NE(envMeshList, 0u);
  EXPECT_NE(sphereMeshList, 0u);
  EXPECT_NE(haloList, 0u);
  EXPECT_NE(envMeshList, sphereMeshList);
  EXPECT_NE(sphereMeshList, haloList);
  EXPECT_EQ(feedback(envMeshList).size(), 1u);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  EXPECT_FLOAT_EQ(feedback(sphereMeshList)[0][0].a, 1.0f);
  EXPECT_NEAR(feedback(haloList)[0][0].a, 0.15f, 1e-6f);  // x = -0.5

  loadCustomGeometry("meshes\\probe.dat");
  const std::uint32_t first = customGeometryList;
  loadCustomGeometry("meshes\\ship.dat");
  ASSERT_NE(customGeometryList, first);
  EXPECT_FLOAT_EQ(feedback(first)[0][0].s, 0.0f);  // the earlier list stays and keeps its mesh
  EXPECT_FLOAT_EQ(feedback(customGeometryList)[0][0].s, 0.25f);
}

}  // namespace
