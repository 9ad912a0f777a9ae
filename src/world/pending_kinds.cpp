// Object kinds whose loaders have not landed yet: their blocks are passed
// over line by line by the world-file reader, as a filtered block is.
#include "world/object_loaders.h"

void loadBillboard(ObjectList&) {}
void loadFlare(ObjectList&) {}
void loadMeshObject(ObjectList&) {}
void loadFlame(ObjectList&) {}
void loadParticleSystem(ObjectList&) {}
