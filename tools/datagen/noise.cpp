// Gradient, fractal and cellular noise.
#include "noise.h"

#include <cmath>
#include <utility>

#include "random.h"

namespace datagen {

namespace {

double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double lerp(double a, double b, double t) { return a + t * (b - a); }

// Dot product of the offset with one of 12 cube-edge gradients.
double gradient(int hash, double x, double y, double z) {
  int h = hash & 15;
  double u = h < 8 ? x : y;
  double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
  return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

// Octave offsets keep octaves from sharing lattice points at the origin.
Vec3 octaveOffset(int octave) {
  return {17.31 * octave + 0.13, 9.77 * octave + 0.71, 23.19 * octave + 0.37};
}

}  // namespace

GradientNoise::GradientNoise(std::uint64_t seed) {
  std::array<std::uint8_t, 256> shuffled{};
  for (int i = 0; i < 256; ++i) shuffled[i] = static_cast<std::uint8_t>(i);
  Random random(seed);
  for (int i = 255; i > 0; --i) std::swap(shuffled[i], shuffled[random.below(i + 1)]);
  for (int i = 0; i < 512; ++i) permutation_[i] = shuffled[i & 255];
}

double GradientNoise::operator()(Vec3 p) const {
  double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
  int X = static_cast<int>(static_cast<long long>(fx) & 255);
  int Y = static_cast<int>(static_cast<long long>(fy) & 255);
  int Z = static_cast<int>(static_cast<long long>(fz) & 255);
  double x = p.x - fx, y = p.y - fy, z = p.z - fz;
  double u = fade(x), v = fade(y), w = fade(z);
  const auto& P = permutation_;
  int A = P[X] + Y, AA = P[A] + Z, AB = P[A + 1] + Z;
  int B = P[X + 1] + Y, BA = P[B] + Z, BB = P[B + 1] + Z;
  return lerp(lerp(lerp(gradient(P[AA], x, y, z), gradient(P[BA], x - 1, y, z), u),
                   lerp(gradient(P[AB], x, y - 1, z), gradient(P[BB], x - 1, y - 1, z), u), v),
              lerp(lerp(gradient(P[AA + 1], x, y, z - 1), gradient(P[BA + 1], x - 1, y, z - 1), u),
                   lerp(gradient(P[AB + 1], x, y - 1, z - 1), gradient(P[BB + 1], x - 1, y - 1, z - 1), u),
                   v),
              w);
}

double fbm(const GradientNoise& noise, Vec3 p, const Fractal& fractal) {
  double sum = 0, amplitude = 1, total = 0, frequency = 1;
  for (int octave = 0; octave < fractal.octaves; ++octave) {
    sum += amplitude * noise(p * frequency + octaveOffset(octave));
    total += amplitude;
    amplitude *= fractal.gain;
    frequency *= fractal.lacunarity;
  }
  return total > 0 ? sum / total : 0;
}

double ridged(const GradientNoise& noise, Vec3 p, const Fractal& fractal) {
  double sum = 0, amplitude = 1, total = 0, frequency = 1, weight = 1;
  for (int octave = 0; octave < fractal.octaves; ++octave) {
    double crest = 1.0 - std::fabs(noise(p * frequency + octaveOffset(octave)));
    crest *= crest * weight;
    weight = crest < 1 ? crest : 1;
    sum += amplitude * crest;
    total += amplitude;
    amplitude *= fractal.gain;
    frequency *= fractal.lacunarity;
  }
  return total > 0 ? sum / total : 0;
}

Vec3 warp(const GradientNoise& noise, Vec3 p, double amount, const Fractal& fractal) {
  Vec3 offset{fbm(noise, p + Vec3{5.2, 1.3, 7.7}, fractal), fbm(noise, p + Vec3{1.7, 9.2, 3.4}, fractal),
              fbm(noise, p + Vec3{8.3, 2.8, 6.1}, fractal)};
  return p + offset * amount;
}

CellDistances cellular(Vec3 p, std::uint64_t seed) {
  int cx = static_cast<int>(std::floor(p.x));
  int cy = static_cast<int>(std::floor(p.y));
  int cz = static_cast<int>(std::floor(p.z));
  double nearest = 1e9, second = 1e9;
  for (int dz = -1; dz <= 1; ++dz) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        // One hash gives the three coordinates of the cell's feature point.
        std::uint64_t h = hashLattice(cx + dx, cy + dy, cz + dz, seed);
        const double scale = 1.0 / (1 << 21);
        Vec3 feature{cx + dx + (h & 0x1FFFFF) * scale, cy + dy + ((h >> 21) & 0x1FFFFF) * scale,
                     cz + dz + ((h >> 42) & 0x1FFFFF) * scale};
        Vec3 d = feature - p;
        double distance2 = dot(d, d);
        if (distance2 < nearest) {
          second = nearest;
          nearest = distance2;
        } else if (distance2 < second) {
          second = distance2;
        }
      }
    }
  }
  return {std::sqrt(nearest), std::sqrt(second)};
}

}  // namespace datagen
