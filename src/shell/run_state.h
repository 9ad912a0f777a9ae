// The run state that the saver run owns and other subsystems read: the scene
// clock, the world on show, input and frame counters. All start as zero.
#pragma once

#include <cstdint>

#include "direction/scene_clock.h"
#include "platform/platform.h"
#include "world/world_object.h"

class World;

extern World* currentWorld;            // the world whose objects are drawn
extern std::uint8_t keyState[256];     // by virtual-key code; entry 0 = stop
extern float mouseDeltaX, mouseDeltaY;  // last offset from the centre × 0.3
extern float mouseTravel;              // net consumed travel this second
extern std::int32_t framesThisSecond;
extern std::int32_t framesPerSecond;
extern std::int32_t loadProgress;      // loading-progress messages received
extern std::uint8_t particlesEnabled;
extern std::uint8_t visitedDestinations[10];

// The frame's active draw lists, refilled from currentWorld by every frame
// (pointers only): its environment's first pass, its own objects, and its
// environment's post pass. dynamicObjects (world.h) is drawn in every world.
extern ObjectList firstPassObjects, worldObjects, postPassObjects;

// The main saver window, its drawing context (the window itself on our
// platforms) and the OpenGL context made when it was created.
extern platform::WindowHandle mainWindow;
extern platform::WindowHandle drawingContext;
extern std::uintptr_t glContext;
