// The steps of the saver run that do nothing until their subsystems land.
#include "shell/pending_steps.h"

void drawLoadingScreen(int) {}
void loadLoadingPicture() {}
void buildFonts() {}
void loadOverlayTextures() {}
void loadTextBooks() {}
void drawTransitions() {}
void begin2D() {}
void end2D() {}
void drawFrameRate(int) {}
void drawSignText() {}
void drawClock() {}
