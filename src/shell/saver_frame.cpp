// The frame step and the frame's drawing.
#include "shell/saver_frame.h"

#include <GL/gl.h>

#include "direction/camera.h"
#include "direction/hud_layer.h"
#include "platform/platform.h"
#include "shell/frame_timer.h"
#include "overlay/clock.h"
#include "overlay/draw_2d.h"
#include "overlay/text_book.h"
#include "overlay/transitions.h"
#include "shell/run_state.h"
#include "shell/saver_run.h"
#include "shell/saver_window.h"
#include "shell/settings.h"
#include "world/particle_system.h"
#include "world/world.h"

namespace {

void updateAll(const ObjectList& list, double dt) {
  for (WorldObject* object : list) object->update(dt);
}

void drawAll(const ObjectList& list) {
  for (WorldObject* object : list) object->draw(camera);
}

// Consumes one mouse offset: it counts towards the travel, and the cursor
// goes back to the centre so the next offset is measured from there again.
void consumeMouseDelta(float& delta, bool hosted) {
  if (delta == 0.0f) return;
  mouseTravel += delta;
  delta = 0.0f;
  if (!hosted) centreCursor();
}

}  // namespace

void centreCursor() {
  const platform::Point centre = windowCentreOnScreen(mainWindow);
  platform::setCursorPos(centre.x, centre.y);
}

bool frameStep(const SaverRunOptions& options) {
  // A hosted run belongs to its host: input never ends it.
  bool keepRunning = !(keyState[0] && !options.hosted);
  consumeMouseDelta(mouseDeltaX, options.hosted);
  consumeMouseDelta(mouseDeltaY, options.hosted);
  if (settings::MouseExit && mouseTravel > 7.0f && !options.hosted) keepRunning = false;

  const double dt = frameTimer.elapsed();
  frameTimer.mark();
  sceneClock += static_cast<float>(dt);

  camera.stepTrack(dt);
  if (camera.trackFinished) {
    camera.startNextScene();
    camera.stepTrack(0.0);
  }
  updateAll(firstPassObjects, dt);
  updateAll(worldObjects, dt);
  updateAll(dynamicObjects, dt);
  updateAll(postPassObjects, dt);

  glLoadIdentity();
  camera.eye = camera.position;
  camera.lookAt();
  updateAllHudLayers(static_cast<float>(dt));
  globalParticles.update(dt);
  camera.trackTargets();
  camera.eye = camera.position;

  drawFrame();
  platform::swapBuffers(drawingContext);
  return keepRunning;
}

void drawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!currentWorld) return;  // a black frame

  firstPassObjects = *currentWorld->firstPass;
  postPassObjects = *currentWorld->postPass;
  worldObjects = currentWorld->objects;

  glLoadIdentity();
  camera.lookAt();
  const GLfloat sun[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat farLight[4] = {0.0f, 0.0f, 1000000.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, currentWorld->system ? sun : farLight);

  drawAll(firstPassObjects);
  drawAll(worldObjects);
  drawAll(dynamicObjects);
  if (particlesEnabled) globalParticles.draw(camera);
  drawAll(postPassObjects);

  glLoadIdentity();
  camera.lookAt();

  if (fpsTimer.elapsed() > 1.0) {
    framesPerSecond = framesThisSecond;
    framesThisSecond = 0;
    mouseTravel = 0.0f;
    fpsTimer.mark();
  }
  drawTransitions(camera);
  glFlush();

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  begin2D();
  glLoadIdentity();
  drawAllHudLayers();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (settings::ShowFPS) drawFrameRate(framesPerSecond);
  if (currentText) currentText->draw();
  end2D();
  if (settings::ShowClock) drawClock();

  glEnable(GL_BLEND);
  ++framesThisSecond;
  glFlush();
}
