// What the build made: the generated meshes and pictures at their stated
// sizes, the same bytes when the generator programs run again, and
// data.sdd holding every entry.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "param_file.h"
#include "tools/jpeg_reader.h"
#include "tools/mesh_file_reader.h"

namespace fs = std::filesystem;

namespace {

const std::string kSource = VT_SOURCE_DIR;
const std::string kBinary = VT_BINARY_DIR;
const std::string kGenerated = kBinary + "/datagen";

std::vector<datagen::Recipe> recipes(const std::string& file) {
  std::vector<datagen::Recipe> list;
  std::string error;
  EXPECT_TRUE(datagen::readRecipeFile(kSource + "/data/generate/" + file, list, error)) << error;
  return list;
}

// Runs a command; its standard output, and the exit status.
std::string run(const std::string& command, int& status) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("vt_datagen_" + std::to_string(::getpid()));
    fs::create_directories(path_);
  }
  void TearDown() override { fs::remove_all(path_); }
  fs::path path_;
};

}  // namespace

TEST(GeneratedFiles, PicturesDecodeAtTheirRecipeSizes) {
  for (datagen::Recipe& recipe : recipes("pictures.txt")) {
    SCOPED_TRACE(recipe.name);
    int width = 0, height = 0;
    ASSERT_TRUE(recipe.settings.size("size", width, height));
    std::vector<std::uint8_t> bytes = readBytes(kGenerated + "/textures/" + recipe.name);
    ASSERT_FALSE(bytes.empty());
    if (recipe.name.size() > 4 && recipe.name.substr(recipe.name.size() - 4) == ".tga") {
      ASSERT_EQ(bytes.size(), 18u + 4u * width * height);
      EXPECT_EQ(bytes[2], 2);   // uncompressed true colour
      EXPECT_EQ(bytes[16], 32); // bits per pixel
      EXPECT_EQ(bytes[12] | bytes[13] << 8, width);
      EXPECT_EQ(bytes[14] | bytes[15] << 8, height);
    } else {
      DecodedJpeg image;
      ASSERT_TRUE(decodeJpegBytes(bytes, image));
      EXPECT_EQ(image.width, width);
      EXPECT_EQ(image.height, height);
      EXPECT_EQ(image.components, 3);
    }
  }
}

TEST(GeneratedFiles, MeshesHaveTheirExactFileSize) {
  for (datagen::Recipe& recipe : recipes("meshes.txt")) {
    MeshFile mesh;
    EXPECT_TRUE(parseMeshFile(readBytes(kGenerated + "/meshes/" + recipe.name), mesh)) << recipe.name;
    EXPECT_TRUE(indicesInRange(mesh)) << recipe.name;
  }
}

TEST_F(ScratchDir, GeneratorsRunAgainWriteTheSameBytes) {
  int status = 0;
  run(kBinary + "/bin/vt_meshgen " + kSource + "/data/generate/meshes.txt " + path_.string(), status);
  ASSERT_EQ(status, 0);
  for (datagen::Recipe& recipe : recipes("meshes.txt"))
    EXPECT_EQ(readBytes((path_ / recipe.name).string()), readBytes(kGenerated + "/meshes/" + recipe.name))
        << recipe.name;
  // One picture of each format, a star field and a view drawn from other
  // recipes into a folder of its own, painted again.
  for (const char* name : {"earth.jpg", "ring.tga", "stars.jpg", "sign/saturn.jpg"}) {
    run(kBinary + "/bin/vt_picturegen " + kSource + "/data/generate/pictures.txt " + path_.string() + " " + name,
        status);
    ASSERT_EQ(status, 0) << name;
    EXPECT_EQ(readBytes((path_ / name).string()), readBytes(kGenerated + "/textures/" + name)) << name;
  }
}

TEST_F(ScratchDir, GeneratorsReportBadRecipesAndCommandLines) {
  std::string recipeFile = (path_ / "bad.txt").string();
  std::FILE* file = std::fopen(recipeFile.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("good.jpg sun size=16x8\nbad.jpg sun size=16x8 granule=3\n", file);
  std::fclose(file);
  std::string picturegen = kBinary + "/bin/vt_picturegen ";
  int status = 0;
  std::string message = run(picturegen + recipeFile + " " + path_.string() + " bad.jpg 2>&1", status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(message.find(":2: bad.jpg: unknown setting \"granule\""), std::string::npos) << message;
  EXPECT_FALSE(fs::exists(path_ / "bad.jpg"));
  run(picturegen + recipeFile + " " + path_.string() + " missing.jpg 2>/dev/null", status);
  EXPECT_EQ(status, 1);
  run(picturegen + recipeFile + " 2>/dev/null", status);
  EXPECT_EQ(status, 2);
  run(picturegen + recipeFile + " " + path_.string() + " good.jpg", status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(fs::exists(path_ / "good.jpg"));
}

TEST(DataArchive, HoldsEveryDataFileAndEveryGeneratedFile) {
  int status = 0;
  std::string listing = run(kBinary + "/bin/sdd list " + kBinary + "/data/data.sdd", status);
  ASSERT_EQ(status, 0);
  std::set<std::string> entries;
  for (std::size_t start = 0, end; (end = listing.find('\n', start)) != std::string::npos; start = end + 1)
    entries.insert(listing.substr(start, end - start));

  std::set<std::string> expected;
  for (datagen::Recipe& recipe : recipes("meshes.txt")) expected.insert("meshes\\" + recipe.name);
  for (datagen::Recipe& recipe : recipes("pictures.txt")) {
    std::string entry = "textures\\" + recipe.name;  // sign/earth.jpg is the entry textures\sign\earth.jpg
    for (char& c : entry)
      if (c == '/') c = '\\';
    expected.insert(entry);
  }
  const fs::path data = kSource + "/data";
  for (const auto& item : fs::recursive_directory_iterator(data)) {
    if (!item.is_regular_file()) continue;
    std::string entry = item.path().lexically_relative(data).generic_string();
    if (entry.rfind("generate/", 0) == 0) continue;
    for (char& c : entry)
      if (c == '/') c = '\\';
    expected.insert(entry);
  }
  // Other generators (the music) add entries of their own: the build's
  // manifest names them.
  std::ifstream manifest(kGenerated + "/archive-manifest.txt");
  for (std::string line; std::getline(manifest, line);) {
    if (line.rfind("data ", 0) == 0 || line.rfind("meshes/", 0) == 0 || line.rfind("textures/", 0) == 0) continue;
    expected.insert(line);
  }
  for (const std::string& entry : expected) EXPECT_TRUE(entries.count(entry)) << "missing " << entry;
  for (const std::string& entry : entries) EXPECT_TRUE(expected.count(entry)) << "unexpected " << entry;
  for (const char* startup : {"meshes\\sphere.dat", "meshes\\env.dat", "meshes\\aster.dat", "meshes\\aster2.dat",
                              "meshes\\aster3.dat", "textures\\phobos.jpg", "textures\\c.jpg", "textures\\load.jpg",
                              "textures\\noise.tga", "textures\\panel.tga", "textures\\particle.jpg",
                              "textures\\sign\\system.jpg", "etext.txt", "mtext.txt", "sign.txt"})
    EXPECT_TRUE(entries.count(startup)) << startup;
}
