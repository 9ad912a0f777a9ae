// The RGBA PNG reader and writer: exact round trips and untrusted files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/png_image.h"

namespace {

class PngTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    directory_ = std::string(VT_BINARY_DIR) + "/test-output/" + info->test_suite_name() + "." + info->name();
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string path(const std::string& name) const { return directory_ + "/" + name; }

  std::vector<std::uint8_t> bytesOf(const std::string& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void writeBytes(const std::string& file, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::string directory_;
};

// A 3 x 2 picture whose every byte differs, alpha included.
std::vector<std::uint8_t> distinctPixels() {
  std::vector<std::uint8_t> rgba(3 * 2 * 4);
  for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 11 + 3);
  return rgba;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putBigEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

TEST_F(PngTest, RoundTripIsExactAndTopDown) {
  const std::vector<std::uint8_t> rgba = distinctPixels();
  ASSERT_TRUE(image::writePng(path("a.png"), 3, 2, rgba));
  int width = 0, height = 0;
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(image::readPng(path("a.png"), width, height, back));
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(back, rgba);
}

TEST_F(PngTest, WriterRefusesSizesThatDoNotMatchTheData) {
  const std::vector<std::uint8_t> rgba = distinctPixels();
  EXPECT_FALSE(image::writePng(path("b.png"), 3, 3, rgba));
  EXPECT_FALSE(image::writePng(path("b.png"), 0, 2, {}));
  EXPECT_FALSE(image::writePng(path("b.png"), -3, -2, rgba));
  EXPECT_FALSE(image::writePng(path("missing/b.png"), 3, 2, rgba));
}

TEST_F(PngTest, ReaderRejectsBadFilesAndLeavesOutputsAlone) {
  ASSERT_TRUE(image::writePng(path("good.png"), 3, 2, distinctPixels()));
  const std::vector<std::uint8_t> good = bytesOf(path("good.png"));
  ASSERT_GT(good.size(), 33u);

  std::vector<std::uint8_t> huge = good;  // IHDR claiming 100000 x 100000, valid CRC
  putBigEndian(huge, 16, 100000);
  putBigEndian(huge, 20, 100000);
  putBigEndian(huge, 29, crc32(huge.data() + 12, 17));
  std::vector<std::uint8_t> badCrc = good;
  badCrc[17] ^= 0x40;
  std::vector<std::uint8_t> garbage(200);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37);

  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"empty.png", {}},
      {"signature-only.png", {good.begin(), good.begin() + 8}},
      {"truncated.png", {good.begin(), good.begin() + static_cast<long>(good.size() / 2)}},
      {"huge.png", huge},
      {"bad-crc.png", badCrc},
      {"garbage.png", garbage},
  };
  for (const auto& c : cases) {
    writeBytes(path(c.name), c.bytes);
    int width = 7, height = 9;
    std::vector<std::uint8_t> rgba = {1, 2, 3};
    EXPECT_FALSE(image::readPng(path(c.name), width, height, rgba)) << c.name;
    EXPECT_EQ(width, 7) << c.name;
    EXPECT_EQ(height, 9) << c.name;
    EXPECT_EQ(rgba.size(), 3u) << c.name;
  }
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  EXPECT_FALSE(image::readPng(path("absent.png"), width, height, rgba));
}

}  // namespace
