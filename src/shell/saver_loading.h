// Everything the saver run loads while the loading screen fills, the first
// scene of the chain, and the lists emptied at shutdown.
#pragma once

#include <string>

// Startup steps from the loading picture to the HUD layers, in their order.
void loadEverything();

// Startup's choice of the first scene: "intro0.txt" for "sun" unless Random
// is on, else a random destination whose visited flag it sets. A start
// scene given on the command line replaces the script, not the destination.
struct FirstScene {
  std::string sceneFile;
  std::string nextName;
};
FirstScene chooseFirstScene(const std::string& startScene = {});

// Chooses the first scene, puts the "system" world on show and starts it.
// A start scene "WORLD/FILE" starts FILE in that world instead, "FILE" in
// the "system" world.
void startSceneChain(const std::string& startScene);

// Empties the world list, the environment list and the object lists, in
// that order, then the HUD layers and the texture sets; the objects
// themselves live until the process ends.
void emptyObjectLists();
