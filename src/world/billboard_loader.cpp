// The billboard block of a world file: a begin line (billboards take no
// name), keyword lines, an end line.
//
// Every keyword is tested against every line, in the table's order, with no
// else between them; a value is taken only when its arguments scan.
#include "shell/settings.h"
#include "world/billboard.h"
#include "world/block_arguments.h"
#include "world/keyword_scan.h"
#include "world/object_loaders.h"
#include "world/world_file.h"

namespace {

// Detail at which "isfog" billboards are dropped.
constexpr std::int32_t kLowDetail = 0;

void applyNumberKeywords(Billboard& billboard, const char* line, const ObjectList& list) {
  if (startsWith(line, "size")) scanFloat(line, "size %f", billboard.size);
  if (startsWith(line, "rotation")) {
    float angle, speed;
    if (scanFloats(line, "rotation %f %f", angle, speed)) {
      billboard.rollAngle = angle;
      billboard.rollSpeed = speed * 60.0f;  // written per second divided by 60
    }
  }
  if (startsWith(line, "tiling")) scanFloat(line, "tiling %f", billboard.tiling);
  if (startsWith(line, "parent")) scanParentLine(line, list, billboard.parent, billboard.offset);
  if (startsWith(line, "FOV")) scanFloat(line, "FOV %f", billboard.fov);
  if (startsWith(line, "alpha")) scanFloat(line, "alpha %f", billboard.alpha);
}

void applyModeKeywords(Billboard& billboard, const char* line) {
  if (startsWith(line, "orient off")) billboard.orientOff = true;
  if (startsWith(line, "blend")) billboard.blend = true;
  if (startsWith(line, "depth")) billboard.depth = true;
  if (startsWith(line, "sys")) billboard.sys = true;
  if (startsWith(line, "env")) {
    billboard.env = true;
    scanVector(line, "env V(%f %f %f)", billboard.offset);
  }
  if (startsWith(line, "oreol")) {
    billboard.oreol = true;
    float x, y, z, radius;
    if (scanFloats(line, "oreol V(%f %f %f) %f", x, y, z, radius)) {
      billboard.offset = Vector3(x, y, z);
      billboard.oreolRadius = radius;
    }
  }
  if (startsWith(line, "flash")) {
    billboard.flash = true;
    float clock, hidden, shown;
    if (scanFloats(line, "flash %f %f %f)", clock, hidden, shown)) {
      billboard.flashClock = clock;
      billboard.flashHidden = hidden;
      billboard.flashShown = shown;
    }
  }
}

void applyLookKeywords(Billboard& billboard, const char* line) {
  ScannedWord word;
  if (startsWith(line, "texture") && scanWord(line, "texture %127s", word)) {
    billboard.setTexture(word);
    billboard.textured = true;
  }
  Vector3 direction;
  if (startsWith(line, "up") && scanVector(line, "up V(%f %f %f)", direction)) billboard.up = normalize(direction);
  if (startsWith(line, "right") && scanVector(line, "right V(%f %f %f)", direction)) {
    billboard.right = normalize(direction);
  }
  if (startsWith(line, "position")) scanVector(line, "position V(%f %f %f)", billboard.position);
  if (startsWith(line, "color")) scanVector(line, "color V(%f %f %f)", billboard.tint);
  if (startsWith(line, "xy")) scanFloat(line, "xy %f", billboard.xy);
}

}  // namespace

void loadBillboard(ObjectList& list) {
  auto* billboard = new Billboard();
  char line[kScriptLineCapacity];
  skipToBegin(line);
  while (nextWorldLine(line)) {
    // "isfog" comes first and ends the block at once at Low detail.
    if (startsWith(line, "isfog") && settings::Detail <= kLowDetail) {
      delete billboard;
      return;
    }
    applyNumberKeywords(*billboard, line, list);
    applyModeKeywords(*billboard, line);
    applyLookKeywords(*billboard, line);
    if (startsWith(line, "end")) break;
  }
  list.push_back(billboard);
}
