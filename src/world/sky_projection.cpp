// The private projection of objects fixed in the sky around the eye.
#include "world/sky_projection.h"

#include <GL/gl.h>

void loadSkyFrustum(float fov) {
  glLoadIdentity();
  glFrustum(-1.3333334 * fov, 1.3333334 * fov, -fov, fov, 1.0, 1000.0);
}
