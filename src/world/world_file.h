// World files: scripts that list objects of every kind, read into an object
// list. The one reader that every object loader goes on reading its block
// from, and the loader state shared by the spheres of one file.
//
// Each object block reads: a kind line, a "begin" line, keyword lines, an
// "end" line. Keywords are prefixes tested in a fixed order with no else, so
// one line may have several effects. Every loop stops at the end of the data
// as if its terminator had been read.
#pragma once

#include <cstddef>

#include "resources/archive_file.h"
#include "world/world_object.h"

// Lines of every script are read into buffers of this size.
constexpr std::size_t kScriptLineCapacity = 128;

enum class WorldLine { Sphere, Billboard, Flare, Mesh, Flame, ParticleSystem, EndWorld, Geometry, Dir, Other };

// The kind of a world-file line, by its first characters.
WorldLine classifyLine(const char* line);

// Appends the objects of the world file `entryName` to `list`, sending the
// loading-progress message after each object block and geometry line.
void readWorldFile(ObjectList& list, const char* entryName);

// The reader that readWorldFile opened; object loaders read their blocks
// from it.
ArchiveFile& worldFileReader();

// Reads the next line of the world file into `line`; false once the data has
// ended (the line is then empty). Block loops use it to stop at the end.
bool nextWorldLine(char (&line)[kScriptLineCapacity]);

// Reads lines until one begins with "begin"; false when the data ended first.
bool skipToBegin(char (&line)[kScriptLineCapacity]);

// State shared by the sphere loader over one world file; reset at its start.
struct SphereLoaderState {
  float moonSpeedCounter = 1.0f;
  float flashPhaseCounter = 0.0f;
  bool inheritedAlpha = false;
};
SphereLoaderState& sphereLoaderState();

// True when `line` begins with `keyword` (compared over the keyword's length).
bool startsWith(const char* line, const char* keyword);
