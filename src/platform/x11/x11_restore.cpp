// The remembered original display state, the exit hook, and the SIGTERM /
// SIGINT handling with its watchdog thread (see x11_restore.h).
#include "platform/x11/x11_restore.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace platform::x11 {
namespace {

// ---- The remembered state --------------------------------------------------

struct Remembered {
  std::map<RRCrtc, CrtcConfig> crtcs;
  std::optional<ScreenSize> screenSize;
  std::map<RRCrtc, GammaTables> gamma;
};

// Held while a state is remembered or applied, so that the watchdog and the
// main thread never restore at the same time.
std::mutex stateMutex;
Remembered remembered;

bool restoreModeLocked(Display* display) {
  bool ok = true;
  for (const auto& entry : remembered.crtcs) ok = applyCrtcConfig(display, entry.second) && ok;
  remembered.crtcs.clear();
  // The screen only shrinks back once every CRTC fits again.
  if (remembered.screenSize) ok = applyScreenSize(display, *remembered.screenSize) && ok;
  remembered.screenSize.reset();
  return ok;
}

bool restoreGammaLocked(Display* display) {
  bool ok = true;
  for (const auto& entry : remembered.gamma) ok = applyGamma(display, entry.second) && ok;
  remembered.gamma.clear();
  return ok;
}

// ---- Guards ----------------------------------------------------------------

constexpr int kGraceMilliseconds = 1000;

// The signal handler touches only these, so they must not hide a lock.
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free);
std::atomic<int> signalCount{0};
std::atomic<int> lastSignal{0};
int handledSignals = 0;  // the event pump's count; main thread only

// The backend currently armed: a generation number (0: none), taken by the
// signal handler, so that the watchdog can tell whether the backend that was
// up at the signal still is.
std::atomic<unsigned> liveGeneration{0};
std::atomic<unsigned> signalGeneration{0};
unsigned nextGeneration = 1;

std::mutex guardMutex;           // guards the two below
Display* mainDisplay = nullptr;  // the armed backend's connection, for the exit hook
std::string displayName;         // for the watchdog's own connection

// Pipes and watchdog belong to one process; a forked child makes its own.
pid_t guardsPid = 0;
int pumpPipe[2] = {-1, -1};
int watchdogPipe[2] = {-1, -1};
bool exitHookRegistered = false;

struct sigaction previousTerm {};
struct sigaction previousInt {};
bool handlersInstalled = false;

void writeByte(int fd) {
  if (fd < 0) return;
  char byte = 1;
  ssize_t ignored = write(fd, &byte, 1);
  (void)ignored;  // a full pipe already wakes its reader
}

void drain(int fd) {
  char buffer[64];
  while (read(fd, buffer, sizeof buffer) > 0) {
  }
}

void onSignal(int signalNumber) {
  int savedErrno = errno;
  lastSignal.store(signalNumber);
  signalGeneration.store(liveGeneration.load());
  int count = signalCount.fetch_add(1) + 1;
  writeByte(pumpPipe[1]);
  writeByte(watchdogPipe[1]);
  if (count >= 2) {
    // Should the watchdog itself hang, the next signal ends the process.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signalNumber, &fallback, nullptr);
  }
  errno = savedErrno;
}

bool waitReadable(int fd, int timeoutMilliseconds) {
  pollfd entry{fd, POLLIN, 0};
  for (;;) {
    int ready = poll(&entry, 1, timeoutMilliseconds);
    if (ready >= 0) return ready > 0;
    if (errno != EINTR) return false;
  }
}

void restoreOnOwnConnection() {
  std::string name;
  {
    std::lock_guard<std::mutex> lock(guardMutex);
    name = displayName;
  }
  if (originalDisplayState().empty()) return;
  Display* own = XOpenDisplay(name.c_str());
  if (!own) return;
  originalDisplayState().restoreAll(own);
  XCloseDisplay(own);
}

[[noreturn]] void endWithSignal(int signalNumber) {
  if (signalNumber == 0) signalNumber = SIGTERM;
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signalNumber, &fallback, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signalNumber);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  kill(getpid(), signalNumber);
  _exit(128 + signalNumber);
}

void* watchdog(void* argument) {
  int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(argument));
  for (;;) {
    if (!waitReadable(fd, -1)) continue;
    drain(fd);
    unsigned generation = signalGeneration.load();
    if (generation != 0 && signalCount.load() < 2) {
      // One second for the saver to end through its own shutdown; a second
      // signal cuts it short.
      bool again = waitReadable(fd, kGraceMilliseconds);
      if (!again && liveGeneration.load() != generation) continue;  // it ended in time
    }
    restoreOnOwnConnection();
    endWithSignal(lastSignal.load());
  }
  return nullptr;
}

bool makePipe(int (&ends)[2]) { return pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0; }

void closePipe(int (&ends)[2]) {
  for (int& fd : ends) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

// Pipes and the watchdog thread, once per process (again in a forked child,
// which inherits the parent's pipes but not its thread).
void startWatchdog() {
  if (guardsPid == getpid()) return;
  closePipe(pumpPipe);
  closePipe(watchdogPipe);
  guardsPid = getpid();
  if (!makePipe(pumpPipe) || !makePipe(watchdogPipe)) {
    closePipe(pumpPipe);
    closePipe(watchdogPipe);
    return;
  }
  pthread_t thread;
  void* argument = reinterpret_cast<void*>(static_cast<std::intptr_t>(watchdogPipe[0]));
  if (pthread_create(&thread, nullptr, watchdog, argument) == 0) pthread_detach(thread);
}

void restoreAtExit() {
  Display* display = nullptr;
  {
    std::lock_guard<std::mutex> lock(guardMutex);
    display = mainDisplay;
  }
  if (display)
    originalDisplayState().restoreAll(display);
  else
    restoreOnOwnConnection();
}

void installHandlers() {
  if (handlersInstalled) return;
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, &previousTerm);
  sigaction(SIGINT, &action, &previousInt);
  handlersInstalled = true;
}

void removeHandlers() {
  if (!handlersInstalled) return;
  sigaction(SIGTERM, &previousTerm, nullptr);
  sigaction(SIGINT, &previousInt, nullptr);
  handlersInstalled = false;
}

}  // namespace

// ---- OriginalDisplayState -------------------------------------------------

void OriginalDisplayState::rememberCrtc(const CrtcConfig& config) {
  std::lock_guard<std::mutex> lock(stateMutex);
  remembered.crtcs.emplace(config.crtc, config);
}

void OriginalDisplayState::rememberScreenSize(const ScreenSize& size) {
  std::lock_guard<std::mutex> lock(stateMutex);
  if (!remembered.screenSize) remembered.screenSize = size;
}

void OriginalDisplayState::rememberGamma(const GammaTables& tables) {
  std::lock_guard<std::mutex> lock(stateMutex);
  remembered.gamma.emplace(tables.crtc, tables);
}

bool OriginalDisplayState::knowsGamma(RRCrtc crtc) {
  std::lock_guard<std::mutex> lock(stateMutex);
  return remembered.gamma.count(crtc) != 0;
}

bool OriginalDisplayState::restoreMode(Display* display) {
  std::lock_guard<std::mutex> lock(stateMutex);
  return restoreModeLocked(display);
}

bool OriginalDisplayState::restoreAll(Display* display) {
  std::lock_guard<std::mutex> lock(stateMutex);
  bool modeOk = restoreModeLocked(display);
  bool gammaOk = restoreGammaLocked(display);
  return modeOk && gammaOk;
}

bool OriginalDisplayState::empty() {
  std::lock_guard<std::mutex> lock(stateMutex);
  return remembered.crtcs.empty() && !remembered.screenSize && remembered.gamma.empty();
}

OriginalDisplayState& originalDisplayState() {
  static OriginalDisplayState state;
  return state;
}

// ---- Guards ----------------------------------------------------------------

void armExitGuards(Display* display) {
  {
    std::lock_guard<std::mutex> lock(guardMutex);
    mainDisplay = display;
    displayName = DisplayString(display);
  }
  startWatchdog();
  if (!exitHookRegistered) exitHookRegistered = std::atexit(restoreAtExit) == 0;
  signalCount.store(0);
  handledSignals = 0;
  if (pumpPipe[0] >= 0) drain(pumpPipe[0]);
  liveGeneration.store(nextGeneration++);
  installHandlers();
}

void disarmExitGuards() {
  removeHandlers();
  liveGeneration.store(0);
  std::lock_guard<std::mutex> lock(guardMutex);
  mainDisplay = nullptr;
}

int terminationWakeFd() { return pumpPipe[0]; }

bool takeTerminationRequest() {
  if (pumpPipe[0] >= 0) drain(pumpPipe[0]);
  int seen = signalCount.load();
  if (seen == handledSignals) return false;
  handledSignals = seen;
  return true;
}

bool terminationPending() { return signalCount.load() != handledSignals; }

}  // namespace platform::x11
