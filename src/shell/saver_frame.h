// One step of the frame loop: input checks, the frame time, the camera and
// the scene chain, every object's update, and the frame's drawing.
#pragma once

struct SaverRunOptions;

// Runs one frame step and swaps; false when the run is to end after it.
bool frameStep(const SaverRunOptions& options);

// Draws one frame into the back buffer (the caller swaps).
void drawFrame();

// Puts the cursor back on the centre of the main window.
void centreCursor();
