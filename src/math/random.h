// The one global pseudo-random generator of the saver.
//
// A linear congruential generator of its own (the C library's rand is not
// used): state = state × 214013 + 2531011 with 32-bit wrap-around, each draw
// yielding (state >> 16) & 0x7FFF. The state is 1 until seedRandom is called,
// so every draw made before the seed follows the same sequence at every start.
#pragma once

#include <cstdint>

constexpr int randomMax = 32767;

// The next integer from 0 to randomMax.
int randomInt();

// Replaces the generator's state.
void seedRandom(std::uint32_t seed);

// randomInt() / 32767.0: a fresh draw, uniform in 0..1, both ends included.
double randomUnit();
