// The loaders of the object kinds a world file can hold. Each reads one block
// from the world-file reader, starting after its kind line, and appends the
// object it made to the list (unless a detail filter drops it).
#pragma once

#include "world/world_object.h"

void loadSphere(ObjectList& list);
void loadBillboard(ObjectList& list);
void loadFlare(ObjectList& list);
void loadMeshObject(ObjectList& list);
void loadFlame(ObjectList& list);
void loadParticleSystem(ObjectList& list);
