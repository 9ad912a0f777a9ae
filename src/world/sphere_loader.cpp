// The sphere block of a world file: a begin line with the name, keyword
// lines, an end line.
//
// Every keyword is tested against every line, in the table's order, with no
// else between them. Arguments are scanned into temporaries and assigned only
// when the whole format matched, so a line that does not scan leaves the
// sphere as it was.
#include <cstdio>
#include <cstring>

#include "resources/mesh_file.h"
#include "shell/settings.h"
#include "world/object_loaders.h"
#include "world/sphere.h"
#include "world/world_file.h"

namespace {

using Line = char[kScriptLineCapacity];

// Detail at which "filter" spheres are kept.
constexpr std::int32_t kHighDetail = 2;

void scanFloat(const char* line, const char* format, float& field) {
  float value;
  if (std::sscanf(line, format, &value) == 1) field = value;
}

bool scanVector(const char* line, const char* format, Vector3& field) {
  float x, y, z;
  if (std::sscanf(line, format, &x, &y, &z) != 3) return false;
  field = Vector3(x, y, z);
  return true;
}

// Successive flashing spheres of one file start a quarter second apart.
void startFlashPhase(Sphere& sphere, SphereLoaderState& state) {
  const float counter = state.flashPhaseCounter;
  sphere.flashDuration = 0.5f;
  if (counter > 0.4f) {
    sphere.flashElapsed = counter - 0.5f;
    sphere.flashOn = false;
  } else {
    sphere.flashElapsed = counter;
    sphere.flashOn = true;
  }
  state.flashPhaseCounter = counter + 0.25f;
}

void applyFlagKeywords(Sphere& sphere, const char* line, SphereLoaderState& state) {
  if (startsWith(line, "env")) {
    sphere.env = true;
    sphere.spinSpeed = 0.0f;
    sphere.displayList = envMeshList;
  }
  if (startsWith(line, "geo")) sphere.displayList = sphereMeshList;
  if (startsWith(line, "light")) sphere.light = true;
  if (startsWith(line, "depth")) sphere.depth = true;
  if (startsWith(line, "wire")) sphere.wire = true;
  if (startsWith(line, "sys")) sphere.sys = true;
  if (startsWith(line, "uranmoon")) sphere.uranmoon = true;
  if (startsWith(line, "plt")) sphere.plt = true;
  if (startsWith(line, "mask")) sphere.mask = true;
  if (startsWith(line, "list")) sphere.displayList = customGeometryList;
  if (startsWith(line, "moon")) {
    sphere.moon = true;
    sphere.moonSpeed = 2.0f * state.moonSpeedCounter;
    state.moonSpeedCounter *= 0.75f;
  }
  if (startsWith(line, "orbit")) sphere.orbit = false;
  if (startsWith(line, "rnd")) sphere.rnd = true;
  if (startsWith(line, "atmo")) {
    sphere.atmo = true;
    sphere.alphaTexture = false;
    sphere.displayList = haloList;
  }
  if (startsWith(line, "flash")) {
    sphere.flash = true;
    startFlashPhase(sphere, state);
  }
}

void applyArgumentKeywords(Sphere& sphere, const char* line, SphereLoaderState& state, const ObjectList& list) {
  Line word;
  if (startsWith(line, "texture") && std::sscanf(line, "texture %127s", word) == 1) {
    sphere.setTexture(word);
    sphere.textured = true;
    state.inheritedAlpha = sphere.alphaTexture;
  }
  if (startsWith(line, "rotation")) {
    float x, y, z, angle, speed;
    if (std::sscanf(line, "rotation V(%f %f %f) %f %f", &x, &y, &z, &angle, &speed) == 5) {
      sphere.spinAxis = Vector3(x, y, z);
      sphere.spinAngle = angle;
      sphere.spinSpeed = speed;
    }
  }
  if (startsWith(line, "orient")) {
    float x, y, z, angle;
    if (std::sscanf(line, "orient V(%f %f %f) %f", &x, &y, &z, &angle) == 4) {
      sphere.orientAxis = Vector3(x, y, z);
      sphere.orientAngle = angle;
    }
  }
  if (startsWith(line, "position")) {
    Vector3 loaded;
    if (scanVector(line, "position V(%f %f %f)", loaded)) {
      if (sphere.orbit) loaded.x -= 2000.0f;
      sphere.position = loaded;
      sphere.basePosition = loaded;
    }
  }
  if (startsWith(line, "color")) scanVector(line, "color V(%f %f %f)", sphere.color);
  if (startsWith(line, "parent") && std::sscanf(line, "parent %127s", word) == 1) {
    sphere.parent = findObjectByName(list, word);
  }
}

// Applies every keyword of one block line; false when a "filter" line below
// High detail dropped the sphere.
bool applyKeywords(Sphere& sphere, const char* line, SphereLoaderState& state, const ObjectList& list) {
  if (startsWith(line, "radius")) scanFloat(line, "radius %f", sphere.radius);
  if (startsWith(line, "filter") && settings::Detail < kHighDetail) return false;
  if (startsWith(line, "FOV")) scanFloat(line, "FOV %f", sphere.fov);
  if (startsWith(line, "alpha")) scanFloat(line, "alpha %f", sphere.alpha);
  if (startsWith(line, "tiling")) scanFloat(line, "tiling %f", sphere.tiling);
  if (startsWith(line, "period")) scanFloat(line, "period %f", sphere.period);
  applyFlagKeywords(sphere, line, state);
  applyArgumentKeywords(sphere, line, state, list);
  return true;
}

}  // namespace

void loadSphere(ObjectList& list) {
  auto* sphere = new Sphere();
  SphereLoaderState& state = sphereLoaderState();

  Line line;
  Line word;
  // A line of exactly "begin" carries no name.
  if (skipToBegin(line) && std::strlen(line) != 5 && std::sscanf(line, "begin %127s", word) == 1) {
    sphere->setName(word);
  }
  sphere->displayList = sphereMeshList;
  sphere->alphaTexture = state.inheritedAlpha;

  while (nextWorldLine(line)) {
    if (!applyKeywords(*sphere, line, state, list)) {
      delete sphere;
      return;
    }
    if (startsWith(line, "end")) break;
  }
  list.push_back(sphere);
}
