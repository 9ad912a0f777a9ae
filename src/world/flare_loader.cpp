// The flare block of a world file: a begin line (flares take no name),
// keyword lines, an end line.
//
// Every keyword is tested against every line, in the table's order, with no
// else between them; a value is taken only when its arguments scan. Sizes
// are written for an 800-pixel-wide window and scale with the real width.
#include "shell/settings.h"
#include "world/block_arguments.h"
#include "world/flare.h"
#include "world/keyword_scan.h"
#include "world/object_loaders.h"
#include "world/world_file.h"

namespace {

float widthScale() { return static_cast<float>(settings::Width) / 800.0f; }

// "lenseffect" takes the four lines after it, whatever they hold: the lens
// size, then the three lens textures. The tab of their formats matches any
// leading white space, none included.
void readLensLines(Flare& flare) {
  char line[kScriptLineCapacity];
  nextWorldLine(line);
  float lensSize;
  if (scanFloat(line, "\tsize %f", lensSize)) flare.lensSize = widthScale() * lensSize;
  for (int slot = 0; slot < Flare::kLensTextureCount; ++slot) {
    nextWorldLine(line);
    ScannedWord name;
    if (scanWord(line, "\ttexture %127s", name)) flare.setLensTexture(name, slot);
  }
}

void applyLightKeywords(Flare& flare, const char* line, const ObjectList& list) {
  float number;
  if (startsWith(line, "size") && scanFloat(line, "size %f", number)) flare.size = widthScale() * number;
  if (startsWith(line, "flash")) scanFloat(line, "flash %f)", flare.flickerAmount);
  if (startsWith(line, "lumin")) scanFloat(line, "lumin %f)", flare.lumin);
  if (startsWith(line, "focus")) {
    flare.useFocus = true;
    scanFloat(line, "focus %f)", flare.focus);
  }
  if (startsWith(line, "parent")) scanParentLine(line, list, flare.parent, flare.offset);
  if (startsWith(line, "FOV")) scanFloat(line, "FOV %f", flare.fov);
  if (startsWith(line, "alpha")) {
    float intensity, fadeIn, fadeOut;
    if (scanFloats(line, "alpha %f fade: %f %f", intensity, fadeIn, fadeOut)) {
      flare.intensity = intensity;
      flare.fadeInRate = fadeIn * 60.0f;  // written per second divided by 60
      flare.fadeOutRate = fadeOut * 60.0f;
    }
  }
  if (startsWith(line, "env")) {
    flare.env = true;
    scanVector(line, "env V(%f %f %f)", flare.offset);
  }
}

void applySpriteKeywords(Flare& flare, const char* line) {
  ScannedWord name;
  if (startsWith(line, "texture") && scanWord(line, "texture %127s", name)) {
    flare.setTexture(name);
    flare.textured = true;
  }
  if (startsWith(line, "position")) scanVector(line, "position V(%f %f %f)", flare.position);
  if (startsWith(line, "lenseffect")) {
    flare.lensEffect = true;
    readLensLines(flare);
  }
  if (startsWith(line, "rotation")) {
    float angle, speed;
    if (scanFloats(line, "rotation %f %f", angle, speed)) {
      flare.rotationAngle = angle;
      flare.rotationSpeed = speed * 60.0f;
    }
  }
  if (startsWith(line, "xy")) scanFloat(line, "xy %f", flare.xy);
  if (startsWith(line, "orient")) {
    scanVector(line, "orient V(%f %f %f)", flare.orientPoint);
    flare.orient = true;
  }
}

}  // namespace

void loadFlare(ObjectList& list) {
  auto* flare = new Flare();
  char line[kScriptLineCapacity];
  skipToBegin(line);
  while (nextWorldLine(line)) {
    applyLightKeywords(*flare, line, list);
    applySpriteKeywords(*flare, line);
    if (startsWith(line, "end")) break;
  }
  list.push_back(flare);
}
