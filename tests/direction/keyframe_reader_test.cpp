// readKeyframes against scripts read from a "data.sdd" built in the test: the
// block grammar, skipped text, and blocks that end early or never end.
#include "direction/keyframe_track.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "direction/track_test_support.h"
#include "resources/archive_test_support.h"

namespace {

using namespace archive_test;
using namespace track_test;

const char* const kEntryName = "scenes\\keys.txt";

// Writes a one-entry archive holding `script`, reads one block from it and
// leaves the script open at the line after the block.
class KeyframeReaderTest : public ::testing::Test {
 protected:
  void read(const std::string& script) {
    writeFile(directory_.path() / ArchiveFile::kArchiveName, buildArchive({{kEntryName, bytesOf(script)}}));
    ASSERT_TRUE(script_.open(kEntryName));
    readKeyframes(track_, script_);
  }

  std::string nextLine() {
    char line[128];
    script_.readLine(line);
    return line;
  }

  TempDir directory_;
  CurrentDirectory inDirectory_{directory_.path()};
  ArchiveFile script_;
  KeyframeTrack track_;
};

TEST_F(KeyframeReaderTest, ReadsEveryAttributeAndStopsAfterEndKeys) {
  read(
      "keyframe\n"
      "  position V(1 2 3)\r\n"
      "gradient V(4 5 6)\n"
      "quaternion Q(1 2 3 4)\n"
      "time 1.5\n"
      "time 2.5\n"
      "freeze\n"
      "end\n"
      "keyframe\n"
      "time 3\n"
      "end\n"
      "ENDKEYS\n"
      "fout 1 2\n");
  ASSERT_EQ(track_.keys.size(), 2u);
  const Keyframe& first = *track_.keys[0];
  expectNear(first.position, Vector3(1, 2, 3), 0);
  expectNear(first.gradient, Vector3(4, 5, 6), 0);
  expectNear(first.orientation, Quaternion(1, 2, 3, 4), 0);  // x, y, z, w in script order
  EXPECT_EQ(first.time, 2.5f) << "the later time line wins";
  EXPECT_TRUE(first.freeze);
  expectNear(first.inControl, Quaternion(0, 1, 0, 1), 0);
  expectNear(first.outControl, Quaternion(0, 1, 0, 1), 0);

  const Keyframe& second = *track_.keys[1];
  EXPECT_EQ(second.time, 3.0f);
  EXPECT_FALSE(second.freeze);
  expectNear(second.position, Vector3(0, 0, 0), 0);
  expectNear(second.orientation, Quaternion(0, 0, 0, 0), 0);

  EXPECT_EQ(nextLine(), "fout 1 2") << "the caller goes on after ENDKEYS";
}

TEST_F(KeyframeReaderTest, TextOutsideKeyframeBlocksIsSkipped) {
  read(
      "a comment of sorts\n"
      "position V(9 9 9)\n"
      "time 7\n"
      "freeze\n"
      "keyframe\n"
      "time 1\n"
      "end\n"
      "\n"
      "quaternion Q(5 5 5 5)\n"
      "keyframe\n"
      "time 2\n"
      "end\n"
      "ENDKEYS\n");
  ASSERT_EQ(track_.keys.size(), 2u);
  for (const auto& key : track_.keys) {
    expectNear(key->position, Vector3(0, 0, 0), 0);
    expectNear(key->orientation, Quaternion(0, 0, 0, 0), 0);
    EXPECT_FALSE(key->freeze);
  }
  EXPECT_EQ(track_.keys[0]->time, 1.0f);
  EXPECT_EQ(track_.keys[1]->time, 2.0f);
}

TEST_F(KeyframeReaderTest, EndKeysInsideAnOpenKeyframeDoesNotEndTheBlock) {
  read(
      "keyframe\n"
      "time 1\n"
      "ENDKEYS\n"
      "position V(1 1 1)\n"
      "keyframe\n"
      "end\n"
      "keyframe\n"
      "time 2\n"
      "end\n"
      "ENDKEYS\n"
      "after\n");
  ASSERT_EQ(track_.keys.size(), 2u);
  expectNear(track_.keys[0]->position, Vector3(1, 1, 1), 0);
  EXPECT_EQ(track_.keys[1]->time, 2.0f);
  EXPECT_EQ(nextLine(), "after");
}

TEST_F(KeyframeReaderTest, NumbersThatDoNotParseKeepThePreviousValues) {
  read(
      "keyframe\n"
      "time 4\n"
      "time soon\n"
      "position V(1 2 3)\n"
      "position V(7 x 9)\n"
      "quaternion Q(1 2)\n"
      "end\n"
      "ENDKEYS\n");
  ASSERT_EQ(track_.keys.size(), 1u);
  EXPECT_EQ(track_.keys[0]->time, 4.0f);
  expectNear(track_.keys[0]->position, Vector3(7, 2, 3), 0);
  expectNear(track_.keys[0]->orientation, Quaternion(1, 2, 0, 0), 0);
}

// Scripts that end before their terminators: the reader stops at the end of
// the data and keeps the keys it has, including one still open.
struct TruncatedCase {
  const char* name;
  std::string script;
  std::vector<float> times;
};

class TruncatedScriptTest : public KeyframeReaderTest, public ::testing::WithParamInterface<TruncatedCase> {};

TEST_P(TruncatedScriptTest, StopsAtTheEndOfTheData) {
  read(GetParam().script);
  ASSERT_EQ(track_.keys.size(), GetParam().times.size());
  for (std::size_t i = 0; i < track_.keys.size(); ++i) EXPECT_EQ(track_.keys[i]->time, GetParam().times[i]);
  EXPECT_TRUE(script_.atEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, TruncatedScriptTest,
    ::testing::Values(TruncatedCase{"Empty", "", {}},
                      TruncatedCase{"NoEndKeys", "keyframe\ntime 1\nend\n", {1}},
                      TruncatedCase{"FinalLineWithoutLineFeed", "keyframe\ntime 1\nend\nstray", {1}},
                      TruncatedCase{"KeyframeNeverEnded", "keyframe\ntime 1\nend\nkeyframe\ntime 2\n", {1, 2}},
                      TruncatedCase{"KeyframeLineLast", "keyframe\ntime 1\nend\nkeyframe", {1, 0}},
                      TruncatedCase{"EndKeysWithoutLineFeed", "keyframe\ntime 1\nend\nENDKEYS", {1}},
                      TruncatedCase{"OverlongLines",
                                    "keyframe\ntime 6." + std::string(300, '0') + "\nend\n" +
                                        std::string(500, 'k') + "\n",
                                    {6}}),
    [](const ::testing::TestParamInfo<TruncatedCase>& testCase) { return std::string(testCase.param.name); });

TEST(KeyframeReader, AnEntryThatDidNotOpenGivesNoKeys) {
  ArchiveFile closed;
  KeyframeTrack track;
  readKeyframes(track, closed);
  EXPECT_TRUE(track.keys.empty());
}

}  // namespace
