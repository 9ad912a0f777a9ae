// Bodies in the rendered views: a sphere wearing an equirectangular map
// (sphere_mapping.h) turned to any orientation, and a flat ring system
// around it wearing a face-on ring picture.
#pragma once

#include "picture.h"
#include "ray_view.h"

namespace datagen {

struct Globe {
  Vec3 centre;
  double radius = 1;
  // Unit axes: the north pole, and the equator's directions at longitude 0
  // and at 90 degrees east (east = north x longitude 0).
  Vec3 north{0, 1, 0};
  Vec3 east0{0, 0, 1};
  Vec3 east90{1, 0, 0};
  const Picture* map = nullptr;

  // The map's colour where the outward unit normal meets the surface.
  Colour surface(Vec3 normal) const;
};

// Turns the globe: its north pole leans `tilt` degrees clockwise from the
// view's up (y) in the picture, then `lean` degrees toward the viewer (+z);
// the meridian of longitude `facing` (degrees east) faces the viewer.
void orientGlobe(Globe& globe, double tilt, double lean, double facing);

// A ring system in the globe's equatorial plane. Its picture is the rings
// seen face-on, centred on the globe, the picture's edge `outer` globe radii
// from the centre (paint_ring.cpp).
struct RingDisc {
  const Globe* globe = nullptr;
  const Picture* picture = nullptr;
  double outer = 2.331;

  // Where the ray crosses the ring plane, and the ring's colour and
  // opacity there (alpha 0 off the rings).
  bool hit(const Ray& ray, double& t, Colour& colour) const;
  // The opacity of the rings where the ray from point crosses them: how
  // much of the light from that direction they stop.
  double shade(Vec3 point, Vec3 towardLight) const;
};

}  // namespace datagen
