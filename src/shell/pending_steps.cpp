// The steps of the saver run that do nothing until their subsystems land.
#include "shell/pending_steps.h"

void drawLoadingScreen(int) {}
void loadLoadingPicture() {}
void loadTextureLists() {}
void buildFonts() {}
void loadOverlayTextures() {}
void loadStartupMeshes() {}
void setUpGlobalParticles() {}
void placeCameraAtStart() {}
void loadSphereArrays() {}
void loadEnvironments() {}
void loadWorldList() {}
void loadDynamicObjects() {}
void loadTextBooks() {}
void selectFirstWorld() {}
void loadHudLayers() {}
void initMusic() {}
void shutdownMusic() {}
void setFirstScene(const char*, const char*) {}
void selectSystemWorld() {}
void startNextScene() {}
bool stepCameraTrack(double) { return false; }
void updateActiveLists(double) {}
void applyCameraLookAt() {}
void updateHudLayers(float) {}
void updateGlobalParticles(double) {}
void trackCameraTargets() {}
void drawWorld() {}
void drawTransitions() {}
void begin2D() {}
void end2D() {}
void drawHudLayers() {}
void drawFrameRate(int) {}
void drawSignText() {}
void drawClock() {}
void emptyObjectLists() {}
