// What the scene director hands to the overlays of a scene: the sign text and
// the HUD layers' keys. Their subsystems provide these operations.
#pragma once

class ArchiveFile;
class WorldObject;
class HudLayer;

// Sign text: the book of `name` becomes the scene's text, shown timed
// (appearing by showTime, or shown and folding away by it) ...
void showSceneTextTimed(const char* name, bool appearing, float showTime);
// ... or in the window of a "text" line.
void showSceneTextWindowed(const char* name, float windowStart, float windowEnd);

// HUD layers: every layer loses its keys at a scene start; a "hud" block
// gives one layer keys and a parent.
void clearAllHudKeys();
HudLayer* findHudLayerByName(const char* name);
void readHudLayerKeys(HudLayer& layer, ArchiveFile& script);
void setHudLayerParent(HudLayer& layer, WorldObject* parent);
