// Steps of the saver run whose subsystems have not landed yet. Each is called
// at its place in the startup sequence, the frame or the shutdown, and does
// nothing for now; the subsystem that lands replaces its entry here with the
// real operation.
#pragma once

// Loading screen and overlays.
void drawLoadingScreen(int progress);
void loadLoadingPicture();
void buildFonts();
void loadOverlayTextures();
void loadTextBooks();
// The frame's overlays.
void drawTransitions();
void begin2D();
void end2D();
void drawFrameRate(int framesPerSecond);
void drawSignText();
void drawClock();
