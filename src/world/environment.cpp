// Environments and "env.txt".
#include "world/environment.h"

#include <cstdio>
#include <cstring>

#include "world/world.h"
#include "world/world_file.h"

EnvironmentList environmentList;

Environment* findEnvironmentByName(const EnvironmentList& environments, const char* name) {
  for (Environment* environment : environments) {
    if (std::strcmp(environment->name, name) == 0) return environment;
  }
  return nullptr;
}

void loadEnvironments(EnvironmentList& environments, const char* entryName) {
  ArchiveFile file;
  file.open(entryName);
  char line[kScriptLineCapacity];
  while (!file.atEnd()) {
    file.readLine(line);
    if (startsWith(line, "ENV_END")) break;
    if (!startsWith(line, "env")) continue;

    auto* environment = new Environment();
    char word[kScriptLineCapacity] = "";
    if (std::sscanf(line, "env %127s", word) == 1) copyCut(environment->name, Environment::kNameCapacity, word);
    while (!file.atEnd()) {
      file.readLine(line);
      if (startsWith(line, "firstpass") && std::sscanf(line, "firstpass %127s", word) == 1)
        readWorldFile(environment->firstPass, word);
      if (startsWith(line, "postpass") && std::sscanf(line, "postpass %127s", word) == 1)
        readWorldFile(environment->postPass, word);
      if (startsWith(line, "end")) break;
    }
    environments.push_back(environment);
  }
}
