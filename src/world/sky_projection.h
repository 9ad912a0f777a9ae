// The private projection of objects fixed in the sky around the eye ("env"
// billboards and flares): a 4:3 frustum from 1 to 1000 units.
#pragma once

// Loads the frustum of half height `fov` at the near plane into the current
// matrix (the projection matrix, selected by the caller).
void loadSkyFrustum(float fov);
