// Arguments of billboard and flare keyword lines beyond the single values of
// keyword_scan.h: formats of several numbers, taken all together or not at
// all, and the "parent" line that names an object and an offset.
#pragma once

#include <cstdio>
#include <tuple>

#include "math/vector3.h"
#include "world/world_object.h"

// Scans every float of `format` from `line`; assigns them all, or none.
template <typename... Floats>
bool scanFloats(const char* line, const char* format, Floats&... values) {
  std::tuple<Floats...> scanned;
  const int count = std::apply([&](auto&... field) { return std::sscanf(line, format, &field...); }, scanned);
  if (count != static_cast<int>(sizeof...(Floats))) return false;
  std::tie(values...) = scanned;
  return true;
}

// The line "parent %s V(%f %f %f)": the named object of `list`, looked up at
// once (null when the list holds none of that name), and the offset when the
// vector scans too. A line without a name changes nothing.
void scanParentLine(const char* line, const ObjectList& list, WorldObject*& parent, Vector3& offset);
