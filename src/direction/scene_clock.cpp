// Storage of the scene clock.
#include "direction/scene_clock.h"

float sceneClock = 0.0f;
