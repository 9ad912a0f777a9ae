// Settings and framing shared by the rendered views.
#include "view_settings.h"

#include <cmath>

namespace datagen {

namespace {

constexpr double kFramingDistance = 40;

}  // namespace

Vec3 directionSetting(Settings& settings, const std::string& key, Vec3 fallback) {
  std::vector<double> v = settings.numbers(key, {fallback.x, fallback.y, fallback.z});
  if (v.size() != 3 || length({v[0], v[1], v[2]}) <= 0) {
    settings.fail("\"" + key + "\" needs a direction x,y,z");
    return fallback;
  }
  return normalize({v[0], v[1], v[2]});
}

ViewCamera framingCamera() {
  double fieldOfView = 2 * std::atan(1 / kFramingDistance) * 180 / 3.14159265358979323846;
  return ViewCamera({0, 0, kFramingDistance}, {0, 0, 0}, {0, 1, 0}, fieldOfView);
}

}  // namespace datagen
