// The preview window on the headless backend: its picture painted at the
// top-left corner of a child of the given window, the end of its loop, the
// message box without a parent window, and reading the saver's pictures.
#include "shell/preview.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/headless/headless.h"
#include "platform/headless/png_image.h"
#include "shell/preview_picture.h"
#include "shell/saver_app.h"

namespace {

namespace fs = std::filesystem;
using platform::headless::recordedPictures;

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_TRUE(platform::start({platform::BackendKind::Headless, 320, 240, 10.0}));
  }
  void TearDown() override { platform::stop(); }
};

TEST_F(PreviewTest, PaintsThePictureAtTheTopLeftOfAChildOfTheGivenWindowUntilItIsDestroyed) {
  RgbPicture expected;
  ASSERT_TRUE(loadRgbPicture(findSaverPicture(kPreviewPictureFile), expected)) << "the built preview picture";
  ASSERT_EQ(expected.width, kPreviewPictureWidth);
  ASSERT_EQ(expected.height, kPreviewPictureHeight);

  // The preview is the first window of this start; it is painted, then its
  // parent goes away (the child's WM_DESTROY); a later paint must not come.
  const platform::WindowHandle preview = platform::kFirstWindowHandle;
  platform::headless::scheduleMessageTo(0, preview, platform::WM_PAINT, 0, 0);
  platform::headless::scheduleMessageTo(0, preview, platform::WM_DESTROY, 0, 0);
  platform::headless::scheduleMessageTo(1, preview, platform::WM_PAINT, 0, 0);

  SaverApp app;
  app.runMode = app.parseCommandLine("vantorel /p 4242");
  ASSERT_EQ(app.windowNumber, 4242);
  EXPECT_EQ(runPreview(app), 1);

  ASSERT_EQ(recordedPictures().size(), 1u);
  const auto& painted = recordedPictures()[0];
  EXPECT_EQ(painted.window, preview);
  EXPECT_EQ(painted.x, 0);
  EXPECT_EQ(painted.y, 0);
  EXPECT_EQ(painted.width, kPreviewPictureWidth);
  EXPECT_EQ(painted.height, kPreviewPictureHeight);
  EXPECT_EQ(painted.rgb, expected.rgb);

  // A child that fills the parent: here the whole virtual monitor.
  ASSERT_TRUE(platform::isWindow(preview));
  EXPECT_EQ(platform::clientRect(preview).width(), 320);
  EXPECT_EQ(platform::clientRect(preview).height(), 240);
  EXPECT_TRUE(platform::headless::windowVisible(preview));
  EXPECT_TRUE(platform::headless::recordedMessageBoxes().empty());
}

TEST_F(PreviewTest, WithoutAWindowNumberTheWindowCannotBeMade) {
  SaverApp app;
  app.runMode = app.parseCommandLine("vantorel /p");
  ASSERT_EQ(app.windowNumber, 0);
  EXPECT_EQ(runPreview(app), 0);
  const auto& boxes = platform::headless::recordedMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "Cannot creat window!");
  EXPECT_EQ(boxes[0].second, "ERROR");
  EXPECT_TRUE(recordedPictures().empty());
}

TEST(SaverPicture, ReadsRgbAndLeavesThePictureAloneWhenTheFileIsBad) {
  char pattern[] = "/tmp/vt-picture-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path directory = pattern;

  const std::vector<std::uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 255,
                                          1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_TRUE(image::writePng((directory / "good.png").string(), 3, 2, rgba));
  RgbPicture picture;
  ASSERT_TRUE(loadRgbPicture((directory / "good.png").string(), picture));
  EXPECT_EQ(picture.width, 3);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(picture.rgb, (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 1, 2, 3, 5, 6, 7}));

  const char cutShort[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
  std::ofstream(directory / "cut.png", std::ios::binary).write(cutShort, sizeof cutShort - 1);
  for (const char* name : {"cut.png", "missing.png"}) {
    EXPECT_FALSE(loadRgbPicture((directory / name).string(), picture)) << name;
    EXPECT_EQ(picture.width, 3) << name;
    EXPECT_EQ(picture.rgb.size(), 18u) << name;
  }
  fs::remove_all(directory);
}

}  // namespace
