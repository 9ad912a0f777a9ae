// The full-screen transitions between scenes, drawn over the 3D picture from
// the director's four windows: "fout" fades to black, "fback" comes back
// from black, "wout" and "wback" turn the picture into white noise and back.
#pragma once

class Camera;
struct TimeWindow;

void drawTransitions(const Camera& camera);

// How far t is through the window: (t - start) / (end - start) while
// start <= t <= end. False outside it, and for a window whose ends are
// equal: that one instant has no fraction and draws nothing.
bool windowFraction(const TimeWindow& window, double t, float& fraction);
