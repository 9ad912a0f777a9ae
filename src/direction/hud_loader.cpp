// "hud.txt": one block per layer, from a "hud NAME" line to an "end" line,
// up to a line beginning with "HUD_END". Lines outside blocks are skipped.
//
// Every line of a block is tested against every keyword, in a fixed order
// with no else. A block or a file that ends without its terminator ends as if
// it had been read; a "HUD_END" line inside a block ends the block and the
// file.
#include <cstdio>
#include <cstring>

#include "direction/hud_layer.h"
#include "direction/hud_script.h"
#include "resources/texture_upload.h"
#include "shell/run_state.h"
#include "world/world.h"
#include "world/world_file.h"

namespace {

using Line = char[kScriptLineCapacity];

bool endsWith(const char* text, const char* ending) {
  const std::size_t length = std::strlen(text);
  const std::size_t endingLength = std::strlen(ending);
  return length >= endingLength && std::strcmp(text + length - endingLength, ending) == 0;
}

// JPEG pictures are drawn additively, TGA pictures (with alpha) blended over.
void loadLayerTexture(HudLayer& layer, const char* line) {
  layer.textured = true;
  Line path = "";
  if (std::sscanf(line, "texture %127s", path) != 1) return;
  if (endsWith(path, "jpg")) {
    layer.texture = loadJpegTexture(path);
    layer.alphaBlend = false;
  }
  if (endsWith(path, "tga")) {
    layer.texture = loadTgaTexture(path);
    layer.alphaBlend = true;
  }
}

// The number is the half size of the framed square; the layer follows the
// object only when the world on show at load time has it.
void projectOntoNamedObject(HudLayer& layer, const char* line) {
  Line objectName = "";
  float distance;
  const int scanned = std::sscanf(line, "project %127s %f", objectName, &distance);
  if (scanned == 2) layer.distance = distance;
  if (scanned < 1 || !currentWorld) return;
  if (WorldObject* object = findObjectByName(currentWorld->objects, objectName)) {
    layer.projected = true;
    layer.parent = object;
  }
}

void applyLayerLine(HudLayer& layer, const char* line) {
  if (startsWith(line, "texture")) loadLayerTexture(layer, line);
  if (startsWith(line, "freeze")) layer.freeze = true;
  if (startsWith(line, "noise")) layer.noise = true;
  applyHudLookLine(line, layer);
  if (startsWith(line, "project")) projectOntoNamedObject(layer, line);
}

// Reads the block after its "hud" line; false when the file ended with it.
bool readLayerBlock(HudLayer& layer, ArchiveFile& script) {
  Line line = "";
  while (!script.atEnd()) {
    script.readLine(line);
    if (startsWith(line, "end")) return true;
    if (startsWith(line, "HUD_END")) return false;
    applyLayerLine(layer, line);
  }
  return false;
}

}  // namespace

void loadHudLayers(HudLayerList& list, const char* entryName) {
  ArchiveFile script;
  script.open(entryName);  // a missing entry reads as an empty one
  Line line = "";
  while (!script.atEnd()) {
    script.readLine(line);
    if (startsWith(line, "HUD_END")) return;
    if (!startsWith(line, "hud")) continue;
    auto* layer = new HudLayer();
    Line layerName = "";
    if (std::sscanf(line, "hud %127s", layerName) == 1) copyCut(layer->name, HudLayer::kNameCapacity, layerName);
    const bool fileGoesOn = readLayerBlock(*layer, script);
    list.push_back(layer);
    if (!fileGoesOn) return;
  }
}
