// The global generator's sequence, seeding and the unit draw.
#include "math/random.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomTest, SequenceFromSeedOne) {
  // state 1 -> 1 * 214013 + 2531011 = 2745024, and 2745024 >> 16 = 41.
  seedRandom(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int value : expected) EXPECT_EQ(randomInt(), value);
}

TEST(RandomTest, ReseedingRestartsTheSequence) {
  seedRandom(12345);
  int first[3] = {randomInt(), randomInt(), randomInt()};
  EXPECT_EQ(first[0], 7584);
  seedRandom(12345);
  for (int value : first) EXPECT_EQ(randomInt(), value);
}

TEST(RandomTest, LargeStatesWrapAndStayInRange) {
  seedRandom(0xFFFFFFFFu);
  // (2^32 - 1) * 214013 + 2531011 mod 2^32 = 2316998 -> 35.
  EXPECT_EQ(randomInt(), 35);
  for (int i = 0; i < 100000; ++i) {
    int value = randomInt();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, randomMax);
  }
}

TEST(RandomTest, UnitDrawIsTheIntegerOver32767) {
  seedRandom(1);
  EXPECT_DOUBLE_EQ(randomUnit(), 41 / 32767.0);
  EXPECT_DOUBLE_EQ(randomUnit(), 18467 / 32767.0);
}

}  // namespace
