// The frame timer on the platform's performance counter.
#include "shell/frame_timer.h"

#include "platform/platform.h"

std::int64_t FrameTimer::frequency = 0;
double FrameTimer::tickPeriod = 0.0;

FrameTimer frameTimer;
FrameTimer fpsTimer;

void FrameTimer::initFrequency() {
  frequency = platform::performanceFrequency();
  tickPeriod = frequency > 0 ? 1.0 / static_cast<double>(frequency) : 0.0;
}

void FrameTimer::mark() { start = platform::performanceCounter(); }

double FrameTimer::elapsed() {
  const std::int64_t now = platform::performanceCounter();
  elapsedSeconds = (static_cast<double>(now) - static_cast<double>(start)) * tickPeriod;
  return elapsedSeconds;
}
