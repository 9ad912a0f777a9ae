// The overlay operations the director calls, until the text books and the
// HUD layers land: no text is shown and no layer exists.
#include "direction/scene_overlays.h"

void showSceneTextTimed(const char*, bool, float) {}
void showSceneTextWindowed(const char*, float, float) {}
void clearAllHudKeys() {}
HudLayer* findHudLayerByName(const char*) { return nullptr; }
void readHudLayerKeys(HudLayer&, ArchiveFile&) {}
void setHudLayerParent(HudLayer&, WorldObject*) {}
