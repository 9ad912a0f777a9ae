// The mesh object's construction, its geometry and its (empty) motion.
#include "world/mesh_object.h"

#include "resources/mesh_file.h"

MeshObject::MeshObject() = default;

void MeshObject::update(double) {}

bool MeshObject::loadGeometry(const char* entryName) { return recordMeshList(entryName, displayList); }
