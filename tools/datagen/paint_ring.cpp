// Saturn's rings as a square picture of the whole ring system seen face-on:
// the planet's centre is the picture's centre and the picture's edge is the
// radius "outer" (km). The radial profile comes from the "stop" settings,
// each KM/ALPHA/RRGGBB, interpolated in between, roughened by fine ringlets; alpha is 0 outside
// the first and last stop. The colour is kept even where alpha is 0, so
// mipmaps do not darken the edges of gaps.
//
// Drawn as a flat square of half-side outer (for example a billboard that
// keeps its orientation), centred on the planet: with Saturn's radius of
// 60268 km and outer = 140500, the half-side is 2.331 planet radii.
#include <vector>

#include "noise.h"
#include "painters.h"

namespace datagen {

namespace {

struct RingStop {
  double radius;
  double alpha;
  Colour colour;
};

bool parseStop(const std::string& text, RingStop& stop) {
  std::vector<std::string> parts = splitList(text, '/');
  return parts.size() == 3 && parseNumber(parts[0], stop.radius) && parseNumber(parts[1], stop.alpha) &&
         parseColour(parts[2], stop.colour);
}

// Alpha and colour of the profile at a radius.
Colour profileAt(const std::vector<RingStop>& stops, double radius) {
  if (stops.empty()) return {0, 0, 0, 0};
  if (radius <= stops.front().radius) return {stops.front().colour.r, stops.front().colour.g, stops.front().colour.b, 0};
  if (radius >= stops.back().radius) return {stops.back().colour.r, stops.back().colour.g, stops.back().colour.b, 0};
  std::size_t i = 1;
  while (stops[i].radius < radius) ++i;
  const RingStop& a = stops[i - 1];
  const RingStop& b = stops[i];
  double t = b.radius > a.radius ? (radius - a.radius) / (b.radius - a.radius) : 1.0;
  Colour c = mix(a.colour, b.colour, t);
  c.a = static_cast<float>(a.alpha + (b.alpha - a.alpha) * t);
  return c;
}

}  // namespace

void paintRing(const PaintJob& job, Settings& settings, Picture& picture) {
  double outer = settings.number("outer", 140500);
  double grain = settings.number("grain", 0.25);  // strength of the ringlets
  std::vector<RingStop> stops;
  for (const std::string& text : settings.repeated("stop")) {
    RingStop stop;
    if (!parseStop(text, stop) || stop.alpha < 0 || stop.alpha > 1 ||
        (!stops.empty() && stop.radius < stops.back().radius)) {
      settings.fail("\"stop\" needs KM/ALPHA/RRGGBB, in rising order of radius, not \"" + text + "\"");
      break;
    }
    stops.push_back(stop);
  }
  if (stops.size() < 2) settings.fail("a ring needs at least two \"stop\" settings");
  if (outer <= 0) settings.fail("\"outer\" needs a positive radius");
  if (job.width != job.height) settings.fail("a ring picture must be square");

  // The ring depends on the radius alone: tabulate it finely once, then
  // read every texel from the table.
  GradientNoise noise(job.seed);
  const double half = job.width / 2.0;
  const double kmPerTexel = outer / half;
  const int stepsPerTexel = 8;
  std::vector<Colour> table(static_cast<std::size_t>(half * 1.5 * stepsPerTexel) + 2);
  for (std::size_t i = 0; i < table.size(); ++i) {
    double radius = static_cast<double>(i) / stepsPerTexel * kmPerTexel;
    Colour c = profileAt(stops, radius);
    double ringlets = fbm(noise, Vec3{radius / 700.0, 0.5, 0.5}, {5, 2.1, 0.6});
    c.a = static_cast<float>(clamp01(c.a * (1 + grain * ringlets)));
    table[i] = shade(c, 1 + 0.5 * grain * ringlets);
  }
  for (int y = 0; y < job.height; ++y) {
    for (int x = 0; x < job.width; ++x) {
      double dx = x + 0.5 - half, dy = y + 0.5 - half;
      double centre = std::sqrt(dx * dx + dy * dy) * stepsPerTexel;
      // Average across the texel's radial width, weighting colour by alpha
      // so that gaps do not darken the colour.
      Colour sum{0, 0, 0, 0};
      int first = static_cast<int>(centre) - stepsPerTexel / 2;
      for (int k = 0; k < stepsPerTexel; ++k) {
        const Colour& c = table[static_cast<std::size_t>(std::max(0, first + k))];
        sum = sum + Colour{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
      }
      const Colour& middle = table[static_cast<std::size_t>(centre)];
      Colour c = sum.a > 0 ? Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / stepsPerTexel} : middle;
      if (sum.a <= 0) c.a = 0;
      picture.at(x, y) = c;
    }
  }
}

}  // namespace datagen
