// The particle-system block of a world file: a begin line (the rest of it
// ignored), keyword lines tested in the table's order with no else, an end
// line. At Low detail no system is made and the block is left to the
// world-file reader, which passes over its lines.
#include <cstring>

#include "shell/settings.h"
#include "world/keyword_scan.h"
#include "world/object_loaders.h"
#include "world/particle_system.h"
#include "world/world_file.h"

namespace {

constexpr std::int32_t kLowDetail = 0;

// "dens" makes the particles at once, so a "time" line before it is lost.
void applyKeywords(ParticleSystem& system, const char* line) {
  ScannedWord word;
  if (startsWith(line, "texture") && scanWord(line, "texture %127s", word)) {
    system.setTexture(word);
    system.textured = true;
  }
  if (startsWith(line, "size")) scanFloat(line, "size %f", system.size);
  if (startsWith(line, "line")) system.emitterKind = ParticleSystem::kLine;
  if (startsWith(line, "circ")) system.emitterKind = ParticleSystem::kCirc;
  if (startsWith(line, "flash")) system.emitterKind = ParticleSystem::kFlash;
  if (startsWith(line, "time")) scanFloat(line, "time %f", system.period);
  std::int32_t density;
  if (startsWith(line, "dens") && scanInteger(line + std::strlen("dens"), density)) system.initParticles(density);
  if (startsWith(line, "point1")) scanVector(line, "point1 V(%f %f %f)", system.point1);
  if (startsWith(line, "point2")) scanVector(line, "point2 V(%f %f %f)", system.point2);
  if (startsWith(line, "rot")) scanVector(line, "rot V(%f %f %f)", system.right);
}

}  // namespace

void loadParticleSystem(ObjectList& list) {
  if (settings::Detail <= kLowDetail) return;
  auto* system = new ParticleSystem();
  char line[kScriptLineCapacity];
  skipToBegin(line);
  while (nextWorldLine(line)) {
    applyKeywords(*system, line);
    if (startsWith(line, "end")) break;
  }
  list.push_back(system);
}
