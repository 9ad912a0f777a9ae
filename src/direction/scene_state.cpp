// The scene director state: fog and transition windows.
#include "direction/scene_state.h"

std::uint8_t fogEnabled = 0;
TimeWindow fadeOutWindow, fadeBackWindow, wipeOutWindow, wipeBackWindow;
