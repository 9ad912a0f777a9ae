// The Earth: oceans shading from shallow shelves to the deep, continents
// coloured by climate belts (rain forest, savanna, desert, temperate,
// boreal, tundra) with mountains, polar ice, and a layer of swirling cloud.
#include "noise.h"
#include "painters.h"
#include "random.h"
#include "sphere_grid.h"
#include "surface_fraction.h"

namespace datagen {

namespace {

// Land colours from the equator to the poles: at each latitude a wet and a
// dry tone, chosen between by the moisture field.
struct ClimateBelt {
  double latitude;  // degrees
  Colour wet, dry;
};

// v turned by angle radians about the unit axis (Rodrigues' formula).
Vec3 rotateAbout(Vec3 v, Vec3 axis, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1 - c));
}

Colour landColour(const std::vector<ClimateBelt>& belts, double latitude, double moisture) {
  const ClimateBelt* low = &belts.front();
  const ClimateBelt* high = &belts.back();
  for (std::size_t i = 0; i + 1 < belts.size(); ++i) {
    if (latitude >= belts[i].latitude && latitude <= belts[i + 1].latitude) {
      low = &belts[i];
      high = &belts[i + 1];
    }
  }
  double t = high == low ? 0 : smoothstep(low->latitude, high->latitude, latitude);
  Colour wet = mix(low->wet, high->wet, t), dry = mix(low->dry, high->dry, t);
  return mix(dry, wet, smoothstep(-0.12, 0.12, moisture));
}

}  // namespace

void paintEarth(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour deep = settings.colour("deep", {0.03f, 0.10f, 0.28f});
  Colour shallow = settings.colour("shallow", {0.08f, 0.30f, 0.48f});
  Colour ice = settings.colour("ice", {0.93f, 0.95f, 0.97f});
  Colour cloud = settings.colour("cloud", {0.97f, 0.97f, 0.98f});
  Colour rock = settings.colour("mountain", {0.45f, 0.40f, 0.34f});
  Colour jungle = settings.colour("jungle", {0.12f, 0.27f, 0.09f});
  Colour savanna = settings.colour("savanna", {0.48f, 0.45f, 0.24f});
  Colour desert = settings.colour("desert", {0.80f, 0.66f, 0.44f});
  Colour temperate = settings.colour("temperate", {0.22f, 0.38f, 0.15f});
  Colour steppe = settings.colour("steppe", {0.55f, 0.53f, 0.34f});
  Colour boreal = settings.colour("boreal", {0.15f, 0.24f, 0.13f});
  Colour tundra = settings.colour("tundra", {0.47f, 0.45f, 0.38f});
  double land = settings.number("land", 0.3);             // share of the surface
  double clouds = settings.number("clouds", 0.3);         // share covered by cloud
  double iceLatitude = settings.number("ice_latitude", 70);
  double relief = settings.number("relief", 1.0);
  const std::vector<ClimateBelt> belts = {{0, jungle, savanna},      {12, jungle, savanna},
                                          {22, savanna, desert},     {30, steppe, desert},
                                          {42, temperate, steppe},   {52, temperate, steppe},
                                          {60, boreal, tundra},      {68, tundra, tundra}};

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  GradientNoise weather(mix64(job.seed + 99));
  ScalarGrid continents(job.width, job.height), cloudField(job.width, job.height);
  // Cyclones wind the clouds into spirals: counter-clockwise (seen from
  // outside) in the north, clockwise in the south.
  struct Cyclone {
    Vec3 centre;
    double radius, turn;
  };
  std::vector<Cyclone> cyclones;
  Random random(mix64(job.seed + 7));
  for (int i = 0, count = settings.integer("cyclones", 10, 0, 100); i < count; ++i) {
    double hemisphere = random.uniform() < 0.5 ? 1 : -1;
    double latitude = hemisphere * random.range(15, 60) * kPi / 180;
    cyclones.push_back({spherePoint(random.range(0, kTwoPi), latitude), random.range(0.08, 0.18),
                        hemisphere * random.range(1.2, 2.2)});
  }
  for (int y = 0; y < job.height; ++y) {
    double latitude = grid.latitude(y) * 180 / kPi;
    // Cloud belts: the tropical convergence zone and the mid-latitude
    // storm tracks are cloudy, the subtropics clear.
    double belt = 0.12 * std::exp(-std::pow((latitude - 5) / 9, 2)) - 0.1 * std::exp(-std::pow((std::fabs(latitude) - 25) / 9, 2)) +
                  0.08 * std::exp(-std::pow((std::fabs(latitude) - 55) / 12, 2));
    for (int x = 0; x < job.width; ++x) {
      Vec3 d = grid.direction(x, y);
      continents.at(x, y) = static_cast<float>(fbm(noise, warp(noise, d * 1.1, 0.55, {4, 2.0, 0.5}), {9, 2.0, 0.52}));
      Vec3 wound = d;
      for (const Cyclone& cyclone : cyclones) {
        double angle = 2 * std::asin(std::min(1.0, length(d - cyclone.centre) / 2));
        if (angle > 3 * cyclone.radius) continue;
        wound = rotateAbout(wound, cyclone.centre, cyclone.turn * std::exp(-std::pow(angle / cyclone.radius, 2)));
      }
      Vec3 flow = warp(weather, Vec3{wound.x * 2.2, wound.y * 2.2, wound.z * 3.5}, 0.9, {5, 2.0, 0.5});
      cloudField.at(x, y) = static_cast<float>(fbm(weather, flow * 1.6, {7, 2.0, 0.55}) + belt);
    }
  }
  double seaLevel = levelForShare(continents, grid, land);
  double cloudLevel = levelForShare(cloudField, grid, clouds);

  ScalarGrid heights(job.width, job.height);
  ScalarGrid mountains(job.width, job.height);
  for (int y = 0; y < job.height; ++y) {
    for (int x = 0; x < job.width; ++x) {
      double elevation = continents.at(x, y) - seaLevel;
      if (elevation <= 0) continue;
      Vec3 d = grid.direction(x, y);
      double ridge = ridged(noise, d * 7 + Vec3{1.5, 4.5, 2.5}, {6, 2.0, 0.5});
      double range = smoothstep(0.02, 0.12, elevation) * smoothstep(0.45, 0.8, ridge);
      mountains.at(x, y) = static_cast<float>(range);
      heights.at(x, y) = static_cast<float>(0.08 * std::min(elevation, 0.15) + 0.012 * range * ridge);
    }
  }

  paintSphere(grid, picture, [&](int x, int y, Vec3 d, double latitude) {
    double elevation = continents.at(x, y) - seaLevel;
    double polar = std::fabs(latitude) * 180 / kPi + 22 * fbm(noise, d * 2.5 + Vec3{3, 3, 3}, {6, 2.0, 0.55});
    Colour c;
    if (elevation <= 0) {
      double depth = smoothstep(0.0, 0.09, -elevation);
      c = mix(shallow, deep, depth);
      c = shade(c, 1 + 0.06 * fbm(noise, d * 12, {3, 2.0, 0.5}));
    } else {
      double moisture = fbm(noise, d * 2.3 + Vec3{9.1, 2.7, 5.3}, {6, 2.0, 0.55}) + 0.15 - 0.5 * elevation;
      c = landColour(belts, polar, moisture);
      c = shade(c, 1 + 0.12 * fbm(noise, d * 20 + Vec3{1, 7, 3}, {4, 2.0, 0.5}));
      double range = mountains.at(x, y);
      c = mix(c, rock, 0.7 * range);
      c = mix(c, ice, 0.7 * smoothstep(0.9, 1.0, range) * smoothstep(0.3, 0.45, elevation + polar / 200));
      c = shade(c, 1 + relief * (reliefShade(heights, grid, x, y, 1.0) - 1));
    }
    // Polar ice covers land and sea alike, further south on land.
    double iceLine = iceLatitude - (elevation > 0 ? 8 : 0);
    c = mix(c, ice, smoothstep(iceLine - 1.5, iceLine + 1.5, polar));
    double cover = smoothstep(cloudLevel - 0.06, cloudLevel + 0.22, cloudField.at(x, y));
    double wisps = 0.7 + 0.3 * fbm(weather, d * 24, {3, 2.0, 0.5});
    return mix(c, cloud, 0.9 * cover * cover * wisps);
  });
}

}  // namespace datagen
