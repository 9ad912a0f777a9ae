// A rendered view of the solar system for the sign set's centre picture:
// the glowing sun, thin orbit lines in the orbital plane seen from above at
// a slant, and the planets on them as small lit globes wearing their maps
// (one may wear its rings), all lit by the sun, on black.
#include <cmath>
#include <vector>

#include "globe.h"
#include "painters.h"
#include "recipe_sources.h"
#include "sphere_mapping.h"
#include "view_settings.h"

namespace datagen {

namespace {

// One planet: MAP/ORBIT/RADIUS/ANGLE or MAP/ORBIT/RADIUS/ANGLE/RINGS, the
// picture recipes of its map (and rings), the radii of its orbit and of the
// globe in the orbital plane's units (the outermost orbit about 1), and its
// place on the orbit in degrees, counter-clockwise seen from above from the
// side facing the viewer.
struct PlanetPlacement {
  std::string map;
  std::string rings;
  double orbit = 0;
  double radius = 0;
  double angle = 0;
};

bool parsePlanet(const std::string& text, PlanetPlacement& planet) {
  std::vector<std::string> parts = splitList(text, '/');
  if (parts.size() != 4 && parts.size() != 5) return false;
  planet.map = parts[0];
  if (parts.size() == 5) planet.rings = parts[4];
  return !planet.map.empty() && parseNumber(parts[1], planet.orbit) && parseNumber(parts[2], planet.radius) &&
         parseNumber(parts[3], planet.angle) && planet.orbit > 0 && planet.radius > 0;
}

struct Planet {
  Picture map;
  Picture ringPicture;
  Globe globe;
  RingDisc rings;
};

}  // namespace

void paintOrrery(const PaintJob& job, Settings& settings, Picture& picture) {
  std::string sunName = settings.text("sun", "");
  double sunRadius = settings.number("sun_radius", 0.12);
  Colour corona = settings.colour("corona", {1.0f, 0.62f, 0.25f});
  double coronaStrength = settings.number("corona_strength", 0.9);
  double coronaSize = settings.number("corona_size", 0.5);  // sun radii for the glow to fall to a third
  Colour orbitColour = settings.colour("orbit", {0.45f, 0.6f, 1.0f});
  double orbitStrength = settings.number("orbit_strength", 0.35);
  double orbitWidth = settings.number("orbit_width", 0.006);
  double elevation = settings.number("elevation", 25) * kPi / 180;  // the view's height above the plane
  double distance = settings.number("distance", 5);
  double exposure = settings.number("exposure", 1.3);
  int mapWidth = 0, mapHeight = 0;  // 0: each map at its own size
  if (!settings.text("map_size", "").empty()) settings.size("map_size", mapWidth, mapHeight);
  int samples = settings.integer("samples", 4, 1, 8);
  if (sunRadius <= 0 || coronaSize <= 0 || orbitWidth <= 0 || distance <= 1.5) {
    settings.fail("\"sun_radius\", \"corona_size\" and \"orbit_width\" need positive numbers, \"distance\" above 1.5");
    return;
  }

  std::vector<PlanetPlacement> placements;
  for (const std::string& text : settings.repeated("planet")) {
    PlanetPlacement placement;
    if (!parsePlanet(text, placement)) {
      settings.fail("\"planet\" needs MAP/ORBIT/RADIUS/ANGLE[/RINGS] with positive sizes, not \"" + text + "\"");
      return;
    }
    placements.push_back(placement);
  }
  if (sunName.empty()) {
    settings.fail("\"sun\" is missing");
    return;
  }
  Picture sunMap;
  if (!sourcePicture(job, settings, sunName, sunMap)) return;
  Globe sun;
  sun.radius = sunRadius;
  sun.map = &sunMap;
  // The planets keep their places in memory: the rings point at their globe.
  std::vector<Planet> planets(placements.size());
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const PlanetPlacement& placement = placements[i];
    Planet& planet = planets[i];
    if (!sourcePicture(job, settings, placement.map, planet.map, mapWidth, mapHeight)) return;
    double angle = placement.angle * kPi / 180;
    planet.globe.centre = {placement.orbit * std::sin(angle), 0, placement.orbit * std::cos(angle)};
    planet.globe.radius = placement.radius;
    planet.globe.map = &planet.map;
    if (!placement.rings.empty()) {
      if (!sourcePicture(job, settings, placement.rings, planet.ringPicture)) return;
      planet.rings.globe = &planet.globe;
      planet.rings.picture = &planet.ringPicture;
    }
  }

  // Framing the unit circle of the plane, seen from the given elevation.
  Vec3 eye{0, distance * std::sin(elevation), distance * std::cos(elevation)};
  ViewCamera camera(eye, {0, 0, 0}, {0, 1, 0}, 2 * std::atan(1.08 / distance) * 180 / kPi);
  renderView(camera, samples, picture, [&](const Ray& ray) {
    // The nearest solid: the sun or a planet.
    double nearest = 1e300, t = 0;
    Colour colour{0, 0, 0, 1};
    if (hitSphere(ray, sun.centre, sun.radius, t)) {
      nearest = t;
      Vec3 normal = normalize(ray.origin + ray.direction * t);
      double towardViewer = std::fmax(0.0, -dot(normal, ray.direction));
      colour = shade(sun.surface(normal), 1 - 0.5 * (1 - std::sqrt(towardViewer)));
    }
    for (const Planet& planet : planets) {
      if (!hitSphere(ray, planet.globe.centre, planet.globe.radius, t) || t >= nearest) continue;
      nearest = t;
      Vec3 point = ray.origin + ray.direction * t;
      Vec3 normal = normalize(point - planet.globe.centre);
      Vec3 light = normalize(sun.centre - point);
      double lit = diffuse(normal, light) * (1 - planet.rings.shade(point, light));
      colour = shade(planet.globe.surface(normal), 0.03 + exposure * lit);
    }
    // Rings, in front of whatever solid lies behind them.
    for (const Planet& planet : planets) {
      Colour rings;
      if (!planet.rings.hit(ray, t, rings) || t >= nearest || rings.a <= 0) continue;
      Vec3 point = ray.origin + ray.direction * t;
      double blocked = 0;
      bool inShadow = hitSphere({point, normalize(sun.centre - point)}, planet.globe.centre, planet.globe.radius,
                                blocked);
      colour = mix(colour, shade(rings, exposure * (inShadow ? 0.05 : 0.6)), rings.a);
    }
    // Orbit lines in the plane, where no solid hides them.
    if (hitPlane(ray, {0, 0, 0}, {0, 1, 0}, t) && t < nearest) {
      Vec3 point = ray.origin + ray.direction * t;
      double r = std::sqrt(point.x * point.x + point.z * point.z), line = 0;
      for (const PlanetPlacement& placement : placements)
        line += std::exp(-std::pow((r - placement.orbit) / orbitWidth, 2));
      colour = colour + shade(orbitColour, orbitStrength * std::fmin(1.0, line));
    }
    // The sun's glow over everything, fading before the picture's edge.
    double closest = rayDistance(ray, sun.centre, t);
    if (closest > sun.radius) {
      double height = (closest - sun.radius) / (sun.radius * coronaSize);
      double glow = coronaStrength * (0.7 * std::exp(-height * 1.1) + 0.3 * std::exp(-height * 0.25));
      colour = colour + shade(corona, glow);
    }
    colour.a = 1;
    return colour;
  });
  // Nothing reaches the picture's edge: the saver shows it on black. The
  // fade is measured at each pixel's outer side, so the outermost pixels
  // are black.
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      CentredPoint inner = centred(picture, x + 0.5, y + 0.5);
      double outer = std::fmax(std::fabs(inner.x) + 1.0 / picture.width, std::fabs(inner.y) + 1.0 / picture.height);
      picture.at(x, y) = shade(picture.at(x, y), smoothstep(1.0, 0.9, outer));
    }
  }
}

}  // namespace datagen
