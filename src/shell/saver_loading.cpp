// Loading the data archive into the run's globals, and the first scene.
#include "shell/saver_loading.h"

#include <cstdio>

#include "direction/camera.h"
#include "direction/hud_layer.h"
#include "direction/scene_director.h"
#include "math/random.h"
#include "resources/mesh_file.h"
#include "resources/texture.h"
#include "overlay/draw_2d.h"
#include "overlay/overlay_textures.h"
#include "overlay/text_book.h"
#include "shell/run_state.h"
#include "shell/settings.h"
#include "world/environment.h"
#include "world/particle_system.h"
#include "world/sphere.h"
#include "world/world.h"
#include "world/world_file.h"

namespace {

void placeCameraAtStart() {
  // Nothing of an earlier run in the same process carries over.
  clearTrack(camera.track);
  camera.clearTargets();
  camera.worldPending = false;
  camera.trackFinished = false;
  camera.position = Vector3(0.0f, 0.0f, 1500.0f);
  camera.look = Vector3(0.0f, 0.0f, -1.0f);
  camera.up = Vector3(0.0f, 1.0f, 0.0f);
  std::snprintf(camera.nextName, sizeof camera.nextName, "sun");
}

// Destination n of 1 to 10 with its intro; n = 0 keeps the plain intro.
void pickRandomIntro(FirstScene& first) {
  const int n = static_cast<int>(randomInt() / 32767.0 * 10.9);
  if (n > 0 && n <= kDestinationCount) {
    char name[16];
    std::snprintf(name, sizeof name, "intro%d.txt", n);
    first.sceneFile = name;
    visitedDestinations[n - 1] = 1;
    first.nextName = kDestinations[n - 1];
  }
}

}  // namespace

void loadEverything() {
  loadLoadingPicture();
  loadTextureSet(signSet, "sign.txt", false);  // complete before the first progress message
  loadTextureSet(textureRegistry, "texture.txt", true);
  buildFonts();
  loadOverlayTextures();
  loadStartupMeshes();
  initGlobalParticles();
  placeCameraAtStart();
  loadSphereArrays("meshes\\sphere.dat");
  loadEnvironments(environmentList, "env.txt");
  loadWorlds(worldList, environmentList, "worlds.txt");
  buildAsteroidWorld(worldList, environmentList);
  readWorldFile(dynamicObjects, "dynamic.txt");
  loadTextBooks();
  // The HUD script resolves its object names in this world's objects.
  currentWorld = worldList.empty() ? nullptr : worldList.front();
  loadHudLayers(hudLayers, "hud.txt");
}

FirstScene chooseFirstScene(const std::string& startScene) {
  FirstScene first{"intro0.txt", "sun"};
  if (settings::Random) pickRandomIntro(first);
  if (!startScene.empty()) first.sceneFile = startScene;
  return first;
}

void startSceneChain(const std::string& startScene) {
  sceneClock = 0.0f;
  // "WORLD/FILE" starts in another world than "system".
  const std::size_t slash = startScene.find('/');
  const std::string world = slash == std::string::npos ? "system" : startScene.substr(0, slash);
  const FirstScene first = chooseFirstScene(slash == std::string::npos ? startScene : startScene.substr(slash + 1));
  std::snprintf(camera.sceneFile, sizeof camera.sceneFile, "%s", first.sceneFile.c_str());
  std::snprintf(camera.nextName, sizeof camera.nextName, "%s", first.nextName.c_str());
  // Without that world no scene can play: the frames stay black.
  currentWorld = findWorldByName(worldList, world.c_str());
  if (!currentWorld) return;
  std::snprintf(camera.sceneDir, sizeof camera.sceneDir, "%s", currentWorld->sceneDir);
  camera.startNextScene();
}

void emptyObjectLists() {
  worldList.clear();
  environmentList.clear();
  dynamicObjects.clear();
  firstPassObjects.clear();
  postPassObjects.clear();
  worldObjects.clear();
  // The texture names and layers belong to the context that goes now; a
  // later run in the same process loads its own.
  hudLayers.clear();
  textureRegistry.clear();
  signSet.clear();
}
