// The scripted-input schedule.
#include "platform/headless/headless_input.h"

#include <algorithm>

namespace platform {

void MessageSchedule::add(const ScheduledMessage& message) {
  auto after = std::upper_bound(pending_.begin(), pending_.end(), message.atSwap,
                                [](std::uint64_t at, const ScheduledMessage& m) { return at < m.atSwap; });
  pending_.insert(after, message);
}

std::vector<ScheduledMessage> MessageSchedule::takeDue(std::uint64_t swapCount) {
  std::vector<ScheduledMessage> due;
  while (!pending_.empty() && pending_.front().atSwap <= swapCount) {
    due.push_back(pending_.front());
    pending_.pop_front();
  }
  return due;
}

std::vector<ScheduledMessage> MessageSchedule::takeEarliest() {
  return pending_.empty() ? std::vector<ScheduledMessage>{} : takeDue(pending_.front().atSwap);
}

}  // namespace platform
