// Round sprites for additive drawing, bright on black and black at the
// edges of their square: the billboard glow, the atmosphere rim, the
// particle dot, and the flare's lens elements (a hexagonal aperture ghost,
// a ring, and the starburst of the light itself). Each is radially built in
// the square's -1..1 frame and supersampled.
#include <cmath>
#include <vector>

#include "painters.h"
#include "plane_painting.h"
#include "random.h"
#include "sphere_mapping.h"

namespace datagen {

namespace {

constexpr int kSamples = 4;

// 1 at the centre falling smoothly to exactly 0 at radius 1: keeps the
// glows black at their edge whatever their own profile does.
double window(double r) { return r < 1 ? (1 - r * r) * (1 - r * r) : 0; }

// 1 up to radius 0.9, then down to 0 at radius 1: the same for shapes with
// edges of their own (rings, ghosts), without dimming them.
double edgeFade(double r) { return smoothstep(1.0, 0.9, r); }

// Paints colour x profile(x, y) over the square.
template <class Profile>
void paintProfile(Picture& picture, Colour colour, Profile&& profile) {
  paintPlane(picture, kSamples, [&](double px, double py) {
    CentredPoint p = centred(picture, px, py);
    Colour c = shade(colour, profile(p.x, p.y));
    c.a = 1;
    return c;
  });
}

}  // namespace

void paintGlow(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour colour = settings.colour("colour", {1, 1, 1});
  double core = settings.number("core", 0.3);          // share of the bright core
  double coreSize = settings.number("core_size", 0.12);  // its radius
  double falloff = settings.number("falloff", 3);      // how fast the halo fades
  if (coreSize <= 0 || falloff <= 0) settings.fail("\"core_size\" and \"falloff\" need positive numbers");
  coreSize = std::fmax(coreSize, 1e-3);
  paintProfile(picture, colour, [&](double x, double y) {
    double r = std::sqrt(x * x + y * y);
    return (core * std::exp(-std::pow(r / coreSize, 2)) + (1 - core) * std::exp(-falloff * r)) * window(r);
  });
}

void paintHalo(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour colour = settings.colour("colour", {0.32f, 0.55f, 1.0f});
  double rim = settings.number("rim", 0.88);      // radius of the brightest ring: the limb
  double inner = settings.number("inner", 0.09);  // how far it spreads inward
  double outer = settings.number("outer", 0.04);  // and outward
  double fill = settings.number("fill", 0.25);    // the tint over the disc, growing toward the limb
  if (rim <= 0 || rim >= 1 || inner <= 0 || outer <= 0)
    settings.fail("\"rim\" needs 0 < r < 1 and \"inner\", \"outer\" positive numbers");
  inner = std::fmax(inner, 1e-3);
  outer = std::fmax(outer, 1e-3);
  paintProfile(picture, colour, [&](double x, double y) {
    double r = std::sqrt(x * x + y * y);
    double spread = r < rim ? inner : outer;
    double ring = std::exp(-std::pow((r - rim) / spread, 2));
    double tint = r < rim ? fill * std::pow(r / rim, 3) : fill * ring;
    return std::fmin(1.0, ring + tint) * window(std::fmax(0.0, r - rim) / (1 - rim) * 0.999);
  });
}

void paintDot(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour colour = settings.colour("colour", {1, 1, 1});
  double power = settings.number("power", 2);  // higher: a smaller bright middle
  if (power <= 0) settings.fail("\"power\" needs a positive number");
  paintProfile(picture, colour, [&](double x, double y) {
    double r = std::sqrt(x * x + y * y);
    return std::pow(window(r), std::fmax(power, 1e-3) * 0.5);
  });
}

void paintLensRing(const PaintJob& job, Settings& settings, Picture& picture) {
  double radius = settings.number("radius", 0.72);
  double width = settings.number("width", 0.07);
  double fill = settings.number("fill", 0.08);       // faint light inside the ring
  double fringe = settings.number("fringe", 0.035);  // red outside, blue inside
  if (radius <= 0 || radius >= 1 || width <= 0) settings.fail("\"radius\" needs 0 < r < 1, \"width\" a positive number");
  width = std::fmax(width, 1e-3);
  paintPlane(picture, kSamples, [&](double px, double py) {
    CentredPoint p = centred(picture, px, py);
    double r = std::sqrt(p.x * p.x + p.y * p.y);
    auto band = [&](double centre) { return std::exp(-std::pow((r - centre) / width, 2)); };
    double inside = fill * smoothstep(radius + width, radius - 2 * width, r);
    double w = edgeFade(r);
    return Colour{static_cast<float>((band(radius + fringe) + inside) * w),
                  static_cast<float>((band(radius) + inside) * w),
                  static_cast<float>((band(radius - fringe) + inside) * w), 1};
  });
}

void paintGhost(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour colour = settings.colour("colour", {1, 1, 1});
  int sides = settings.integer("sides", 6, 3, 16);
  double radius = settings.number("radius", 0.8);  // from the centre to a side's middle
  double edge = settings.number("edge", 0.05);     // softness of the rim
  double fill = settings.number("fill", 0.3);      // brightness inside, the rim is 1
  double turn = settings.number("turn", 15) * kPi / 180;
  if (radius <= 0 || radius >= 1 || edge <= 0) settings.fail("\"radius\" needs 0 < r < 1, \"edge\" a positive number");
  edge = std::fmax(edge, 1e-3);
  paintProfile(picture, colour, [&](double x, double y) {
    // Distance outward across the polygon's nearest side.
    double angle = std::atan2(y, x) - turn, sector = kTwoPi / sides;
    double local = angle - sector * std::floor(angle / sector + 0.5);
    double across = std::sqrt(x * x + y * y) * std::cos(local);
    double inside = smoothstep(radius + edge * 0.5, radius - edge * 0.5, across);
    double rim = std::exp(-std::pow((across - radius + 0.7 * edge) / edge, 2));
    // Brighter toward one side, as real ghosts are.
    double shading = 0.85 + 0.15 * (x - y) / 1.4142;
    return inside * (fill + (1 - fill) * rim) * shading * edgeFade(std::sqrt(x * x + y * y));
  });
}

void paintBurst(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour colour = settings.colour("colour", {1.0f, 0.96f, 0.9f});
  Colour streakColour = settings.colour("streak_colour", {0.6f, 0.75f, 1.0f});
  int rays = settings.integer("rays", 12, 0, 64);
  double rayWidth = settings.number("ray_width", 0.018);  // at the centre, narrowing outward
  double streak = settings.number("streak", 0.6);         // brightness of the horizontal streak
  double coreSize = settings.number("core_size", 0.1);
  if (rayWidth <= 0 || coreSize <= 0) settings.fail("\"ray_width\" and \"core_size\" need positive numbers");
  rayWidth = std::fmax(rayWidth, 1e-4);
  coreSize = std::fmax(coreSize, 1e-3);
  struct Spike {
    double angle, length, brightness;
  };
  std::vector<Spike> spikes;
  Random random(job.seed);
  for (int i = 0; i < rays; ++i) {
    double angle = kTwoPi * (i + random.range(-0.2, 0.2)) / rays;
    spikes.push_back({angle, random.range(0.45, 1.0), random.range(0.4, 1.0)});
  }
  paintPlane(picture, kSamples, [&](double px, double py) {
    CentredPoint p = centred(picture, px, py);
    double r = std::sqrt(p.x * p.x + p.y * p.y), a = std::atan2(p.y, p.x);
    double light = std::exp(-std::pow(r / coreSize, 2)) + 0.35 * std::exp(-r / (coreSize * 2.5));
    for (const Spike& spike : spikes) {
      double off = std::remainder(a - spike.angle, kTwoPi) * r;  // distance across the ray
      double width = rayWidth * (1 - 0.7 * std::fmin(1.0, r / spike.length)) + 1e-4;
      double along = std::fmax(0.0, 1 - r / spike.length);
      light += spike.brightness * along * along * std::exp(-std::pow(off / width, 2));
    }
    double w = window(r);
    Colour c = shade(colour, std::fmin(1.0, light) * w);
    // A thin horizontal streak across the whole square.
    double band = streak * std::exp(-std::pow(p.y / 0.012, 2)) * std::pow(std::fmax(0.0, 1 - std::fabs(p.x)), 2);
    c = c + shade(streakColour, band);
    c.a = 1;
    return c;
  });
}

}  // namespace datagen
