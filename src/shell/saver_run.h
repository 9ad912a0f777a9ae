// The full-screen saver run: startup in a fixed order while the loading
// screen fills, the message and frame loop, and the shutdown.
//
// The loop never sleeps: it takes at most one message per iteration and
// draws a frame whenever the queue is empty; all motion is scaled by the
// frame time measured on the performance counter.
#pragma once

#include <cstdint>
#include <string>

class SaverApp;

// How this run meets its host. A hosted run draws into a window that another
// program owns (xscreensaver): no display-mode switch, no cursor tricks, and
// input does not end it; it ends when its window is closed or on SIGTERM.
struct SaverRunOptions {
  bool hosted = false;
  std::uint64_t hostWindow = 0;
  // The first scene's script instead of the intro, when not empty.
  std::string startScene;
  // Ends the run after this many frames of the frame loop (0: no limit), as
  // the offline renderer does.
  std::uint64_t frameLimit = 0;
};

// Figures of one run, for the offline renderer's summary line.
struct SaverRunStats {
  double loadSeconds = 0.0;       // from the start of the run to the first frame
  std::uint64_t loopFrames = 0;   // frames drawn by the frame loop
  double loopSeconds = 0.0;       // wall-clock time spent in the frame loop
};

int runSaver(SaverApp& app, const SaverRunOptions& options = {}, SaverRunStats* stats = nullptr);
