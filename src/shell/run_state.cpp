// Storage of the saver run's global state.
#include "shell/run_state.h"

World* currentWorld = nullptr;
std::uint8_t keyState[256] = {};
float mouseDeltaX = 0.0f, mouseDeltaY = 0.0f;
float mouseTravel = 0.0f;
std::int32_t framesThisSecond = 0;
std::int32_t framesPerSecond = 0;
std::int32_t loadProgress = 0;
std::uint8_t particlesEnabled = 0;
std::uint8_t visitedDestinations[10] = {};
ObjectList firstPassObjects, worldObjects, postPassObjects;

platform::WindowHandle mainWindow = 0;
platform::WindowHandle drawingContext = 0;
std::uintptr_t glContext = 0;
