// Reading world files into object lists.
#include "world/world_file.h"

#include <cstdio>
#include <cstring>

#include "resources/load_progress.h"
#include "resources/mesh_file.h"
#include "world/object_loaders.h"

namespace {

ArchiveFile sharedReader;
SphereLoaderState loaderState;

struct LinePrefix {
  const char* keyword;
  WorldLine kind;
};

// Tested in this order; the first prefix that matches decides.
const LinePrefix kLinePrefixes[] = {
    {"sphere", WorldLine::Sphere}, {"billboard", WorldLine::Billboard}, {"flare", WorldLine::Flare},
    {"mesh", WorldLine::Mesh},     {"flame", WorldLine::Flame},         {"ps", WorldLine::ParticleSystem},
    {"ENDWORLD", WorldLine::EndWorld}, {"geometry", WorldLine::Geometry}, {"dir", WorldLine::Dir},
};

void loadObject(WorldLine kind, ObjectList& list) {
  switch (kind) {
    case WorldLine::Sphere: loadSphere(list); break;
    case WorldLine::Billboard: loadBillboard(list); break;
    case WorldLine::Flare: loadFlare(list); break;
    case WorldLine::Mesh: loadMeshObject(list); break;
    case WorldLine::Flame: loadFlame(list); break;
    case WorldLine::ParticleSystem: loadParticleSystem(list); break;
    default: break;
  }
}

}  // namespace

bool startsWith(const char* line, const char* keyword) {
  return std::strncmp(line, keyword, std::strlen(keyword)) == 0;
}

WorldLine classifyLine(const char* line) {
  for (const LinePrefix& prefix : kLinePrefixes) {
    if (startsWith(line, prefix.keyword)) return prefix.kind;
  }
  return WorldLine::Other;
}

ArchiveFile& worldFileReader() { return sharedReader; }

SphereLoaderState& sphereLoaderState() { return loaderState; }

bool nextWorldLine(char (&line)[kScriptLineCapacity]) {
  if (sharedReader.atEnd()) {
    line[0] = '\0';
    return false;
  }
  sharedReader.readLine(line);
  return true;
}

bool skipToBegin(char (&line)[kScriptLineCapacity]) {
  while (nextWorldLine(line)) {
    if (startsWith(line, "begin")) return true;
  }
  return false;
}

void readWorldFile(ObjectList& list, const char* entryName) {
  loaderState = SphereLoaderState{};
  sharedReader.close();
  sharedReader.open(entryName);

  char line[kScriptLineCapacity];
  while (nextWorldLine(line)) {
    const WorldLine kind = classifyLine(line);
    if (kind == WorldLine::EndWorld) break;
    if (kind == WorldLine::Geometry) {
      char meshName[kScriptLineCapacity] = "";
      if (std::sscanf(line, "geometry %127s", meshName) == 1) loadCustomGeometry(meshName);
      sendLoadProgress();
    } else if (kind != WorldLine::Dir && kind != WorldLine::Other) {
      loadObject(kind, list);
      sendLoadProgress();
    }
  }
  sharedReader.close();
}
