// Coherent noise for the picture and mesh generators: 3D gradient noise, its
// fractal sums (fBm and ridged), a domain warp and cellular (Worley) noise.
//
// Everything is sampled in 3D. Pictures are wrapped on spheres, so a picture
// samples the noise on the unit sphere at each texel's direction: the result
// is seamless in longitude and not pinched at the poles.
#pragma once

#include <array>
#include <cstdint>

#include "vec3.h"

namespace datagen {

// Improved gradient noise on a 256-periodic lattice shuffled by the seed.
// Values lie roughly in -1..1 and are 0 at lattice points.
class GradientNoise {
 public:
  explicit GradientNoise(std::uint64_t seed);
  double operator()(Vec3 p) const;

 private:
  std::array<std::uint8_t, 512> permutation_{};
};

struct Fractal {
  int octaves = 6;
  double lacunarity = 2.0;
  double gain = 0.5;
};

// Sum of octaves of noise, normalised to roughly -1..1.
double fbm(const GradientNoise& noise, Vec3 p, const Fractal& fractal = {});

// Ridged multifractal-style sum: sharp crests near 1, valleys near 0.
double ridged(const GradientNoise& noise, Vec3 p, const Fractal& fractal = {});

// p displaced by a vector of three decorrelated fBm values times amount.
Vec3 warp(const GradientNoise& noise, Vec3 p, double amount, const Fractal& fractal = {});

// Distances to the nearest and second-nearest feature point, one feature
// point per unit lattice cell.
struct CellDistances {
  double nearest = 0;
  double second = 0;
};
CellDistances cellular(Vec3 p, std::uint64_t seed);

}  // namespace datagen
