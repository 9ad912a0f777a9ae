// The asteroid field: how many asteroids each detail gives, where they lie,
// and the fixed order of the random draws that makes them.
#include <set>

#include "math/random.h"
#include "sphere_test_support.h"
#include "world/world.h"

namespace sphere_test {
namespace {

using AsteroidFieldTest = SphereTest;

TEST_F(AsteroidFieldTest, DetailChoosesTheGridStepAndOutOfRangeValuesAreClamped) {
  const std::pair<std::int32_t, std::size_t> cases[] = {{2, 1500}, {1, 375}, {0, 170}, {-7, 170}, {9, 1500}};
  for (const auto& [detail, count] : cases) {
    settings::Detail = detail;
    deleteAll(objects_);
    buildAsteroidField(objects_);
    EXPECT_EQ(objects_.size(), count) << "detail " << detail;
  }
}

TEST_F(AsteroidFieldTest, AsteroidsShareThreeMeshListsAndOnlyTheFirstHasATexture) {
  useArchive({{"meshes\\aster.dat", meshFileBytes(uvSphere(3, 4))},
              {"meshes\\aster2.dat", meshFileBytes(uvSphere(4, 5))},
              {"meshes\\aster3.dat", meshFileBytes(uvSphere(5, 6))}});
  settings::Detail = 1;
  buildAsteroidField(objects_);
  ASSERT_EQ(objects_.size(), 375u);

  std::set<std::uint32_t> lists;
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    const Sphere& asteroid = sphereAt(i);
    lists.insert(asteroid.displayList);
    EXPECT_EQ(asteroid.textured, i == 0);
    EXPECT_FALSE(asteroid.orbit);
    EXPECT_GE(asteroid.radius, 0.1f);
    EXPECT_LE(asteroid.radius, 3.6f);
    // Grid point (i, j) of step 2, moved by at most 1800 in any direction.
    const int column = static_cast<int>(i / 15) * 2, row = static_cast<int>(i % 15) * 2;
    const Vector3 offset = subtract(asteroid.position, Vector3((column - 25) * 1000.0f, 0, (row - 15) * 500.0f));
    EXPECT_LE(offset.length(), 1800.5f) << i;
  }
  EXPECT_EQ(lists.size(), 3u);
  for (std::uint32_t list : lists) EXPECT_TRUE(glIsList(list)) << list;
}

// The draws of one asteroid, replayed from the generator in their order.
struct ExpectedAsteroid {
  Vector3 position, orientAxis, spinAxis;
  int mesh;
  float radius, orientAngle, spinAngle, spinSpeed;
};

ExpectedAsteroid replayAsteroid(int column, int row) {
  randomUnit();  // the sphere's flashU
  randomUnit();  // and flashV
  ExpectedAsteroid a;
  const Vector3 offsetDirection = randomDirection();
  a.orientAxis = randomDirection();
  a.spinAxis = randomDirection();
  a.position = add(Vector3((column - 25) * 1000.0f, 0, (row - 15) * 500.0f),
                   scale(offsetDirection, static_cast<float>(randomUnit() * 1800.0)));
  a.mesh = static_cast<int>(randomUnit() * 2.9);
  a.radius = static_cast<float>(randomUnit() * 3.5 + 0.1);
  a.orientAngle = static_cast<float>(randomUnit() * 360.0);
  a.spinAngle = static_cast<float>(randomUnit() * 6.0 + 0.3);
  a.spinSpeed = static_cast<float>(randomUnit() * 360.0);
  return a;
}

TEST_F(AsteroidFieldTest, RandomDrawsFollowTheFixedOrder) {
  settings::Detail = 0;
  seedRandom(1);
  buildAsteroidField(objects_);
  ASSERT_EQ(objects_.size(), 170u);

  seedRandom(1);
  const ExpectedAsteroid expected[] = {replayAsteroid(0, 0), replayAsteroid(0, 3), replayAsteroid(0, 6)};
  std::set<std::uint32_t> meshes;
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const Sphere& asteroid = sphereAt(k);
    const ExpectedAsteroid& e = expected[k];
    EXPECT_FLOAT_EQ(asteroid.position.x, e.position.x);
    EXPECT_FLOAT_EQ(asteroid.position.y, e.position.y);
    EXPECT_FLOAT_EQ(asteroid.position.z, e.position.z);
    EXPECT_FLOAT_EQ(asteroid.orientAxis.x, e.orientAxis.x);
    EXPECT_FLOAT_EQ(asteroid.spinAxis.z, e.spinAxis.z);
    EXPECT_FLOAT_EQ(asteroid.radius, e.radius);
    EXPECT_FLOAT_EQ(asteroid.orientAngle, e.orientAngle);
    EXPECT_FLOAT_EQ(asteroid.spinAngle, e.spinAngle);
    EXPECT_FLOAT_EQ(asteroid.spinSpeed, e.spinSpeed);
  }
  // Asteroids that drew the same mesh index share its list.
  for (int k = 0; k < 3; ++k) {
    for (int m = 0; m < 3; ++m) {
      EXPECT_EQ(sphereAt(k).displayList == sphereAt(m).displayList, expected[k].mesh == expected[m].mesh);
    }
  }
}

TEST_F(AsteroidFieldTest, AsteroidWorldAtMediumDetailHolds375Asteroids) {
  settings::Detail = 1;
  WorldList worlds;
  const EnvironmentList noEnvironments;
  buildAsteroidWorld(worlds, noEnvironments);
  ASSERT_EQ(worlds.size(), 1u);
  EXPECT_STREQ(worlds[0]->name, "aster");
  EXPECT_EQ(worlds[0]->objects.size(), 375u);
  deleteAll(worlds[0]->objects);
  deleteAll(worlds);
}

}  // namespace
}  // namespace sphere_test
