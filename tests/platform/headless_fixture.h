// A fresh headless platform for every test, started with no X server in
// sight, plus a window class whose procedure records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace headless_test {

constexpr int kMonitorWidth = 320;
constexpr int kMonitorHeight = 240;
constexpr double kFramesPerSecond = 10.0;
const char* const kOwnDcClass = "TestOwnDC";
const char* const kPlainClass = "TestPlain";

// Every message the test classes' procedure received, in order.
inline std::vector<platform::Message>& received() {
  static std::vector<platform::Message> messages;
  return messages;
}

inline platform::LRESULT recordingProcedure(platform::WindowHandle window, std::uint32_t message,
                                            platform::WPARAM wParam, platform::LPARAM lParam) {
  received().push_back(platform::Message{window, message, wParam, lParam});
  return 0;
}

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    received().clear();
    ASSERT_TRUE(platform::start({platform::BackendKind::Headless, kMonitorWidth, kMonitorHeight, kFramesPerSecond}));
    ASSERT_TRUE(platform::registerClass({kOwnDcClass, recordingProcedure, true}));
    ASSERT_TRUE(platform::registerClass({kPlainClass, recordingProcedure, false}));
  }

  void TearDown() override {
    if (context_) platform::deleteGlContext(context_);
    platform::stop();
    platform::unregisterClass(kOwnDcClass);
    platform::unregisterClass(kPlainClass);
    if (!outputDirectory_.empty()) std::filesystem::remove_all(outputDirectory_);
  }

  static platform::WindowHandle makeWindow(const char* className, int x, int y, int width, int height,
                                           platform::WindowHandle parent = 0) {
    platform::WindowSpec spec;
    spec.className = className;
    spec.title = "test";
    spec.x = x;
    spec.y = y;
    spec.width = width;
    spec.height = height;
    spec.child = parent != 0;
    spec.parent = parent;
    return platform::createWindow(spec);
  }

  // A window with a current GL context, set up the way the saver does it.
  platform::WindowHandle makeGlWindow(int width = kMonitorWidth, int height = kMonitorHeight) {
    platform::WindowHandle window = makeWindow(kOwnDcClass, 0, 0, width, height);
    EXPECT_TRUE(platform::choosePixelFormat(window, platform::PixelFormatRequest{}));
    context_ = platform::createGlContext(window);
    EXPECT_NE(context_, 0u);
    EXPECT_TRUE(platform::makeCurrent(window, context_));
    return window;
  }

  // An empty directory for this test's files, removed afterwards.
  std::string outputDirectory() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    outputDirectory_ = std::string(VT_BINARY_DIR) + "/test-output/" + info->test_suite_name() + "." + info->name();
    std::filesystem::remove_all(outputDirectory_);
    return outputDirectory_;
  }

  std::uintptr_t context_ = 0;

 private:
  std::string outputDirectory_;
};

}  // namespace headless_test
