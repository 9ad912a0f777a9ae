// Scanning the arguments of object-block keyword lines. A field takes the
// scanned value only when the whole format matched, so a line whose
// arguments do not scan leaves the field as it was.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "math/vector3.h"
#include "world/world_file.h"

// A word scanned from a line; long enough for any word of a script line.
using ScannedWord = char[kScriptLineCapacity];

inline bool scanFloat(const char* line, const char* format, float& field) {
  float value;
  if (std::sscanf(line, format, &value) != 1) return false;
  field = value;
  return true;
}

// `format` has three %f conversions, for x, y and z.
inline bool scanVector(const char* line, const char* format, Vector3& field) {
  float x, y, z;
  if (std::sscanf(line, format, &x, &y, &z) != 3) return false;
  field = Vector3(x, y, z);
  return true;
}

// `format` has one %127s conversion (the word buffer's capacity less one).
inline bool scanWord(const char* line, const char* format, ScannedWord& word) {
  return std::sscanf(line, format, word) == 1;
}

// A decimal integer after optional white space at `text`, as " %d" reads it;
// a value beyond the 32-bit range is cut to that range.
inline bool scanInteger(const char* text, std::int32_t& field) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (end == text) return false;
  field = static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
  return true;
}
