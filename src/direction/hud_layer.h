// HUD layers: flat, optionally textured rectangles drawn over the 3D picture
// in the 800 × 600 canvas (origin at the lower left), later layers over
// earlier ones.
//
// Every layer is defined once in "hud.txt" (texture, colour, placement,
// blending) and lives for the whole run in `hudLayers`. Scenes animate layers
// with keys; each frame a layer takes the state between the two keys around
// the scene clock, and hides outside its keyed time span. A frozen layer
// ignores keys and keeps its "hud.txt" state in every scene. A key marked
// `project` (or a frozen layer with a "project" line) frames its `parent`:
// the square of half size `distance` around the object, facing the camera, is
// mapped to the canvas with the matrices of the frame's view.
//
// A layer whose projection would come from a point behind the camera is not
// drawn in that frame: the mapped rectangle would be mirrored nonsense.
#pragma once

#include <cstdint>
#include <vector>

class ArchiveFile;
class WorldObject;

// A rectangle in canvas units; (x, y) is its lower-left corner.
struct HudQuad {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

struct HudTiling {
  float u = 1.0f;
  float v = 1.0f;
};

struct HudColor {
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  float a = 1.0f;
};

// One key of a scene's animation of a layer, at `time` scene seconds. Values
// a script does not give (distance, quad, time) start at 0.
struct HudKey {
  bool show = true;
  bool project = false;
  float distance = 0.0f;
  HudQuad quad;
  float offset = 0.0f;
  HudTiling tiling;
  float time = 0.0f;
  HudColor color;
};

class HudLayer {
 public:
  static constexpr int kNameCapacity = 16;  // 15 characters and a terminator

  HudLayer() = default;
  virtual ~HudLayer() = default;

  // Takes the state between the current scene's keys at the scene clock (the
  // elapsed time is not used), or follows the parent when frozen. Reads the
  // current modelview and projection matrices for projections.
  void update(float elapsedSeconds);
  // Draws the quad with the layer's colour, texture, blend function and
  // texture matrix, inside the 2D canvas with the identity modelview. Leaves
  // the texture matrix as the layer set it and the modelview matrix current.
  void draw();

  bool show = true;
  bool projected = false;  // a frozen layer follows its parent
  float distance = 0.0f;
  HudQuad quad;
  float offset = 0.0f;
  HudTiling tiling;
  HudColor color;
  std::vector<HudKey> keys;
  bool alphaBlend = false;
  bool textured = false;
  bool freeze = false;
  bool noise = false;
  std::uint32_t texture = 0;
  WorldObject* parent = nullptr;  // not owned
  char name[kNameCapacity] = {};
  // Set by update when a projection of this frame lay behind the camera.
  bool behindCamera = false;
};

using HudLayerList = std::vector<HudLayer*>;

// The layers of "hud.txt" in file order; they live for the whole run.
extern HudLayerList hudLayers;

// Appends the layers of the script `entryName` ("hud.txt") to `list`.
// "project" lines name objects of currentWorld, which must be set first.
void loadHudLayers(HudLayerList& list, const char* entryName);

// The first layer whose name equals `name` exactly, or null.
HudLayer* findHudLayer(const HudLayerList& list, const char* name);

// Frees all keys of the layer.
void clearHudKeys(HudLayer& layer);

// Replaces the layer's keys by one KEYFRAMES block of the open script,
// starting after the "KEYFRAMES" line and consuming its "ENDKEYS" line.
void readHudKeys(HudLayer& layer, ArchiveFile& script);

// Maps the square of half size `distance` around the object, in the plane of
// the camera's right and up axes, to canvas units with the current modelview
// and projection matrices and the viewport (0, 0, 800, 600). False, leaving
// the quad unchanged, when the square lies behind the camera.
bool projectToScreen(HudQuad& quad, float distance, const WorldObject& object);

// The frame's steps: every layer of `hudLayers` updated, then drawn, in list
// order.
void updateAllHudLayers(float elapsedSeconds);
void drawAllHudLayers();
