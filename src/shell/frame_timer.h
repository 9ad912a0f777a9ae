// A stopwatch on the high-resolution performance counter.
#pragma once

#include <cstdint>

class FrameTimer {
 public:
  virtual ~FrameTimer() = default;

  // Reads the counter frequency; call once before any timer is used.
  static void initFrequency();
  // Stores the current counter value as the start.
  void mark();
  // Seconds since the last mark; stored in `elapsedSeconds` and returned.
  double elapsed();

  std::int64_t start = 0;
  double elapsedSeconds = 0.0;

 private:
  static std::int64_t frequency;
  static double tickPeriod;
};

extern FrameTimer frameTimer;  // time between frames
extern FrameTimer fpsTimer;    // the one-second frame-rate window
