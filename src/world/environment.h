// Environments: the objects drawn before a world's own (the first pass, such
// as the sky around the camera) and after them (the post pass, such as flares
// that test the depth of everything before them), read from "env.txt". Worlds
// refer to an environment's lists; several worlds may share one.
#pragma once

#include <vector>

#include "world/world_object.h"

class Environment {
 public:
  static constexpr int kNameCapacity = 20;

  virtual ~Environment() = default;

  char name[kNameCapacity] = {};
  ObjectList firstPass;
  ObjectList postPass;
};

using EnvironmentList = std::vector<Environment*>;

extern EnvironmentList environmentList;

// Appends one environment per block of the entry, reading its pass files.
void loadEnvironments(EnvironmentList& environments, const char* entryName);

// The first environment whose name equals `name` exactly, or null.
Environment* findEnvironmentByName(const EnvironmentList& environments, const char* name);
