// The scene clock: seconds of the current scene as a 32-bit float. The saver
// run advances it every frame; the camera sets it back to 0 when its track
// ends. The camera, HUD layers, spheres and texts read it.
#pragma once

extern float sceneClock;
