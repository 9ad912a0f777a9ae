// The steps of the saver run that do nothing until their subsystems land.
#include "shell/pending_steps.h"

void drawLoadingScreen(int) {}
void loadLoadingPicture() {}
void buildFonts() {}
void loadOverlayTextures() {}
void loadTextBooks() {}
void loadHudLayers() {}
void setUpGlobalParticles() {}
void updateGlobalParticles(double) {}
void drawGlobalParticles() {}
void updateHudLayers(float) {}
void drawTransitions() {}
void begin2D() {}
void end2D() {}
void drawHudLayers() {}
void drawFrameRate(int) {}
void drawSignText() {}
void drawClock() {}
