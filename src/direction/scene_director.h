// The scene director's tables: the destinations of the random order and the
// pick of a script variant. Camera::startNextScene (camera.h) is the director.
#pragma once

constexpr int kDestinationCount = 10;

// The destinations in the order of visitedDestinations: "mercury" to "pluto".
extern const char* const kDestinations[kDestinationCount];

// The variant factor every scene starts with; a "random %f" line sets it to
// the number plus 0.9.
constexpr float kDefaultVariantFactor = 1.9f;

// A uniform variant number below the factor's integer part (at least one
// variant): the digit of the script that a "next" line names.
int pickVariant(float factor);
