// Area-weighted quantiles of fields on the sphere.
#include "surface_fraction.h"

#include <utility>
#include <vector>

namespace datagen {

double levelForShare(const ScalarGrid& field, const SphereGrid& grid, double share) {
  std::vector<std::pair<float, double>> samples;  // value, area weight
  samples.reserve(field.values.size());
  double total = 0;
  for (int y = 0; y < field.height; ++y) {
    double weight = grid.cosLatitude(y);
    for (int x = 0; x < field.width; ++x) samples.emplace_back(field.at(x, y), weight);
    total += weight * field.width;
  }
  std::sort(samples.begin(), samples.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  double covered = 0, target = clamp01(share) * total;
  for (const auto& sample : samples) {
    covered += sample.second;
    if (covered >= target) return sample.first;
  }
  return samples.empty() ? 0.0 : samples.back().first;
}

}  // namespace datagen
