// The "parent" line of billboard and flare blocks.
#include "world/block_arguments.h"

#include "world/world_file.h"

void scanParentLine(const char* line, const ObjectList& list, WorldObject*& parent, Vector3& offset) {
  char name[kScriptLineCapacity];
  float x, y, z;
  const int count = std::sscanf(line, "parent %127s V(%f %f %f)", name, &x, &y, &z);
  if (count < 1) return;
  parent = findObjectByName(list, name);
  if (count == 4) offset = Vector3(x, y, z);
}
