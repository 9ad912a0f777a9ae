// The global linear congruential generator.
#include "math/random.h"

namespace {
std::uint32_t randomState = 1;
}

int randomInt() {
  randomState = randomState * 214013u + 2531011u;
  return int((randomState >> 16) & 0x7FFFu);
}

void seedRandom(std::uint32_t seed) { randomState = seed; }

double randomUnit() { return randomInt() / double(randomMax); }
