// XRandR through the X11 backend on Xvfb: the monitor table, current and
// listed modes, switching a mode and getting it back, the gamma ramp, and
// the original display state coming back at exit and after SIGTERM / SIGINT
// even when the run never returns to its event loop.
#include "x11_test_support.h"

#include <X11/extensions/Xrandr.h>

#include <csignal>
#include <cstring>

#include "platform/x11/x11_randr_state.h"

namespace vt_test {
namespace {

// Adds a mode to Xvfb's one output unless it has it already; Xvfb starts
// with its screen size only.
void addOutputMode(Display* display, unsigned width, unsigned height, unsigned long dotClock, unsigned hTotal,
                   unsigned vTotal) {
  Window root = DefaultRootWindow(display);
  XRRScreenResources* resources = XRRGetScreenResources(display, root);
  ASSERT_NE(resources, nullptr);
  ASSERT_GE(resources->noutput, 1);
  std::string name = std::to_string(width) + "x" + std::to_string(height) + "_test";
  RRMode mode = 0;
  for (int i = 0; i < resources->nmode; ++i)
    if (name == resources->modes[i].name) mode = resources->modes[i].id;
  if (!mode) {
    XRRModeInfo info;
    std::memset(&info, 0, sizeof info);
    info.width = width;
    info.height = height;
    info.dotClock = dotClock;
    info.hTotal = hTotal;
    info.vTotal = vTotal;
    info.name = name.data();
    info.nameLength = static_cast<unsigned>(name.size());
    mode = XRRCreateMode(display, root, &info);
    XRRAddOutputMode(display, resources->outputs[0], mode);
  }
  XRRFreeScreenResources(resources);
  XSync(display, False);
}

struct CrtcState {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<unsigned short> red;
};

CrtcState firstCrtc(Display* display) {
  CrtcState state;
  XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
  if (!resources || resources->ncrtc < 1) return state;
  XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[0]);
  state.width = info->width;
  state.height = info->height;
  XRRFreeCrtcInfo(info);
  XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, resources->crtcs[0]);
  state.red.assign(gamma->red, gamma->red + gamma->size);
  XRRFreeGamma(gamma);
  XRRFreeScreenResources(resources);
  return state;
}

void fillRamp(platform::GammaRamp& ramp) {
  for (int i = 0; i < 256; ++i) {
    ramp[0][i] = static_cast<std::uint16_t>(i * 256);
    ramp[1][i] = static_cast<std::uint16_t>(i * 128);
    ramp[2][i] = static_cast<std::uint16_t>(65535 - i * 256);
  }
}

class X11DisplayTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    addOutputMode(peer, 800, 600, 40000000, 1056, 628);  // 60.3 Hz
    addOutputMode(peer, 640, 480, 25175000, 800, 525);   // 59.9 Hz
    original = firstCrtc(peer);
  }
  CrtcState original;
};

TEST_F(X11DisplayTest, OneAttachedPrimaryMonitorCoversTheScreen) {
  std::vector<platform::DisplayAdapter> adapters = platform::displayAdapters();
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_TRUE(adapters[0].attachedToDesktop);
  EXPECT_TRUE(adapters[0].primary);
  EXPECT_FALSE(adapters[0].mirroring);
  EXPECT_NE(adapters[0].monitorHandle, 0u);
  EXPECT_EQ(adapters[0].rect.left, 0);
  EXPECT_EQ(adapters[0].rect.top, 0);
  EXPECT_EQ(adapters[0].rect.right, 1024);
  EXPECT_EQ(adapters[0].rect.bottom, 768);

  platform::DisplayMode current;
  ASSERT_TRUE(platform::currentDisplayMode(current));
  EXPECT_EQ(current.width, 1024);
  EXPECT_EQ(current.height, 768);
  EXPECT_EQ(current.bitsPerPixel, 32);  // 24-bit colour in 32-bit pixels, as Windows says
}

TEST_F(X11DisplayTest, ListedModesAreTheOutputsModesWithRefreshRates) {
  std::vector<platform::DisplayMode> modes;
  platform::DisplayMode mode;
  for (int i = 0; platform::listedDisplayMode(i, mode); ++i) modes.push_back(mode);
  ASSERT_EQ(modes.size(), 3u);
  EXPECT_EQ(modes[0].width, 1024);
  EXPECT_EQ(modes[1].width, 800);
  EXPECT_EQ(modes[1].height, 600);
  EXPECT_EQ(modes[1].refreshHz, 60);
  EXPECT_EQ(modes[1].bitsPerPixel, 32);
  EXPECT_EQ(modes[2].width, 640);
  EXPECT_EQ(modes[2].refreshHz, 60);
  EXPECT_FALSE(platform::listedDisplayMode(-1, mode));
}

TEST_F(X11DisplayTest, ModeSwitchTakesAndComesBack) {
  platform::DisplayMode small{800, 600, 32, 0};
  ASSERT_TRUE(platform::changeDisplayMode(&small));
  EXPECT_EQ(firstCrtc(peer).width, 800u);
  EXPECT_EQ(platform::displayAdapters().at(0).rect.right, 800);
  platform::DisplayMode current;
  ASSERT_TRUE(platform::currentDisplayMode(current));
  EXPECT_EQ(current.width, 800);
  EXPECT_EQ(current.refreshHz, 60);

  EXPECT_TRUE(platform::changeDisplayMode(nullptr));
  EXPECT_EQ(firstCrtc(peer).width, 1024u);
  EXPECT_EQ(firstCrtc(peer).height, 768u);
}

TEST_F(X11DisplayTest, RefusedModesReturnFalseAndChangeNothing) {
  platform::DisplayMode unknown{1234, 567, 32, 0};
  EXPECT_FALSE(platform::changeDisplayMode(&unknown));
  platform::DisplayMode wrongRate{800, 600, 32, 75};
  EXPECT_FALSE(platform::changeDisplayMode(&wrongRate));
  EXPECT_EQ(firstCrtc(peer).width, 1024u);
  // Nothing was switched, so there is nothing to restore and that succeeds.
  EXPECT_TRUE(platform::changeDisplayMode(nullptr));
  EXPECT_EQ(firstCrtc(peer).width, 1024u);
}

TEST_F(X11DisplayTest, GammaRampReachesTheCrtcAndTheOriginalReturnsWhenTheBackendStops) {
  platform::GammaRamp ramp;
  fillRamp(ramp);
  ASSERT_TRUE(platform::setGammaRamp(0, ramp));
  CrtcState changed = firstCrtc(peer);
  ASSERT_EQ(changed.red.size(), 256u);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(changed.red[static_cast<std::size_t>(i)], ramp[0][i]) << i;

  platform::DisplayMode small{800, 600, 32, 0};
  ASSERT_TRUE(platform::changeDisplayMode(&small));
  platform::stop();
  CrtcState after = firstCrtc(peer);
  EXPECT_EQ(after.width, 1024u);
  EXPECT_EQ(after.red, original.red);
}

TEST(X11GammaResampling, StretchesTheRampToTheCrtcsSize) {
  platform::GammaRamp ramp;
  fillRamp(ramp);
  for (int size : {2, 16, 1024}) {
    SCOPED_TRACE(size);
    platform::x11::GammaTables tables = platform::x11::resampleRamp(ramp, 7, size);
    ASSERT_EQ(tables.red.size(), static_cast<std::size_t>(size));
    ASSERT_EQ(tables.blue.size(), static_cast<std::size_t>(size));
    EXPECT_EQ(tables.crtc, 7u);
    EXPECT_EQ(tables.red.front(), ramp[0][0]);
    EXPECT_EQ(tables.red.back(), ramp[0][255]);
    EXPECT_EQ(tables.blue.back(), ramp[2][255]);
    for (std::size_t j = 1; j < tables.red.size(); ++j) EXPECT_GE(tables.red[j], tables.red[j - 1]);
  }
  // Halfway between entries 127 and 128 of a ramp of step 256.
  platform::x11::GammaTables fine = platform::x11::resampleRamp(ramp, 0, 511);
  EXPECT_EQ(fine.red[255], 127 * 256 + 128);
}

// ---- What happens when the process is ended -----------------------------------

// In a child process: switch the mode and the gamma ramp, then end as the
// scenario says. The parent checks what the server shows afterwards.
void switchDisplayThen(const std::function<void()>& ending) {
  platform::StartOptions options;
  options.kind = platform::BackendKind::X11;
  if (!platform::start(options)) _exit(3);
  platform::DisplayMode small{800, 600, 32, 0};
  platform::GammaRamp ramp;
  fillRamp(ramp);
  if (!platform::changeDisplayMode(&small) || !platform::setGammaRamp(0, ramp)) _exit(4);
  ending();
}

// A run whose frame never comes back to the event loop.
[[noreturn]] void hang() {
  for (;;) pause();
}

class X11ExitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "fast");
    peer = XOpenDisplay(nullptr);
    ASSERT_NE(peer, nullptr);
    addOutputMode(peer, 800, 600, 40000000, 1056, 628);
    original = firstCrtc(peer);
    ASSERT_EQ(original.width, 1024u);
  }
  void TearDown() override {
    if (peer) XCloseDisplay(peer);
  }
  void expectOriginalState() {
    CrtcState after = firstCrtc(peer);
    EXPECT_EQ(after.width, 1024u);
    EXPECT_EQ(after.height, 768u);
    EXPECT_EQ(after.red, original.red);
  }
  Display* peer = nullptr;
  CrtcState original;
};

TEST_F(X11ExitTest, ExitWithTheDisplaySwitchedRestoresIt) {
  EXPECT_EXIT(switchDisplayThen([] { std::exit(0); }), ::testing::ExitedWithCode(0), "");
  expectOriginalState();
}

TEST_F(X11ExitTest, SigtermDuringAHungFrameRestoresAndEndsTheProcess) {
  EXPECT_EXIT(switchDisplayThen([] {
                std::raise(SIGTERM);
                hang();
              }),
              ::testing::KilledBySignal(SIGTERM), "");
  expectOriginalState();
}

TEST_F(X11ExitTest, SecondSigintEndsTheProcessAtOnceAndRestores) {
  EXPECT_EXIT(switchDisplayThen([] {
                std::raise(SIGINT);
                std::raise(SIGINT);
                hang();
              }),
              ::testing::KilledBySignal(SIGINT), "");
  expectOriginalState();
}

}  // namespace
}  // namespace vt_test
