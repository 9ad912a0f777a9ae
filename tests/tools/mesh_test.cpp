// The mesh generator: file layout, geometry and the texture mapping of the
// meshes made from data/generate/meshes.txt.
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "mesh_recipes.h"
#include "probe_atlas.h"
#include "tools/mesh_file_reader.h"
#include "uv_sphere.h"

namespace {

using Float3 = std::array<float, 3>;

std::vector<datagen::Recipe> meshRecipes() {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(VT_SOURCE_DIR "/data/generate/meshes.txt", recipes, error)) << error;
  return recipes;
}

// The mesh file of the named recipe, encoded and read back.
MeshFile buildMeshFile(const std::string& name) {
  for (datagen::Recipe& recipe : meshRecipes()) {
    if (recipe.name != name) continue;
    datagen::Mesh mesh;
    std::string error;
    EXPECT_TRUE(datagen::buildMesh(recipe, mesh, error)) << error;
    MeshFile file;
    EXPECT_TRUE(parseMeshFile(datagen::encodeMesh(mesh), file)) << name << ": wrong file size";
    return file;
  }
  ADD_FAILURE() << "no recipe " << name;
  return {};
}

Float3 sub(Float3 a, Float3 b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Float3 cross(Float3 a, Float3 b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(Float3 a, Float3 b) { return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2]; }
double length(Float3 a) { return std::sqrt(dot(a, a)); }

// The default sphere tilt, 90 degrees about x: mesh (x, y, z) to world (x, -z, y).
Float3 tilted(Float3 p) { return {p[0], -p[2], p[1]}; }

// Whether the texture's u and v axes, seen from outside along the face
// normal, form a right-handed pair (picture not mirrored).
bool mappingKeepsHandedness(const MeshFile& mesh, std::size_t face) {
  Float3 p[3];
  std::array<float, 2> t[3];
  for (int c = 0; c < 3; ++c) {
    p[c] = mesh.positions[mesh.vertexIndices[face][c]];
    t[c] = mesh.texcoords[mesh.texcoordIndices[face][c]];
  }
  Float3 e1 = sub(p[1], p[0]), e2 = sub(p[2], p[0]);
  double du1 = t[1][0] - t[0][0], dv1 = t[1][1] - t[0][1], du2 = t[2][0] - t[0][0], dv2 = t[2][1] - t[0][1];
  double uvArea = du1 * dv2 - du2 * dv1;
  return uvArea * dot(cross(e1, e2), p[0]) > 0;
}

}  // namespace

TEST(MeshFiles, EveryRecipeMakesAWellFormedMesh) {
  for (datagen::Recipe& recipe : meshRecipes()) {
    SCOPED_TRACE(recipe.name);
    MeshFile mesh = buildMeshFile(recipe.name);
    ASSERT_GT(mesh.faceCount, 0u);
    ASSERT_TRUE(indicesInRange(mesh));
    for (std::size_t f = 0; f < mesh.faceCount; ++f) {
      const auto& tri = mesh.vertexIndices[f];
      Float3 a = mesh.positions[tri[0]], b = mesh.positions[tri[1]], c = mesh.positions[tri[2]];
      Float3 faceNormal = cross(sub(b, a), sub(c, a));
      ASSERT_GT(length(faceNormal), 0) << "degenerate face " << f;
      for (int corner = 0; corner < 3; ++corner) {
        const Float3& n = mesh.normals[f][corner];
        ASSERT_NEAR(length(n), 1.0, 1e-5) << "face " << f;
        // Smooth normals still lean the way the face points.
        ASSERT_GT(dot(n, faceNormal), 0) << "face " << f;
      }
    }
  }
}

TEST(MeshFiles, RecipesMakeTheSameBytesEveryTime) {
  for (datagen::Recipe& recipe : meshRecipes()) {
    datagen::Recipe again = recipe;
    datagen::Mesh first, second;
    std::string error;
    ASSERT_TRUE(datagen::buildMesh(recipe, first, error)) << error;
    ASSERT_TRUE(datagen::buildMesh(again, second, error)) << error;
    EXPECT_EQ(datagen::encodeMesh(first), datagen::encodeMesh(second)) << recipe.name;
  }
}

TEST(SphereMeshes, AreUnitSpheresWoundOutwardWithSeamlessUprightMapping) {
  for (const char* name : {"sphere.dat", "env.dat"}) {
    SCOPED_TRACE(name);
    MeshFile mesh = buildMeshFile(name);
    for (const Float3& p : mesh.positions) ASSERT_NEAR(length(p), 1.0, 1e-6);
    for (const auto& uv : mesh.texcoords) {
      ASSERT_GE(uv[0], 0.0f);
      ASSERT_LE(uv[0], 1.0f);
      ASSERT_GE(uv[1], 0.0f);
      ASSERT_LE(uv[1], 1.0f);
    }
    for (std::size_t f = 0; f < mesh.faceCount; ++f) {
      const auto& tri = mesh.vertexIndices[f];
      Float3 a = mesh.positions[tri[0]], b = mesh.positions[tri[1]], c = mesh.positions[tri[2]];
      ASSERT_GT(dot(cross(sub(b, a), sub(c, a)), a), 0) << "face " << f << " is not counter-clockwise from outside";
      float low = 2, high = -1;
      for (auto index : mesh.texcoordIndices[f]) {
        low = std::min(low, mesh.texcoords[index][0]);
        high = std::max(high, mesh.texcoords[index][0]);
      }
      ASSERT_LT(high - low, 0.1f) << "face " << f << " wraps across the seam";
      ASSERT_TRUE(mappingKeepsHandedness(mesh, f)) << "face " << f << " shows the picture mirrored";
    }
    // Under the default tilt the top of the picture (v = 1) is up (+y),
    // the picture's equator lies in the x-z plane, and u = 0.25 (90 degrees
    // east) lies towards -z.
    for (std::size_t f = 0; f < mesh.faceCount; ++f) {
      for (int corner = 0; corner < 3; ++corner) {
        const auto& uv = mesh.texcoords[mesh.texcoordIndices[f][corner]];
        Float3 world = tilted(mesh.positions[mesh.vertexIndices[f][corner]]);
        double latitude = (uv[1] - 0.5) * M_PI;
        ASSERT_NEAR(world[1], std::sin(latitude), 1e-5);
        if (uv[1] > 0.0f && uv[1] < 1.0f) {
          double longitude = uv[0] * 2 * M_PI;
          ASSERT_NEAR(world[0], std::cos(latitude) * std::cos(longitude), 1e-5);
          ASSERT_NEAR(world[2], -std::cos(latitude) * std::sin(longitude), 1e-5);
        }
      }
    }
  }
}

TEST(SphereMeshes, CountsFollowTheSegmentsAndRings) {
  datagen::Mesh mesh = datagen::buildUvSphere(8, 4);
  EXPECT_EQ(mesh.positions.size(), 2u + 8 * 3);
  EXPECT_EQ(mesh.vertexIndices.size(), 2u * 8 * 3);
  EXPECT_EQ(mesh.texcoords.size(), 9u * 3 + 2 * 8);
  EXPECT_EQ(datagen::encodeMesh(mesh).size(), 12 + 12 * 26 + 60 * 48 + 8 * 43u);
}

TEST(AsteroidMeshes, AreClosedConsistentlyWoundLumpyBodiesOfRadiusAboutOne) {
  std::vector<std::vector<Float3>> shapes;
  for (const char* name : {"aster.dat", "aster2.dat", "aster3.dat"}) {
    SCOPED_TRACE(name);
    MeshFile mesh = buildMeshFile(name);
    // Every directed edge appears once and its reverse once: closed, and
    // neighbouring faces agree on their winding.
    std::set<std::pair<std::uint32_t, std::uint32_t>> edges;
    for (const auto& tri : mesh.vertexIndices)
      for (int c = 0; c < 3; ++c) ASSERT_TRUE(edges.insert({tri[c], tri[(c + 1) % 3]}).second);
    for (const auto& edge : edges) ASSERT_TRUE(edges.count({edge.second, edge.first})) << "open edge";

    double volume = 0, meanRadius = 0, lowest = 1e9, highest = 0;
    for (const auto& tri : mesh.vertexIndices)
      volume += dot(mesh.positions[tri[0]], cross(mesh.positions[tri[1]], mesh.positions[tri[2]])) / 6;
    for (const Float3& p : mesh.positions) {
      meanRadius += length(p) / mesh.positions.size();
      lowest = std::min(lowest, length(p));
      highest = std::max(highest, length(p));
    }
    EXPECT_GT(volume, 0) << "faces wind inward";
    EXPECT_NEAR(meanRadius, 1.0, 1e-3);
    EXPECT_GT(lowest, 0.4);
    EXPECT_LT(highest, 2.0);
    EXPECT_GT(highest - lowest, 0.3) << "not lumpy";

    std::size_t upright = 0;
    for (std::size_t f = 0; f < mesh.faceCount; ++f) upright += mappingKeepsHandedness(mesh, f);
    EXPECT_GE(upright, mesh.faceCount * 98 / 100) << "texture mirrored on many faces";
    shapes.push_back(mesh.positions);
  }
  EXPECT_NE(shapes[0], shapes[1]);
  EXPECT_NE(shapes[1], shapes[2]);
}

TEST(RingSquare, IsFlatInTheOrbitalPlaneAndSeenFromBothSides) {
  MeshFile mesh = buildMeshFile("ring.dat");
  int up = 0, down = 0;
  for (std::size_t f = 0; f < mesh.faceCount; ++f) {
    const auto& tri = mesh.vertexIndices[f];
    Float3 a = tilted(mesh.positions[tri[0]]), b = tilted(mesh.positions[tri[1]]), c = tilted(mesh.positions[tri[2]]);
    for (const Float3& p : {a, b, c}) ASSERT_EQ(p[1], 0.0f);
    double facing = cross(sub(b, a), sub(c, a))[1];
    up += facing > 0;
    down += facing < 0;
  }
  EXPECT_EQ(up, 2);
  EXPECT_EQ(down, 2);
  for (const auto& uv : mesh.texcoords)
    for (float t : uv) EXPECT_TRUE(t == 0.0f || t == 1.0f);
}

TEST(ProbeMesh, IsAFewHundredTrianglesMappedIntoItsPictureDishForwardWingsSideways) {
  MeshFile mesh = buildMeshFile("probe.dat");
  EXPECT_GE(mesh.faceCount, 200u);
  EXPECT_LE(mesh.faceCount, 800u);
  // Each triangle keeps to one material of the picture.
  const datagen::AtlasRegion regions[] = {datagen::kFoilRegion, datagen::kCellRegion, datagen::kDishRegion,
                                          datagen::kMetalRegion};
  std::map<int, int> facesPerRegion;
  for (std::size_t f = 0; f < mesh.faceCount; ++f) {
    int region = -1;
    for (int r = 0; r < 4 && region < 0; ++r) {
      bool inside = true;
      for (auto index : mesh.texcoordIndices[f]) {
        const auto& uv = mesh.texcoords[index];
        inside = inside && uv[0] > regions[r].u0 && uv[0] < regions[r].u1 && uv[1] > regions[r].v0 &&
                 uv[1] < regions[r].v1;
      }
      if (inside) region = r;
    }
    ASSERT_GE(region, 0) << "face " << f << " spans two materials";
    ++facesPerRegion[region];
  }
  EXPECT_EQ(facesPerRegion.size(), 4u);
  // The wings reach out along y, the dish's feed along +x, the boom along +z.
  Float3 low{0, 0, 0}, high{0, 0, 0};
  for (const Float3& p : mesh.positions)
    for (int i = 0; i < 3; ++i) {
      low[i] = std::min(low[i], p[i]);
      high[i] = std::max(high[i], p[i]);
    }
  EXPECT_NEAR(high[1], 1.72, 0.01);
  EXPECT_NEAR(low[1], -1.72, 0.01);
  EXPECT_GT(high[0], 0.8);
  EXPECT_GT(-low[0], 0.25);
  EXPECT_GT(high[2], 1.4);
  // The dish is seen from both sides: every face has a twin on the same
  // corners facing the other way.
  std::map<std::set<std::array<float, 3>>, int> facing;
  for (std::size_t f = 0; f < mesh.faceCount; ++f) {
    bool dish = true;
    for (auto index : mesh.texcoordIndices[f]) dish = dish && mesh.texcoords[index][0] < 0.5f && mesh.texcoords[index][1] < 0.5f;
    if (!dish) continue;
    std::set<std::array<float, 3>> corners;
    for (auto index : mesh.vertexIndices[f]) corners.insert(mesh.positions[index]);
    facing[corners] += mesh.normals[f][0][0] > 0 ? 1 : -1;
  }
  EXPECT_FALSE(facing.empty());
  for (const auto& entry : facing) ASSERT_EQ(entry.second, 0);
}

TEST(MeshRecipes, RejectUnknownKindsAndSettings) {
  std::vector<datagen::Recipe> recipes;
  std::string error;
  ASSERT_TRUE(datagen::parseRecipes(
      "a.dat cube\nb.dat sphere segment=8\nc.dat sphere rings=1\nd.dat probe panel_span=0\n", recipes, error));
  const char* messages[] = {"unknown mesh kind \"cube\"", "unknown setting \"segment\"",
                            "\"rings\" needs a whole number from 2 to 512, not \"1\"",
                            "\"dish_radius\" needs 0.1 < r <= 2 and \"panel_span\" 0.1 < s <= 5"};
  for (std::size_t i = 0; i < recipes.size(); ++i) {
    datagen::Mesh mesh;
    EXPECT_FALSE(datagen::buildMesh(recipes[i], mesh, error));
    EXPECT_EQ(error, messages[i]);
  }
}
