// What the scene director sets for the scene that plays: fog, the four
// transition windows. Spheres and mesh objects honour the fog flag; the
// transitions are drawn over the picture.
#pragma once

#include <cstdint>

extern std::uint8_t fogEnabled;

// A window of scene time (start, end) in seconds; (-1, -1) is inactive.
struct TimeWindow {
  float start = -1.0f;
  float end = -1.0f;
};

// "fout": fade to black; "fback": fade in from black; "wout" and "wback".
extern TimeWindow fadeOutWindow, fadeBackWindow, wipeOutWindow, wipeBackWindow;
