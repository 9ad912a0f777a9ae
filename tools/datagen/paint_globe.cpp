// Rendered views of one body, for the sign pictures: a planet as a lit
// globe wearing its map, with an optional hazy atmosphere and ring system
// (the rings and the planet shade each other), and the sun as a glowing
// globe with a darkened limb and a corona. Both are drawn on black, which
// the saver adds to the screen as nothing.
#include <cmath>

#include "globe.h"
#include "painters.h"
#include "recipe_sources.h"
#include "view_settings.h"

namespace datagen {

namespace {

// The globe of a view: its map from the recipe named by "map", its size and
// orientation from "radius", "tilt", "lean" and "facing".
bool loadGlobe(const PaintJob& job, Settings& settings, Picture& map, Globe& globe) {
  std::string mapName = settings.text("map", "");
  globe.radius = settings.number("radius", 0.8);
  double tilt = settings.number("tilt", 0), lean = settings.number("lean", 0), facing = settings.number("facing", 0);
  if (globe.radius <= 0 || globe.radius > 1) {
    settings.fail("\"radius\" needs a number above 0 and up to 1");
    return false;
  }
  orientGlobe(globe, tilt, lean, facing);
  if (mapName.empty()) {
    settings.fail("\"map\" is missing");
    return false;
  }
  if (!sourcePicture(job, settings, mapName, map)) return false;
  globe.map = &map;
  return true;
}

}  // namespace

void paintGlobe(const PaintJob& job, Settings& settings, Picture& picture) {
  Picture map, ringPicture;
  Globe globe;
  bool ready = loadGlobe(job, settings, map, globe);
  Vec3 light = directionSetting(settings, "light", {-0.55, 0.35, 0.75});
  double ambient = settings.number("ambient", 0.02);
  double exposure = settings.number("exposure", 1.0);
  Colour haze = settings.colour("haze", {0.45f, 0.65f, 1.0f});
  double hazeStrength = settings.number("haze_strength", 0);  // 0: no atmosphere
  double hazeWidth = settings.number("haze_width", 0.05);      // globe radii above the surface
  std::string ringName = settings.text("ring", "");
  double ringOuter = settings.number("ring_outer", 2.331);
  int samples = settings.integer("samples", 4, 1, 8);
  if (hazeWidth <= 0) settings.fail("\"haze_width\" needs a positive number");
  hazeWidth = std::fmax(hazeWidth, 1e-3);
  RingDisc ring;
  if (!ringName.empty() && sourcePicture(job, settings, ringName, ringPicture)) {
    ring.globe = &globe;
    ring.picture = &ringPicture;
    ring.outer = ringOuter;
  }
  if (!ready) return;

  double top = globe.radius * (1 + hazeWidth);
  renderView(framingCamera(), samples, picture, [&](const Ray& ray) {
    Colour colour{0, 0, 0, 1};
    double planetT = 0, ringT = 0;
    bool onPlanet = hitSphere(ray, globe.centre, globe.radius, planetT);
    if (onPlanet) {
      Vec3 point = ray.origin + ray.direction * planetT;
      Vec3 normal = normalize(point - globe.centre);
      double lit = diffuse(normal, light) * (1 - ring.shade(point, light));
      colour = shade(globe.surface(normal), ambient + exposure * lit);
      if (hazeStrength > 0) {
        // Looking through more air toward the limb, the day side turns to
        // the colour of the sky.
        double slant = 1 - std::fmax(0.0, -dot(normal, ray.direction));
        double dayside = smoothstep(-0.25, 0.5, dot(normal, light));
        colour = mix(colour, shade(haze, exposure), hazeStrength * std::pow(slant, 3) * dayside);
      }
    } else if (hazeStrength > 0) {
      // The thin bright shell of air beyond the limb.
      double t = 0;
      double distance = rayDistance(ray, globe.centre, t);
      if (distance < top) {
        Vec3 normal = normalize(ray.origin + ray.direction * t - globe.centre);
        double height = (distance - globe.radius) / (globe.radius * hazeWidth);
        double glow = std::exp(-3 * height) * (1 - height);
        double dayside = smoothstep(-0.3, 0.4, dot(normal, light));
        colour = shade(haze, exposure * hazeStrength * glow * dayside);
      }
    }
    Colour rings;
    if (ring.hit(ray, ringT, rings) && rings.a > 0 && (!onPlanet || ringT < planetT)) {
      Vec3 point = ray.origin + ray.direction * ringT;
      double t = 0;
      bool inShadow = hitSphere({point, light}, globe.centre, globe.radius, t);
      // Sunlight scatters through to the dark face of the rings, faintly.
      double facing = dot(globe.north, light) * dot(globe.north, ray.direction) < 0 ? 1.0 : 0.25;
      double lit = inShadow ? 0 : std::fabs(dot(globe.north, light)) * facing;
      Colour litRings = shade(rings, ambient + exposure * (0.25 + 0.75 * lit) * (inShadow ? 0.1 : 1));
      colour = mix(colour, litRings, rings.a);
    }
    colour.a = 1;
    return colour;
  });
}

void paintStar(const PaintJob& job, Settings& settings, Picture& picture) {
  Picture map;
  Globe globe;
  bool ready = loadGlobe(job, settings, map, globe);
  double exposure = settings.number("exposure", 1.0);
  double limb = settings.number("limb", 0.55);  // how much darker the limb is than the centre
  Colour corona = settings.colour("corona", {1.0f, 0.62f, 0.25f});
  double coronaStrength = settings.number("corona_strength", 0.8);
  double coronaSize = settings.number("corona_size", 0.25);  // globe radii for the glow to fall to a third
  int samples = settings.integer("samples", 4, 1, 8);
  if (coronaSize <= 0) settings.fail("\"corona_size\" needs a positive number");
  coronaSize = std::fmax(coronaSize, 1e-3);
  if (!ready) return;

  renderView(framingCamera(), samples, picture, [&](const Ray& ray) {
    Colour colour{0, 0, 0, 1};
    double t = 0;
    if (hitSphere(ray, globe.centre, globe.radius, t)) {
      Vec3 normal = normalize(ray.origin + ray.direction * t - globe.centre);
      double towardViewer = std::fmax(0.0, -dot(normal, ray.direction));
      double darkening = 1 - limb * (1 - std::sqrt(towardViewer));
      colour = shade(globe.surface(normal), exposure * darkening);
      colour = mix(colour, shade(corona, exposure), 0.35 * std::pow(1 - towardViewer, 4));
    } else {
      double distance = rayDistance(ray, globe.centre, t);
      double height = (distance - globe.radius) / (globe.radius * coronaSize);
      // The glow dies away before the picture's edge.
      double edge = smoothstep(0.95, 0.75, framedRadius(ray));
      double glow = coronaStrength * (0.75 * std::exp(-height * 1.1) + 0.25 * std::exp(-height * 0.3)) * edge;
      colour = shade(corona, glow);
    }
    colour.a = 1;
    return colour;
  });
}

}  // namespace datagen
