// Steps of the saver run whose subsystems have not landed yet. Each is called
// at its place in the startup sequence, the frame or the shutdown, and does
// nothing for now; the subsystem that lands replaces its entry here with the
// real operation.
#pragma once

// Loading screen and overlays.
void drawLoadingScreen(int progress);
void loadLoadingPicture();
void loadTextureLists();
void buildFonts();
void loadOverlayTextures();
// Meshes, particles, camera, worlds.
void loadStartupMeshes();
void setUpGlobalParticles();
void placeCameraAtStart();
void loadSphereArrays();
void loadEnvironments();
void loadWorldList();
void loadDynamicObjects();
void loadTextBooks();
void selectFirstWorld();
void loadHudLayers();
// Music.
void initMusic();
void shutdownMusic();
// The scene chain.
void setFirstScene(const char* sceneFile, const char* nextName);
void selectSystemWorld();
void startNextScene();
// The frame step and the frame's drawing.
bool stepCameraTrack(double dt);  // true when the track has finished
void updateActiveLists(double dt);
void applyCameraLookAt();
void updateHudLayers(float dt);
void updateGlobalParticles(double dt);
void trackCameraTargets();
void drawWorld();
void drawTransitions();
void begin2D();
void end2D();
void drawHudLayers();
void drawFrameRate(int framesPerSecond);
void drawSignText();
void drawClock();
// Shutdown.
void emptyObjectLists();
