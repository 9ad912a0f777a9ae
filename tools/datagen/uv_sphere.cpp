// Builds the unit UV sphere.
#include "uv_sphere.h"

#include "sphere_mapping.h"

namespace datagen {

namespace {

Float3 toFloat3(Vec3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }

}  // namespace

Mesh buildUvSphere(int segments, int rings) {
  Mesh mesh;
  const std::uint32_t M = static_cast<std::uint32_t>(segments), N = static_cast<std::uint32_t>(rings);
  // Rings are numbered from the north pole (0) to the south pole (N).
  auto latitudeOfRing = [N](std::uint32_t ring) { return kPi / 2 - kPi * ring / N; };

  // Positions: the north pole, rings 1..N-1 of M points each, the south pole.
  mesh.positions.push_back(toFloat3(spherePoint(0, kPi / 2)));
  for (std::uint32_t ring = 1; ring < N; ++ring)
    for (std::uint32_t column = 0; column < M; ++column)
      mesh.positions.push_back(toFloat3(spherePoint(kTwoPi * column / M, latitudeOfRing(ring))));
  mesh.positions.push_back(toFloat3(spherePoint(0, -kPi / 2)));
  const std::uint32_t northPole = 0, southPole = 1 + (N - 1) * M;
  auto vertex = [M](std::uint32_t ring, std::uint32_t column) { return 1 + (ring - 1) * M + column % M; };

  // Texture coordinates: rings 1..N-1 with M+1 columns (the seam twice),
  // then one per pole triangle at the north and at the south.
  for (std::uint32_t ring = 1; ring < N; ++ring)
    for (std::uint32_t column = 0; column <= M; ++column)
      mesh.texcoords.push_back({static_cast<float>(column) / M, 1.0f - static_cast<float>(ring) / N});
  const std::uint32_t northCaps = (N - 1) * (M + 1), southCaps = northCaps + M;
  for (std::uint32_t column = 0; column < M; ++column)
    mesh.texcoords.push_back({(column + 0.5f) / M, 1.0f});
  for (std::uint32_t column = 0; column < M; ++column)
    mesh.texcoords.push_back({(column + 0.5f) / M, 0.0f});
  auto texcoord = [M](std::uint32_t ring, std::uint32_t column) { return (ring - 1) * (M + 1) + column; };

  // In picture space (u right, v up) counter-clockwise is also
  // counter-clockwise on the sphere seen from outside.
  auto addTriangle = [&mesh](Index3 vertices, Index3 texcoords) {
    mesh.vertexIndices.push_back(vertices);
    mesh.texcoordIndices.push_back(texcoords);
    std::array<Float3, 3> normals;
    for (int corner = 0; corner < 3; ++corner) {
      const Float3& p = mesh.positions[vertices[corner]];
      normals[corner] = toFloat3(normalize(Vec3{p[0], p[1], p[2]}));
    }
    mesh.cornerNormals.push_back(normals);
  };
  for (std::uint32_t column = 0; column < M; ++column) {
    addTriangle({vertex(1, column), vertex(1, column + 1), northPole},
                {texcoord(1, column), texcoord(1, column + 1), northCaps + column});
  }
  for (std::uint32_t ring = 1; ring + 1 < N; ++ring) {
    for (std::uint32_t column = 0; column < M; ++column) {
      // The quad between ring (above) and ring + 1 (below).
      Index3 quad{vertex(ring + 1, column), vertex(ring + 1, column + 1), vertex(ring, column + 1)};
      Index3 quadTex{texcoord(ring + 1, column), texcoord(ring + 1, column + 1), texcoord(ring, column + 1)};
      addTriangle(quad, quadTex);
      addTriangle({vertex(ring + 1, column), vertex(ring, column + 1), vertex(ring, column)},
                  {texcoord(ring + 1, column), texcoord(ring, column + 1), texcoord(ring, column)});
    }
  }
  for (std::uint32_t column = 0; column < M; ++column) {
    addTriangle({vertex(N - 1, column), southPole, vertex(N - 1, column + 1)},
                {texcoord(N - 1, column), southCaps + column, texcoord(N - 1, column + 1)});
  }
  return mesh;
}

}  // namespace datagen
