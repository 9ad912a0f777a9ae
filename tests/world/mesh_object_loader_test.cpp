// The mesh block of world files: keywords, the material section, the display
// list taken from the last geometry line, and blocks cut short by the end of
// the data.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "resources/texture.h"
#include "sphere_test_support.h"
#include "world/mesh_object.h"

namespace sphere_test {
namespace {

// One triangle, as the smallest mesh file.
Bytes triangleMesh() {
  MeshArrays mesh;
  mesh.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  mesh.vertexIndices = {0, 1, 2};
  mesh.texCoordIndices = {0, 1, 2};
  mesh.texCoords = {0, 0, 1, 0, 0, 1};
  mesh.normals.assign(9, 0.0f);
  return meshFileBytes(mesh);
}

class MeshObjectLoaderTest : public SphereTest {
 protected:
  // Reads one world file, stored beside the given entries.
  ObjectList& readWorld(const std::string& text, std::vector<StoredEntry> entries = {}) {
    entries.push_back({"worlds\\meshes.txt", gl_archive_test::bytesOf(text)});
    writeArchive(entries);
    readWorldFile(objects_, "worlds\\meshes.txt");
    return objects_;
  }

  MeshObject& meshAt(std::size_t index) { return *static_cast<MeshObject*>(objects_.at(index)); }
};

TEST_F(MeshObjectLoaderTest, KeywordsSetTheirFieldsAndBadArgumentsKeepTheDefaults) {
  readWorld(
      "mesh\nbegin probe\norient V(0 0 1) 90\nposition V(1 2 3)\nlook V(0 1 0)\nright V(0 0 1)\nscale 2.5\n"
      "speed 7\nlight\nillum\ninvup\nblend\ntiling 3\ncolor V(0.3 1 1)\nend\n"
      "mesh\nbegin junk\norient V(1 2 3)\nposition V(1 2)\nlook\nscale x\nspeed\ntiling\ncolor V(1 x 3)\nend\n"
      "ENDWORLD\n");
  ASSERT_EQ(objects_.size(), 2u);
  EXPECT_EQ(progressMessages(), 2);

  const MeshObject& full = meshAt(0);
  EXPECT_STREQ(full.name, "probe");
  expectVector(full.axis, {0, 0, 1});
  EXPECT_FLOAT_EQ(full.angle, 90.0f);
  expectVector(full.position, {1, 2, 3});
  expectVector(full.look, {0, 1, 0});
  expectVector(full.right, {0, 0, 1});
  EXPECT_FLOAT_EQ(full.scaleFactor, 2.5f);
  EXPECT_FLOAT_EQ(full.speed, 7.0f);
  EXPECT_FLOAT_EQ(full.tiling, 3.0f);
  expectVector(full.color, {0.3f, 1, 1});
  EXPECT_TRUE(full.light && full.illum && full.invup && full.blend);
  EXPECT_TRUE(full.chrome);
  EXPECT_FALSE(full.metal || full.textured);

  const MeshObject& junk = meshAt(1);
  const MeshObject defaults;
  expectVector(junk.axis, defaults.axis);
  EXPECT_FLOAT_EQ(junk.angle, 0.0f);
  expectVector(junk.position, {0, 0, 0});
  expectVector(junk.look, {0, 0, 1});
  expectVector(junk.right, {1, 0, 0});
  EXPECT_FLOAT_EQ(junk.scaleFactor, 1.0f);
  EXPECT_FLOAT_EQ(junk.speed, 0.0f);
  EXPECT_FLOAT_EQ(junk.tiling, 4.0f);
  expectVector(junk.color, {1, 1, 1});
  EXPECT_FALSE(junk.light || junk.illum || junk.invup || junk.blend);
}

TEST_F(MeshObjectLoaderTest, TheBeginLineNamesTheMeshUnlessItIsBareAndLongNamesAreCut) {
  readWorld("mesh\nbegin\nend\nmesh\nbegin station\nend\nmesh\nbegin abcdefghijklmnopqrst\nend\nENDWORLD\n");
  ASSERT_EQ(objects_.size(), 3u);
  EXPECT_STREQ(meshAt(0).name, "");
  EXPECT_STREQ(meshAt(1).name, "station");
  EXPECT_STREQ(meshAt(2).name, "abcdefghijklmn");
}

TEST_F(MeshObjectLoaderTest, EachBlockDrawsTheGeometryOfTheLastGeometryLineBeforeIt) {
  readWorld(
      "mesh\nbegin early\nend\ngeometry meshes\\probe.dat\nmesh\nbegin a\nend\nmesh\nbegin b\nend\n"
      "geometry meshes\\ship.dat\nmesh\nbegin c\nend\nENDWORLD\n",
      {{"meshes\\probe.dat", triangleMesh()}, {"meshes\\ship.dat", triangleMesh()}});
  ASSERT_EQ(objects_.size(), 4u);
  EXPECT_EQ(progressMessages(), 6);  // four blocks, two geometry lines
  EXPECT_EQ(meshAt(0).displayList, 0u);
  EXPECT_NE(meshAt(1).displayList, 0u);
  EXPECT_EQ(meshAt(2).displayList, meshAt(1).displayList);
  EXPECT_NE(meshAt(3).displayList, meshAt(1).displayList);
  EXPECT_EQ(meshAt(3).displayList, customGeometryList);
  EXPECT_TRUE(glIsList(meshAt(1).displayList));
}

struct MaterialCase {
  const char* lines;  // the four lines after "material"
  bool metal, chrome, textured;
};

TEST_F(MeshObjectLoaderTest, TheMaterialSectionReadsFourRoleLinesThatBeginWithATab) {
  const MaterialCase cases[] = {
      {"\tmetal\n\tchrome\n\tmap1 textures\\probe.jpg\n\tmap2 textures\\env.jpg\n", true, true, true},
      {"\tplain\n\tmatte\n\tmap2 textures\\probe.jpg\n\tmap1 textures\\probe.jpg\n", false, false, false},
      {"metal\nchrome\nmap1 textures\\probe.jpg\n\n", false, false, false},
      {"\tmetal\n\n\tmap1\n\n", true, false, false},
      {"\n\tchrome\n\tmap1 textures\\probe.jpg\n\n", false, true, true},
  };
  std::string file;
  for (const MaterialCase& c : cases) file += std::string("mesh\nbegin m\nmaterial\n") + c.lines + "end\n";
  readWorld(file + "ENDWORLD\n");
  ASSERT_EQ(objects_.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].lines);
    EXPECT_EQ(meshAt(i).metal, cases[i].metal);
    EXPECT_EQ(meshAt(i).chrome, cases[i].chrome);
    EXPECT_EQ(meshAt(i).textured, cases[i].textured);
  }
}

TEST_F(MeshObjectLoaderTest, TheMapLineTakesTheRegistryTexture) {
  auto entry = std::make_unique<Texture>();
  std::strcpy(entry->path, "textures\\hull.tga");
  entry->texture = 77;
  textureRegistry.append(std::move(entry));
  readWorld("mesh\nbegin m\nmaterial\n\tmetal\n\tchrome\n\tmap1 textures\\hull.tga\n\tmap2 x\nend\nENDWORLD\n");
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_TRUE(meshAt(0).textured);
  EXPECT_TRUE(meshAt(0).alphaTexture);
  EXPECT_EQ(meshAt(0).texture, 77u);
}

TEST_F(MeshObjectLoaderTest, TheFourthMaterialLineMeetsTheKeywordsAfterMaterialOnly) {
  // The fourth line here is a keyword line: "scale" and "color" come after
  // "material" in the table, "position" before it. A section can also
  // swallow the block's end line, and the block then goes on to the next.
  readWorld(
      "mesh\nbegin a\nmaterial\n\tmetal\n\tchrome\n\tmap2 x\nscale 3\nend\n"
      "mesh\nbegin b\nmaterial\n\tmetal\n\tchrome\n\tmap2 x\nposition V(5 5 5)\nend\n"
      "mesh\nbegin c\nmaterial\n\tmetal\nend\nlight\ncolor V(0.5 0.5 0.5)\nblend\nend\nENDWORLD\n");
  ASSERT_EQ(objects_.size(), 3u);
  EXPECT_FLOAT_EQ(meshAt(0).scaleFactor, 3.0f);
  expectVector(meshAt(1).position, {0, 0, 0});
  const MeshObject& swallowed = meshAt(2);
  EXPECT_TRUE(swallowed.metal);
  EXPECT_FALSE(swallowed.chrome);
  EXPECT_FALSE(swallowed.light);  // the third material line
  expectVector(swallowed.color, {0.5f, 0.5f, 0.5f});
  EXPECT_TRUE(swallowed.blend);
}

TEST_F(MeshObjectLoaderTest, BlocksCutShortByTheEndOfTheDataStillEndTheFile) {
  const char* const files[] = {
      "mesh",
      "mesh\nbegin cut",
      "mesh\nbegin cut\nscale 2\nmaterial\n\tmetal",
      "mesh\nbegin cut\nmaterial\n",
      "mesh\nbegin\nend",
      "mesh\nmesh\nmesh\n",
  };
  for (const char* text : files) {
    SCOPED_TRACE(text);
    deleteAll(objects_);
    readWorld(text);
    EXPECT_GE(objects_.size(), 1u);
  }
  const char bytes[] = "mesh\nbegin \xff\x01\nmaterial\n\t\0\0\0\n\x80\x81";
  const std::string binary(bytes, sizeof bytes - 1);
  deleteAll(objects_);
  readWorld(binary);
  ASSERT_EQ(objects_.size(), 1u);
}

}  // namespace
}  // namespace sphere_test
