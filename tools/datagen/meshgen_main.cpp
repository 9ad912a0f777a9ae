// vt_meshgen: writes the mesh files of the data archive from their recipes
// (data/generate/meshes.txt).
#include "generator_main.h"
#include "mesh_recipes.h"

namespace {

bool makeMeshFile(datagen::Recipe& recipe, std::vector<std::uint8_t>& bytes, std::string& error) {
  datagen::Mesh mesh;
  if (!datagen::buildMesh(recipe, mesh, error)) return false;
  bytes = datagen::encodeMesh(mesh);
  return true;
}

}  // namespace

int main(int argc, char** argv) { return datagen::runGenerator(argc, argv, makeMeshFile); }
