// Worlds, the world list and "worlds.txt".
#include "world/world.h"

#include <cstdio>
#include <cstring>

#include "world/sphere.h"
#include "world/world_file.h"

WorldList worldList;
ObjectList dynamicObjects;

namespace {

const ObjectList kNoObjects;

// Scans "<keyword> %s" into a field, cut to its capacity; false when the
// line holds no word after the keyword.
bool scanWord(const char* line, const char* format, char* field, int capacity) {
  char word[kScriptLineCapacity] = "";
  if (std::sscanf(line, format, word) != 1) return false;
  copyCut(field, capacity, word);
  return true;
}

void readWorldBlock(World& world, ArchiveFile& file, const EnvironmentList& environments) {
  char line[kScriptLineCapacity];
  while (!file.atEnd()) {
    file.readLine(line);
    char word[kScriptLineCapacity] = "";
    if (startsWith(line, "env") && std::sscanf(line, "env %127s", word) == 1) {
      if (Environment* environment = findEnvironmentByName(environments, word)) world.useEnvironment(*environment);
    }
    if (startsWith(line, "objects") && std::sscanf(line, "objects %127s", word) == 1) {
      readWorldFile(world.objects, word);
    }
    if (startsWith(line, "system")) world.system = true;
    if (startsWith(line, "scenedir")) scanWord(line, "scenedir %127s", world.sceneDir, World::kSceneDirCapacity);
    if (startsWith(line, "end")) return;
  }
}

}  // namespace

World::World() : firstPass(&kNoObjects), postPass(&kNoObjects) {}

void World::useEnvironment(Environment& environment) {
  firstPass = &environment.firstPass;
  postPass = &environment.postPass;
}

void copyCut(char* field, int capacity, const char* text) {
  std::snprintf(field, static_cast<std::size_t>(capacity), "%s", text);
}

World* findWorldByName(const WorldList& worlds, const char* name) {
  for (World* world : worlds) {
    if (std::strcmp(world->name, name) == 0) return world;
  }
  return nullptr;
}

void loadWorlds(WorldList& worlds, const EnvironmentList& environments, const char* entryName) {
  ArchiveFile file;
  file.open(entryName);
  char line[kScriptLineCapacity];
  while (!file.atEnd()) {
    file.readLine(line);
    if (startsWith(line, "WORLD_END")) break;
    if (!startsWith(line, "world")) continue;
    auto* world = new World();
    scanWord(line, "world %127s", world->name, World::kNameCapacity);
    readWorldBlock(*world, file, environments);
    worlds.push_back(world);
  }
}

void buildAsteroidWorld(WorldList& worlds, const EnvironmentList& environments) {
  auto* world = new World();
  copyCut(world->name, World::kNameCapacity, "aster");
  copyCut(world->sceneDir, World::kSceneDirCapacity, "scenes\\space\\");
  if (Environment* far = findEnvironmentByName(environments, "far")) world->useEnvironment(*far);
  buildAsteroidField(world->objects);
  worlds.push_back(world);
}
