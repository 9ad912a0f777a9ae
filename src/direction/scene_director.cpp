// The scene director: Camera::startNextScene reads the next scene script in
// one pass, applies every line at once and decides the scene after it.
//
// Nothing in a script runs later by line: camera keys, transition windows,
// text windows and HUD keys are data that the frame evaluates against the
// scene clock while the scene plays.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "direction/camera.h"
#include "direction/keyframe_track.h"
#include "direction/scene_director.h"
#include "direction/scene_overlays.h"
#include "direction/scene_state.h"
#include "math/random.h"
#include "platform/platform.h"
#include "shell/run_state.h"
#include "shell/settings.h"
#include "world/world.h"
#include "world/world_file.h"

const char* const kDestinations[kDestinationCount] = {"mercury", "venus",  "earth",   "mars",    "aster",
                                                      "jupiter", "saturn", "uranus", "neptune", "pluto"};

namespace {

World* pendingWorld = nullptr;
float variantFactor = kDefaultVariantFactor;

using Line = char[kScriptLineCapacity];

WorldObject* objectNamed(const char* name) {
  return currentWorld ? findObjectByName(currentWorld->objects, name) : nullptr;
}

void resetSceneState() {
  clearTrack(camera.track);
  camera.clearTargets();
  camera.trackFinished = false;
  fogEnabled = 0;
  particlesEnabled = 1;
  fadeOutWindow = fadeBackWindow = wipeOutWindow = wipeBackWindow = TimeWindow{};
  variantFactor = kDefaultVariantFactor;
}

void chooseSignText() {
  if (!currentWorld) return;
  if (std::strcmp(currentWorld->name, "system") == 0)
    showSceneTextTimed(camera.nextName, true, 15.0f);
  else
    showSceneTextTimed(currentWorld->name, false, 2.0f);
}

void scatterPlanets() {
  for (int i = 0; i < kDestinationCount - 1; ++i) {  // every destination but pluto
    if (WorldObject* planet = objectNamed(kDestinations[i]))
      planet->orbitPhase = static_cast<float>(randomUnit() * 360.0);
  }
  if (!currentWorld) return;
  for (WorldObject* object : currentWorld->objects) {
    if (object->moon) object->visible = false;
  }
}

void readHudBlock(const char* line, ArchiveFile& script) {
  char name[kScriptLineCapacity] = "";
  HudLayer* layer = std::sscanf(line, "hud %127s", name) == 1 ? findHudLayerByName(name) : nullptr;
  Line inner = "";
  while (!script.atEnd()) {
    script.readLine(inner);
    if (startsWith(inner, "KEYFRAMES") && layer) readHudLayerKeys(*layer, script);
    if (startsWith(inner, "parent") && layer && std::sscanf(inner, "parent %127s", name) == 1)
      setHudLayerParent(*layer, objectNamed(name));
    if (startsWith(inner, "hend")) return;
  }
}

void readWindow(const char* line, const char* format, TimeWindow& window) {
  float start = 0.0f, end = 0.0f;
  if (std::sscanf(line, format, &start, &end) == 2) window = TimeWindow{start, end};
}

void copyField(char* field, std::size_t capacity, const char* text) { std::snprintf(field, capacity, "%s", text); }

// One line of the scene body, tested against every keyword in order.
void applySceneLine(const char* line, ArchiveFile& script) {
  char name[kScriptLineCapacity] = "";
  char other[kScriptLineCapacity] = "";
  float a = 0.0f, b = 0.0f, c = 0.0f;

  if (startsWith(line, "next") && std::sscanf(line, "next %127s", name) == 1) {
    copyField(camera.nextName, sizeof camera.nextName, name);
    char file[kScriptLineCapacity + 16];
    std::snprintf(file, sizeof file, "%s%d.txt", name, pickVariant(variantFactor));
    copyField(camera.sceneFile, sizeof camera.sceneFile, file);
  }
  if (startsWith(line, "world") && std::sscanf(line, "world %127s", name) == 1) {
    if (World* world = findWorldByName(worldList, name)) {
      pendingWorld = world;
      copyField(camera.sceneDir, sizeof camera.sceneDir, world->sceneDir);
      camera.worldPending = true;
    }
  }
  if (startsWith(line, "reset")) camera.clearTargets();
  if (startsWith(line, "text") && std::sscanf(line, "text %127s %f %f", name, &a, &b) == 3)
    showSceneTextWindowed(name, a, b);
  if (startsWith(line, "KEYFRAMES")) {
    readKeyframes(camera.track, script);
    prepareTrack(camera.track);
  }
  if (startsWith(line, "crosslook") && std::sscanf(line, "crosslook %127s %127s %f", name, other, &a) == 3) {
    WorldObject* from = objectNamed(name);
    WorldObject* to = objectNamed(other);
    if (from && to) {
      camera.crossFrom = from;
      camera.crossTo = to;
      camera.crossDistance = a;
    }
  }
  if (startsWith(line, "phase") && std::sscanf(line, "phase %127s %f", name, &a) == 2) {
    if (WorldObject* object = objectNamed(name)) object->orbitPhase = a;
  }
  if (startsWith(line, "orient") && std::sscanf(line, "orient %127s", name) == 1) {
    if (WorldObject* object = objectNamed(name)) camera.lookTarget = object;
  }
  if (startsWith(line, "moon") && std::sscanf(line, "moon %127s %f", name, &a) == 2) {
    if (WorldObject* object = objectNamed(name)) {
      object->visible = true;
      object->orbitPhase = -a;
    }
  }
  if (startsWith(line, "hud")) readHudBlock(line, script);
  if (startsWith(line, "fback")) readWindow(line, "fback %f %f", fadeBackWindow);
  if (startsWith(line, "fout")) readWindow(line, "fout %f %f", fadeOutWindow);
  if (startsWith(line, "wback")) readWindow(line, "wback %f %f", wipeBackWindow);
  if (startsWith(line, "wout")) readWindow(line, "wout %f %f", wipeOutWindow);
  if (startsWith(line, "expfog") && std::sscanf(line, "expfog %f", &a) == 1) {
    fogEnabled = 1;
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, a);
  }
  if (startsWith(line, "linefog") && std::sscanf(line, "linefog %f %f", &a, &b) == 2) {
    fogEnabled = 1;
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, a);
    glFogf(GL_FOG_END, b);
  }
  if (startsWith(line, "fogcolor") && std::sscanf(line, "fogcolor V(%f %f %f)", &a, &b, &c) == 3) {
    fogEnabled = 1;
    const GLfloat color[4] = {a, b, c, 1.0f};
    glFogfv(GL_FOG_COLOR, color);
  }
  if (startsWith(line, "soff")) particlesEnabled = 0;
  if (startsWith(line, "random") && std::sscanf(line, "random %f", &a) == 1) variantFactor = a + 0.9f;
}

// With Random on, a scene outside the "system" world is followed by the next
// unvisited destination's script in the directory of the world being left.
void chooseRandomDestination() {
  char directory[sizeof camera.sceneDir];
  std::snprintf(directory, sizeof directory, "scenes\\%s\\", currentWorld->name);
  copyField(camera.sceneDir, sizeof camera.sceneDir, directory);

  bool allVisited = true;
  for (std::uint8_t flag : visitedDestinations) allVisited = allVisited && flag;
  if (allVisited) {
    for (std::uint8_t& flag : visitedDestinations) flag = 0;
    copyField(camera.sceneFile, sizeof camera.sceneFile, "sun0.txt");
    copyField(camera.nextName, sizeof camera.nextName, "sun");
    return;
  }
  int k = static_cast<int>(randomUnit() * 10.0);
  if (k >= kDestinationCount) k = kDestinationCount - 1;
  while (visitedDestinations[k]) k = (k + 1) % kDestinationCount;
  visitedDestinations[k] = 1;
  char file[32];
  std::snprintf(file, sizeof file, "%s0.txt", kDestinations[k]);
  copyField(camera.sceneFile, sizeof camera.sceneFile, file);
  copyField(camera.nextName, sizeof camera.nextName, kDestinations[k]);
}

}  // namespace

int pickVariant(float factor) {
  // The factor's integer part bounds the pick, so a data set needs only the
  // variants it says it has: 1.9 always gives 0, 3.0 gives 0 to 2.
  const int count = factor >= 1.0f && factor < 9.0f ? static_cast<int>(factor) : 1;
  const int variant = static_cast<int>(randomUnit() * count);
  return variant < count ? variant : count - 1;
}

void Camera::startNextScene() {
  resetSceneState();
  if (worldPending) {
    currentWorld = pendingWorld;
    worldPending = false;
  }
  chooseSignText();

  char entry[sizeof sceneDir + sizeof sceneFile];
  std::snprintf(entry, sizeof entry, "%s%s", sceneDir, sceneFile);
  ArchiveFile script;
  if (!script.open(entry)) {
    char text[sizeof entry + 32];
    std::snprintf(text, sizeof text, "Scene: %s not open", entry);
    platform::messageBox(text, "ARCHIVE Error");
  }

  scatterPlanets();
  clearAllHudKeys();

  Line line = "";
  bool inScene = false;
  while (!script.atEnd() && !inScene) {
    script.readLine(line);
    inScene = startsWith(line, "scene");
  }
  while (inScene && !script.atEnd()) {
    script.readLine(line);
    applySceneLine(line, script);
    if (startsWith(line, "end")) break;
  }

  if (currentWorld && settings::Random && std::strcmp(currentWorld->name, "system") != 0)
    chooseRandomDestination();
}
