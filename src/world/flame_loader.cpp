// The flame block of a world file: a begin line (the rest of it ignored),
// keyword lines tested in the table's order with no else, an end line.
#include "world/flame.h"
#include "world/keyword_scan.h"
#include "world/object_loaders.h"
#include "world/world_file.h"

namespace {

// Any size line makes the ring at least this large.
constexpr float kSizeBase = 2000.0f;

void applyKeywords(Flame& flame, const char* line, const ObjectList& list) {
  ScannedWord word;
  if (startsWith(line, "texture") && scanWord(line, "texture %127s", word)) {
    flame.setTexture(word);
    flame.textured = true;
  }
  float size;
  if (startsWith(line, "size") && scanFloat(line, "size %f", size)) flame.radius = size + kSizeBase;
  if (startsWith(line, "angle")) scanFloat(line, "angle %f", flame.slope);
  if (startsWith(line, "ell")) scanFloat(line, "ell %f", flame.ellipseRatio);
  if (startsWith(line, "offset")) scanFloat(line, "offset %f", flame.offset);
  if (startsWith(line, "orient")) scanVector(line, "orient V(%f %f %f)", flame.center);
  if (startsWith(line, "colorfrom")) scanVector(line, "colorfrom V(%f %f %f)", flame.colorFrom);
  if (startsWith(line, "colorto")) scanVector(line, "colorto V(%f %f %f)", flame.colorTo);
  if (startsWith(line, "parent") && scanWord(line, "parent %127s", word)) {
    flame.parentRef = findObjectByName(list, word);
  }
}

}  // namespace

void loadFlame(ObjectList& list) {
  auto* flame = new Flame();
  char line[kScriptLineCapacity];
  skipToBegin(line);
  while (nextWorldLine(line)) {
    applyKeywords(*flame, line, list);
    if (startsWith(line, "end")) break;
  }
  list.push_back(flame);
}
