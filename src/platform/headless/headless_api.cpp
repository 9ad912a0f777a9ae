// The calls of headless.h, each forwarded to the active headless backend.
#include "platform/headless/headless.h"

#include "platform/headless/headless_backend.h"

namespace platform::headless {
namespace {

HeadlessBackend* active() { return dynamic_cast<HeadlessBackend*>(backend()); }

const HeadlessRecords& records() {
  static const HeadlessRecords none;
  HeadlessBackend* b = active();
  return b ? b->records() : none;
}

}  // namespace

void scheduleMessage(std::uint64_t atSwap, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  scheduleMessageTo(atSwap, 0, message, wParam, lParam);
}

void scheduleMessageTo(std::uint64_t atSwap, WindowHandle window, std::uint32_t message, WPARAM wParam,
                       LPARAM lParam) {
  if (HeadlessBackend* b = active()) b->schedule(ScheduledMessage{atSwap, window, message, wParam, lParam});
}

std::uint64_t swapCount() {
  HeadlessBackend* b = active();
  return b ? b->swapCount() : 0;
}

bool recordFrames(const std::string& directory, std::uint64_t maxFrames) {
  HeadlessBackend* b = active();
  return b && b->recordFrames(directory, maxFrames);
}

void quitAfterSwaps(std::uint64_t n) {
  if (HeadlessBackend* b = active()) b->quitAfterSwaps(n);
}

std::uint64_t framesWritten() {
  HeadlessBackend* b = active();
  return b ? b->frames().framesWritten() : 0;
}

bool frameOutputFailed() {
  HeadlessBackend* b = active();
  return b && b->frames().failed();
}

bool captureFrame(int width, int height, std::vector<std::uint8_t>& rgbaTopDown) {
  HeadlessBackend* b = active();
  return b && b->drawable().capture(width, height, rgbaTopDown);
}

const std::vector<std::pair<std::string, std::string>>& recordedMessageBoxes() { return records().messageBoxes; }

Point cursorPosition() { return records().cursor; }
bool cursorVisible() { return records().cursorDisplayCount >= 0; }

WindowHandle focusedWindow() { return records().focused; }

bool windowVisible(WindowHandle window) {
  HeadlessBackend* b = active();
  return b && b->windowVisible(window);
}

const std::vector<PaintedPicture>& recordedPictures() { return records().pictures; }

const std::vector<ModeChange>& recordedModeChanges() { return records().modeChanges; }

const GammaRamp* lastGammaRamp() {
  const HeadlessRecords& r = records();
  return r.gammaRampCount > 0 ? &r.gammaRamp : nullptr;
}

int gammaRampCount() { return records().gammaRampCount; }

int swapInterval() { return records().swapInterval; }

}  // namespace platform::headless
