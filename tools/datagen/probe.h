// The space probe of meshes\probe.dat: an eight-sided body wrapped in gold
// foil, a white dish antenna with its feed on three struts, two solar
// panel wings and a magnetometer boom, mapped onto textures\probe.jpg
// (probe_atlas.h).
#pragma once

#include "mesh.h"

namespace datagen {

struct ProbeShape {
  int segments = 20;         // around the dish
  double dishRadius = 0.62;  // the dish's rim
  double panelSpan = 1.2;    // length of each wing
};

// The probe in its own axes: the dish faces +x, the wings reach along +y and
// -y, the boom along +z; the body is 0.6 long and the whole about
// 2 x (0.5 + panelSpan) wide. Body and boom have smooth or flat normals as
// their shapes ask; thin parts (the dish, the wings) have faces on both
// sides. The saver draws mesh objects without writing depth, so parts are
// listed back to front for views from the dish's side: boom, wings, body,
// then the dish and its feed.
Mesh buildProbe(const ProbeShape& shape);

}  // namespace datagen
