// The mesh block of a world file: a begin line with the name, keyword lines
// (with a four-line material section), an end line.
//
// Every keyword is tested against every line in the table's order with no
// else between the tests. A "material" line makes the loader read its four
// role lines at once, each of which must begin with a tab; the tests after
// "material" then run on the fourth of them.
#include <cstdio>
#include <cstring>

#include "resources/mesh_file.h"
#include "world/keyword_scan.h"
#include "world/mesh_object.h"
#include "world/object_loaders.h"
#include "world/world_file.h"

namespace {

using Line = char[kScriptLineCapacity];

// The four role lines after "material": metal, chrome, the texture, and a
// second map whose name is not used. Leaves the last of them in `line`.
void readMaterial(MeshObject& mesh, Line& line) {
  nextWorldLine(line);
  mesh.metal = startsWith(line, "\tmetal");
  nextWorldLine(line);
  mesh.chrome = startsWith(line, "\tchrome");
  nextWorldLine(line);
  ScannedWord word;
  if (startsWith(line, "\tmap1") && scanWord(line, "\tmap1 %127s", word)) {
    mesh.setTexture(word);
    mesh.textured = true;
  }
  nextWorldLine(line);
}

void applyKeywords(MeshObject& mesh, Line& line) {
  if (startsWith(line, "orient")) {
    float x, y, z, angle;
    if (std::sscanf(line, "orient V(%f %f %f) %f", &x, &y, &z, &angle) == 4) {
      mesh.axis = Vector3(x, y, z);
      mesh.angle = angle;
    }
  }
  if (startsWith(line, "position")) scanVector(line, "position V(%f %f %f)", mesh.position);
  if (startsWith(line, "look")) scanVector(line, "look V(%f %f %f)", mesh.look);
  if (startsWith(line, "right")) scanVector(line, "right V(%f %f %f)", mesh.right);
  if (startsWith(line, "material")) readMaterial(mesh, line);
  if (startsWith(line, "scale")) scanFloat(line, "scale %f", mesh.scaleFactor);
  if (startsWith(line, "speed")) scanFloat(line, "speed %f", mesh.speed);
  if (startsWith(line, "light")) mesh.light = true;
  if (startsWith(line, "illum")) mesh.illum = true;
  if (startsWith(line, "invup")) mesh.invup = true;
  if (startsWith(line, "blend")) mesh.blend = true;
  if (startsWith(line, "tiling")) scanFloat(line, "tiling %f", mesh.tiling);
  if (startsWith(line, "color")) scanVector(line, "color V(%f %f %f)", mesh.color);
}

}  // namespace

void loadMeshObject(ObjectList& list) {
  auto* mesh = new MeshObject();
  Line line;
  ScannedWord word;
  // A line of exactly "begin" carries no name.
  if (skipToBegin(line) && std::strlen(line) > 5 && scanWord(line, "begin %127s", word)) mesh->setName(word);
  mesh->displayList = customGeometryList;

  while (nextWorldLine(line)) {
    applyKeywords(*mesh, line);
    if (startsWith(line, "end")) break;
  }
  list.push_back(mesh);
}
