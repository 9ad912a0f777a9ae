// Golden frames of the overlays, drawn from generated pictures: the loading
// screen as it fills, a fade and a noise transition over a test picture, the
// clock on both dials, and an information panel while it unfolds.
#include <GL/gl.h>

#include <string>

#include "overlay/clock.h"
#include "overlay/loading_screen.h"
#include "overlay/transitions.h"
#include "overlay_test_support.h"
#include "platform/golden_frames.h"

namespace overlay_test {
namespace {

using golden_test::expectGoldenFrame;

class OverlayGoldenTest : public OverlayTest {
 protected:
  OverlayGoldenTest() : OverlayTest(320, 240) {}

  void SetUp() override {
    OverlayTest::SetUp();
    loadOverlayData(10);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Something to fade: colour bars over a grey ramp, drawn in the canvas.
  static void drawTestPicture() {
    begin2D();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const float bars[6][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0}, {1, 0, 1}, {0, 0, 1}};
    glBegin(GL_QUADS);
    for (int i = 0; i < 6; ++i) {
      glColor3fv(bars[i]);
      const float left = 800.0f / 6 * i, right = 800.0f / 6 * (i + 1);
      glVertex2f(left, 200), glVertex2f(right, 200), glVertex2f(right, 600), glVertex2f(left, 600);
    }
    glColor3f(0, 0, 0);
    glVertex2f(0, 0), glColor3f(1, 1, 1), glVertex2f(800, 0), glVertex2f(800, 200), glColor3f(0, 0, 0),
        glVertex2f(0, 200);
    glEnd();
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    end2D();
  }
};

TEST_F(OverlayGoldenTest, LoadingScreenFills) {
  for (int progress : {0, 50, 300}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawLoadingScreen(progress);
    expectGoldenFrame("overlay_loading_" + std::to_string(progress), width_, height_);
  }
}

TEST_F(OverlayGoldenTest, FadeOutAtHalf) {
  drawTestPicture();
  fadeOutWindow = TimeWindow{4.0f, 6.0f};
  camera.trackTime = 5.0;
  drawTransitions(camera);
  expectGoldenFrame("overlay_fade_half", width_, height_);
}

TEST_F(OverlayGoldenTest, NoiseComingIn) {
  drawTestPicture();
  wipeOutWindow = TimeWindow{0.0f, 2.0f};
  camera.trackTime = 1.5;  // the noise shows three quarters of its picture
  drawTransitions(camera);
  expectGoldenFrame("overlay_noise", width_, height_);
}

TEST_F(OverlayGoldenTest, ClockOnBothDials) {
  for (const bool twelveHour : {false, true}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    settings::TimeFormat = twelveHour;
    drawClockTime(21, 7, 45);
    expectGoldenFrame(twelveHour ? "overlay_clock_12" : "overlay_clock_24", width_, height_);
  }
}

// Large enough for the text to be read: the font follows the display width.
class PanelGoldenTest : public OverlayTest {
 protected:
  PanelGoldenTest() : OverlayTest(640, 480) {}
};

TEST_F(PanelGoldenTest, InformationPanelUnfolds) {
  loadOverlayData(4);
  TextBook book;
  std::snprintf(book.name, sizeof book.name, "earth");
  book.lines = {"EARTH", "", "Diameter: 12,742 km", "Day: 23 h 56 min", "Year: 365.26 days", "Moons: 1"};
  book.appearing = true;
  book.showTime = 15.0f;
  // The height still growing, then the text fading in out of its echo.
  for (const auto& [t, name] : {std::pair{14.25f, "overlay_panel_growing"}, std::pair{14.8f, "overlay_panel_text"}}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sceneClock = t;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    begin2D();
    glLoadIdentity();
    book.draw();
    end2D();
    expectGoldenFrame(name, width_, height_);
  }
}

}  // namespace
}  // namespace overlay_test
