// Worlds: named sets of objects with the two passes of an environment, a
// scene directory and a lighting flag; the world list read from "worlds.txt"
// and the generated asteroid world "aster".
#pragma once

#include <vector>

#include "world/environment.h"
#include "world/world_object.h"

class World {
 public:
  static constexpr int kNameCapacity = 20;      // 19 characters and a terminator
  static constexpr int kSceneDirCapacity = 50;  // 49 characters and a terminator

  World();
  virtual ~World() = default;

  // Refers the passes to an environment's lists (shared, not copied).
  void useEnvironment(Environment& environment);

  ObjectList objects;
  // The environment's lists; empty ones until an "env" line names one.
  const ObjectList* firstPass;
  const ObjectList* postPass;
  char sceneDir[kSceneDirCapacity] = {};
  char name[kNameCapacity] = " ";
  bool system = false;
};

using WorldList = std::vector<World*>;

extern WorldList worldList;
extern ObjectList dynamicObjects;

// The first world whose name equals `name` exactly, or null.
World* findWorldByName(const WorldList& worlds, const char* name);

// Appends one world per block of the entry, reading each world's files.
void loadWorlds(WorldList& worlds, const EnvironmentList& environments, const char* entryName);

// Appends the world "aster": the asteroid field in the environment "far".
void buildAsteroidWorld(WorldList& worlds, const EnvironmentList& environments);

// Copies at most capacity - 1 characters of text into a field.
void copyCut(char* field, int capacity, const char* text);
