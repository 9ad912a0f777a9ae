// The keys a scene gives a HUD layer, and the hooks through which the scene
// director reaches the layers.
//
// A KEYFRAMES block holds "keyframe" ... "end" groups up to "ENDKEYS". Lines
// change one template key; every "end" appends a copy of it, so each value
// carries over to the following keys until a line changes it. A group or a
// block that ends with the data ends as if its terminator had been read; an
// "ENDKEYS" line inside a group ends the group and the block, so that an
// unterminated key cannot swallow the rest of the scene script.
#include <cstdio>

#include "direction/hud_layer.h"
#include "direction/hud_script.h"
#include "direction/scene_overlays.h"
#include "resources/archive_file.h"
#include "world/world_file.h"

namespace {

using Line = char[kScriptLineCapacity];

void applyKeyLine(HudKey& key, const char* line) {
  applyHudLookLine(line, key);
  if (startsWith(line, "project")) {
    key.project = true;
    scanHudFloat(line, "project %f", key.distance);
  }
  if (startsWith(line, "time")) scanHudFloat(line, "time %f", key.time);
  if (startsWith(line, "unproj")) key.project = false;
}

// Reads one group after its "keyframe" line into the template; false when
// the block ended inside it.
bool readKeyGroup(HudKey& key, ArchiveFile& script) {
  Line line = "";
  while (!script.atEnd()) {
    script.readLine(line);
    if (startsWith(line, "end")) return true;
    if (startsWith(line, "ENDKEYS")) return false;
    applyKeyLine(key, line);
  }
  return false;
}

}  // namespace

void clearHudKeys(HudLayer& layer) { layer.keys.clear(); }

void readHudKeys(HudLayer& layer, ArchiveFile& script) {
  clearHudKeys(layer);
  HudKey key;
  Line line = "";
  while (!script.atEnd()) {
    script.readLine(line);
    if (startsWith(line, "ENDKEYS")) return;
    if (!startsWith(line, "keyframe")) continue;
    const bool blockGoesOn = readKeyGroup(key, script);
    layer.keys.push_back(key);
    if (!blockGoesOn) return;
  }
}

void clearAllHudKeys() {
  for (HudLayer* layer : hudLayers) clearHudKeys(*layer);
}

HudLayer* findHudLayerByName(const char* name) { return findHudLayer(hudLayers, name); }

void readHudLayerKeys(HudLayer& layer, ArchiveFile& script) { readHudKeys(layer, script); }

// A name that resolves to nothing leaves the parent as it was.
void setHudLayerParent(HudLayer& layer, WorldObject* parent) {
  if (parent) layer.parent = parent;
}
