// Scripted input: messages a test or a render wants delivered at a given
// swap count, in the order they were scheduled among equal counts.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct ScheduledMessage {
  std::uint64_t atSwap = 0;
  WindowHandle window = 0;  // 0: the focused window when it is delivered
  std::uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class MessageSchedule {
 public:
  void add(const ScheduledMessage& message);
  bool empty() const { return pending_.empty(); }
  // Removes and returns every message due at or before the swap count.
  std::vector<ScheduledMessage> takeDue(std::uint64_t swapCount);
  // Removes and returns the messages of the earliest pending swap count.
  std::vector<ScheduledMessage> takeEarliest();

 private:
  std::deque<ScheduledMessage> pending_;  // sorted by atSwap, stable
};

}  // namespace platform
