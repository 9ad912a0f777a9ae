// Gas and ice giants: Jupiter, Saturn, Uranus, Neptune. Bands of colour by
// latitude whose edges are torn into streaks and eddies, and oval storms
// (Jupiter's great red spot, Neptune's dark spot) that swirl the bands
// around them.
#include <vector>

#include "noise.h"
#include "painters.h"
#include "sphere_grid.h"

namespace datagen {

namespace {

struct Storm {
  double latitude, longitude;  // radians
  double width, height;        // half sizes, radians
  Colour colour;
};

// "LAT/LON/WIDTH/HEIGHT/RRGGBB", angles in degrees.
bool parseStorm(const std::string& text, Storm& storm) {
  std::vector<std::string> parts = splitList(text, '/');
  double values[4];
  if (parts.size() != 5) return false;
  for (int i = 0; i < 4; ++i)
    if (!parseNumber(parts[i], values[i])) return false;
  if (values[2] <= 0 || values[3] <= 0) return false;
  const double toRadians = kPi / 180;
  storm = {values[0] * toRadians, values[1] * toRadians, values[2] * toRadians, values[3] * toRadians, {}};
  return parseColour(parts[4], storm.colour);
}

double wrapAngle(double a) {
  a = std::fmod(a, kTwoPi);
  if (a > kPi) a -= kTwoPi;
  if (a < -kPi) a += kTwoPi;
  return a;
}

// The palette colour at a position from the north pole (0) to the south
// pole (1): flat band interiors with transitions of width `edge`.
Colour bandColour(const std::vector<Colour>& palette, double position, double edge) {
  int count = static_cast<int>(palette.size());
  if (count == 1) return palette[0];
  double p = clamp01(position) * count - 0.5;
  int low = static_cast<int>(std::floor(p));
  double f = smoothstep(0.5 - edge, 0.5 + edge, p - low);
  const Colour& a = palette[std::max(0, std::min(count - 1, low))];
  const Colour& b = palette[std::max(0, std::min(count - 1, low + 1))];
  return mix(a, b, f);
}

}  // namespace

void paintBanded(const PaintJob& job, Settings& settings, Picture& picture) {
  std::vector<Colour> palette = settings.colours(
      "palette", {{0.85f, 0.80f, 0.70f}, {0.70f, 0.55f, 0.40f}, {0.93f, 0.88f, 0.78f}, {0.70f, 0.55f, 0.40f},
                  {0.85f, 0.80f, 0.70f}});
  double turbulence = settings.number("turbulence", 0.1);  // latitude wobble of band edges, radians
  double streaks = settings.number("streaks", 0.08);        // brightness of the fine zonal streaks
  double stretch = settings.number("stretch", 6);           // how much longer than wide eddies are
  double edge = settings.number("edge", 0.3);               // softness of band edges, 0..0.5
  double polarDarkening = settings.number("polar_darkening", 0.15);
  std::vector<Storm> storms;
  for (const std::string& text : settings.repeated("storm")) {
    Storm storm;
    if (parseStorm(text, storm))
      storms.push_back(storm);
    else
      settings.fail("\"storm\" needs LAT/LON/WIDTH/HEIGHT/RRGGBB, not \"" + text + "\"");
  }

  SphereGrid grid(job.width, job.height);
  GradientNoise noise(job.seed);
  // The palest band colour rims the storms.
  Colour pale = palette.empty() ? Colour{} : palette[0];
  for (const Colour& c : palette)
    if (c.r + c.g + c.b > pale.r + pale.g + pale.b) pale = c;
  paintSphere(grid, picture, [&](int x, int, Vec3 d, double latitude) {
    double longitude = grid.longitude(x);
    Vec3 sample{d.x * 2, d.y * 2, d.z * 2 * stretch};
    double shift = 0, stormMix = 0, collarMix = 0;
    Colour stormColour;
    for (const Storm& storm : storms) {
      double dx = wrapAngle(longitude - storm.longitude) * std::cos(storm.latitude) / storm.width;
      double dy = (latitude - storm.latitude) / storm.height;
      double e = std::sqrt(dx * dx + dy * dy);
      if (e > 2.2) continue;
      // Inside the oval the flow turns: rotate the sample point about the
      // storm's centre, fastest near the middle.
      double turn = 4.0 * std::pow(1 - e / 2.2, 2);
      double c = std::cos(turn), s = std::sin(turn);
      double rx = c * dx - s * dy, ry = s * dx + c * dy;
      sample = sample + Vec3{rx - dx, ry - dy, 0} * 0.6;
      // Bands bulge around the oval.
      double bulge = std::max(0.0, 1.4 - e);
      shift += (dy >= 0 ? 1 : -1) * storm.height * 0.6 * bulge * bulge;
      double ragged = e + 0.12 * fbm(noise, Vec3{dx * 3, dy * 3, 3.7}, {3, 2.0, 0.5});
      double inside = smoothstep(1.05, 0.55, ragged);
      if (inside > stormMix) {
        stormMix = inside;
        // Spiral arms of lighter and darker cloud inside the oval.
        double swirl = fbm(noise, Vec3{rx * 3.5, ry * 3.5, 7.1}, {5, 2.0, 0.55});
        double arms = std::sin(std::atan2(ry, rx) * 2 + e * 9 + 4 * swirl);
        stormColour = shade(storm.colour, 1 + 0.3 * swirl + 0.08 * arms - 0.15 * e);
      }
      collarMix = std::max(collarMix, smoothstep(0.8, 1.0, e) * smoothstep(1.45, 1.05, e));
    }
    // Band edges wave on a large scale and tear into eddies on a small one.
    Vec3 flow = warp(noise, sample, 0.45, {4, 2.0, 0.5});
    Vec3 eddies = warp(noise, sample * 3 + Vec3{4.1, 7.3, 2.9}, 0.7, {3, 2.0, 0.5});
    double wobble = turbulence * (fbm(noise, flow, {6, 2.0, 0.55}) + 0.45 * fbm(noise, eddies, {4, 2.0, 0.5}));
    double position = (kPi / 2 - (latitude + wobble + shift)) / kPi;
    Colour c = bandColour(palette, position, edge);
    double fine = fbm(noise, Vec3{d.x * 6, d.y * 6, d.z * 6 * stretch * 2} + Vec3{3.3, 1.2, 8.8}, {4, 2.0, 0.5});
    c = shade(c, 1 + streaks * fine);
    c = shade(c, 1 - polarDarkening * smoothstep(0.9, 1.5, std::fabs(latitude)));
    c = mix(c, pale, 0.4 * collarMix);
    return mix(c, stormColour, stormMix);
  });
}

}  // namespace datagen
