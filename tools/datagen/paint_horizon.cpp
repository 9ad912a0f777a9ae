// The loading screen's picture: an abstract sunrise over a planet's
// horizon seen from orbit. The dark planet's limb is a glowing arc of air,
// warm where the sun breaks over it and blue further along, the sun a
// starburst on the arc, and a thin orbit ring sweeps above. Bright on black
// (the saver adds it to the screen); its lower part falls below the screen,
// so everything keeps to the middle band.
#include <cmath>

#include "painters.h"
#include "plane_painting.h"

namespace datagen {

void paintHorizon(const PaintJob& job, Settings& settings, Picture& picture) {
  Colour air = settings.colour("air", {0.3f, 0.55f, 1.0f});
  Colour dawn = settings.colour("dawn", {1.0f, 0.55f, 0.2f});
  Colour sun = settings.colour("sun", {1.0f, 0.95f, 0.85f});
  Colour ring = settings.colour("ring", {0.55f, 0.7f, 1.0f});
  double horizon = settings.number("horizon", -0.05);  // height of the arc's top in -1..1
  double curve = settings.number("curve", 2.2);        // radius of the planet
  double airHeight = settings.number("air_height", 0.05);
  double ringTilt = settings.number("ring_tilt", -8) * 3.14159265358979323846 / 180;
  if (curve <= 0.5 || airHeight <= 0) settings.fail("\"curve\" needs a number above 0.5, \"air_height\" a positive one");
  airHeight = std::fmax(airHeight, 1e-3);
  double centreY = horizon - curve;
  paintPlane(picture, 4, [&](double px, double py) {
    CentredPoint p = centred(picture, px, py);
    double r = std::sqrt(p.x * p.x + (p.y - centreY) * (p.y - centreY));
    double height = r - curve;  // above the limb when positive
    // Along the limb from the sun at the top: 0 there, 1 at the sides.
    double along = std::fabs(std::atan2(p.x, p.y - centreY)) / 0.55;
    double sunside = std::exp(-along * along * 2.5);
    double fade = smoothstep(0.85, 0.35, along);
    Colour c{0, 0, 0, 1};
    // The air above the limb, and the thin lit crescent just below it.
    double glow = height > 0 ? std::exp(-height / airHeight) : std::exp(height / (airHeight * 0.25));
    Colour airColour = mix(air, dawn, sunside * smoothstep(airHeight * 2, 0.0, std::fabs(height)));
    c = c + shade(airColour, glow * fade * (0.35 + 0.65 * sunside));
    // The sun on the limb: a core and a few long rays, and scattered light
    // spreading over the sky around it.
    double sx = p.x, sy = p.y - (horizon + airHeight * 0.3);
    double sr = std::sqrt(sx * sx + sy * sy);
    if (height > 0) c = c + shade(mix(air, dawn, 0.4), 0.25 * std::exp(-std::pow(sr / 0.3, 2)));
    double across = std::exp(-std::pow(sy / (0.006 + 0.01 * sr), 2)) * std::exp(-std::pow(sx / 0.45, 2)) * 0.8;
    double upward = std::exp(-std::pow(sx / (0.004 + 0.006 * sr), 2)) * std::exp(-std::fabs(sy) / 0.16) * 0.5;
    double core = std::exp(-std::pow(sr / 0.035, 2)) + 0.4 * std::exp(-sr / 0.08);
    // The planet hides what lies below the limb.
    c = c + shade(sun, height > -0.01 ? core + across + upward : 0.3 * (core + across) + 0.05 * upward);
    // A thin orbit ring around the planet, passing behind it.
    double cx = p.x * std::cos(ringTilt) + (p.y - horizon - 0.02) * std::sin(ringTilt);
    double cy = -p.x * std::sin(ringTilt) + (p.y - horizon - 0.02) * std::cos(ringTilt);
    double ellipse = std::sqrt(cx * cx / (0.92 * 0.92) + cy * cy / (0.2 * 0.2));
    double line = std::exp(-std::pow((ellipse - 1) / 0.018, 2));
    bool behind = cy > 0 && height < 0;
    double ends = smoothstep(0.95, 0.6, std::fabs(cx));
    c = c + shade(ring, (behind ? 0.0 : 0.45) * line * ends);
    // Nothing reaches the picture's edges.
    c = shade(c, smoothstep(0.97, 0.85, std::fmax(std::fabs(p.x), std::fabs(p.y))));
    c.a = 1;
    return c;
  });
}

}  // namespace datagen
