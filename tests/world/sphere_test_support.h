// Helpers for the sphere tests: a GL context with a test-built archive and the
// saver's base OpenGL state, mesh files written from arrays, a unit UV sphere,
// the loader's globals put back after each test, and objects deleted at the
// end of a test.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "direction/scene_clock.h"
#include "direction/scene_state.h"
#include "resources/gl_archive_fixture.h"
#include "resources/load_progress.h"
#include "resources/mesh_file.h"
#include "shell/gl_setup.h"
#include "shell/settings.h"
#include "world/sphere.h"
#include "world/world_file.h"

namespace sphere_test {

// Each component equal, as floats compare.
inline void expectVector(Vector3 actual, Vector3 expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
}

using rar::Bytes;
using rar::StoredEntry;

inline void appendWord(Bytes& bytes, std::uint32_t word) {
  for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(word >> (8 * k)));
}

inline void appendFloat(Bytes& bytes, float value) {
  std::uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  appendWord(bytes, word);
}

// The mesh file layout of the arrays (their counts taken from the arrays).
inline Bytes meshFileBytes(const MeshArrays& mesh) {
  Bytes bytes;
  appendWord(bytes, static_cast<std::uint32_t>(mesh.positions.size() / 3));
  appendWord(bytes, static_cast<std::uint32_t>(mesh.vertexIndices.size() / 3));
  appendWord(bytes, static_cast<std::uint32_t>(mesh.texCoords.size() / 2));
  for (float v : mesh.positions) appendFloat(bytes, v);
  for (std::uint32_t i : mesh.vertexIndices) appendWord(bytes, i);
  for (std::uint32_t i : mesh.texCoordIndices) appendWord(bytes, i);
  for (float v : mesh.texCoords) appendFloat(bytes, v);
  for (float v : mesh.normals) appendFloat(bytes, v);
  return bytes;
}

// A unit sphere mapped as the data's sphere meshes are: poles on z with
// north at -z (the default tilt turns it to world +y), the point at longitude
// lon and latitude lat at (cos lat cos lon, -cos lat sin lon, -sin lat), u =
// lon / 360 and v = (lat + 90) / 180; faces wound counter-clockwise seen from
// outside; normals equal the positions.
inline MeshArrays uvSphere(int bands, int columns) {
  MeshArrays mesh;
  const double pi = 3.14159265358979323846;
  for (int i = 0; i <= bands; ++i) {
    const double latitude = pi * i / bands - pi / 2;
    for (int j = 0; j <= columns; ++j) {
      const double longitude = 2.0 * pi * j / columns;
      mesh.positions.push_back(static_cast<float>(std::cos(latitude) * std::cos(longitude)));
      mesh.positions.push_back(static_cast<float>(-std::cos(latitude) * std::sin(longitude)));
      mesh.positions.push_back(static_cast<float>(-std::sin(latitude)));
      mesh.texCoords.push_back(static_cast<float>(j) / columns);
      mesh.texCoords.push_back(static_cast<float>(i) / bands);
    }
  }
  auto corner = [&](int i, int j) {
    const auto index = static_cast<std::uint32_t>(i * (columns + 1) + j);
    mesh.vertexIndices.push_back(index);
    mesh.texCoordIndices.push_back(index);
    for (int k = 0; k < 3; ++k) mesh.normals.push_back(mesh.positions[index * 3 + k]);
  };
  for (int i = 0; i < bands; ++i) {
    for (int j = 0; j < columns; ++j) {
      corner(i, j), corner(i, j + 1), corner(i + 1, j + 1);
      corner(i, j), corner(i + 1, j + 1), corner(i + 1, j);
    }
  }
  mesh.vertexCount = static_cast<std::uint32_t>(mesh.positions.size() / 3);
  mesh.triangleCount = static_cast<std::uint32_t>(mesh.vertexIndices.size() / 3);
  mesh.texCoordCount = static_cast<std::uint32_t>(mesh.texCoords.size() / 2);
  return mesh;
}

// Deletes the objects of a list (the saver never does; the leak checker would
// report them).
template <typename List>
void deleteAll(List& list) {
  for (auto* object : list) delete object;
  list.clear();
}

// A GL context, the saver's base state, an archive of the test's entries as
// the current directory, the loading-progress message going to the test
// window, and the globals the sphere code reads put back afterwards.
class SphereTest : public gl_archive_test::GlArchiveTest {
 protected:
  void SetUp() override {
    GlArchiveTest::SetUp();
    settings::Width = kWindowSize;
    settings::Height = kWindowSize;
    settings::DefGamma = 1;
    settings::Detail = 2;
    setupGl();
    sceneClock = 0.0f;
    fogEnabled = 0;
    setLoadProgressWindow(window_);
  }

  void TearDown() override {
    setLoadProgressWindow(0);
    settings::Detail = 2;
    sceneClock = 0.0f;
    fogEnabled = 0;
    envMeshList = sphereMeshList = haloList = customGeometryList = 0;
    deleteAll(objects_);
    GlArchiveTest::TearDown();
  }

  // Reads world files (given as texts, named in order) into the test's list.
  ObjectList& readWorldFiles(const std::vector<std::string>& files) {
    std::vector<StoredEntry> entries;
    for (std::size_t i = 0; i < files.size(); ++i) {
      entries.push_back({fileName(i), gl_archive_test::bytesOf(files[i])});
    }
    writeArchive(entries);
    for (std::size_t i = 0; i < files.size(); ++i) readWorldFile(objects_, fileName(i).c_str());
    return objects_;
  }

  // The first call makes the archive's directory current; later ones
  // replace the archive there.
  void writeArchive(const std::vector<StoredEntry>& entries) {
    if (!archiveWritten_) {
      useArchive(entries);
      archiveWritten_ = true;
      return;
    }
    archive_test::writeFile(std::filesystem::current_path() / ArchiveFile::kArchiveName,
                            archive_test::buildArchive(entries));
  }

  Sphere& sphereAt(std::size_t index) { return *static_cast<Sphere*>(objects_.at(index)); }

  // Loading-progress messages the test window has received.
  static int progressMessages() {
    int count = 0;
    for (const auto& message : headless_test::received()) count += message.message == kLoadProgressMessage;
    return count;
  }

  ObjectList objects_;

 private:
  bool archiveWritten_ = false;

  static std::string fileName(std::size_t index) { return "worlds\\w" + std::to_string(index) + ".txt"; }
};

}  // namespace sphere_test
