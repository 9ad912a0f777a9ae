// A layer's step from the scene clock: the state between two keys, hidden
// outside its keyed span, frozen layers, and key lists that are short, out
// of time order or hold two keys at one time.
#include <cmath>
#include <vector>

#include "hud_test_support.h"

namespace hud_test {
namespace {

using HudUpdateTest = HudTest;

struct Sample {
  float time;
  bool shown;
  float alpha;  // when shown
  float x;      // when shown
};

void expectSamples(HudLayer& layer, const std::vector<Sample>& samples) {
  for (const Sample& sample : samples) {
    SCOPED_TRACE(testing::Message() << "t = " << sample.time);
    sceneClock = sample.time;
    layer.show = true;
    layer.update(0.5f);  // the elapsed time plays no part
    EXPECT_EQ(layer.show, sample.shown);
    if (!sample.shown) continue;
    EXPECT_FALSE(std::isnan(layer.color.a));
    EXPECT_NEAR(layer.color.a, sample.alpha, 1e-5f);
    EXPECT_NEAR(layer.quad.x, sample.x, 1e-3f);
  }
}

TEST_F(HudUpdateTest, LayerTakesTheStateBetweenItsKeysAndHidesOutsideThem) {
  HudLayer layer;
  layer.keys = {keyAt(2.0f, 0.0f, 0.0f), keyAt(4.0f, 1.0f, 100.0f), keyAt(8.0f, 0.0f, 300.0f)};
  expectSamples(layer, {{1.0f, false, 0, 0},
                        {2.0f, true, 0.0f, 0.0f},
                        {3.0f, true, 0.5f, 50.0f},
                        {4.0f, true, 1.0f, 100.0f},  // the segment (2, 4) still applies
                        {6.0f, true, 0.5f, 200.0f},
                        {8.0f, true, 0.0f, 300.0f},
                        {9.0f, false, 0, 0}});
}

TEST_F(HudUpdateTest, EveryInterpolatedFieldBlendsAndShowComesFromTheEarlierKey) {
  HudLayer layer;
  HudKey a = keyAt(10.0f, 0.2f), b = keyAt(20.0f, 0.6f);
  a.quad = {0, 10, 20, 30};
  b.quad = {100, 110, 120, 130};
  a.color = {0.0f, 1.0f, 0.5f, 0.2f};
  b.color = {1.0f, 0.0f, 0.5f, 0.6f};
  a.offset = 0.0f, b.offset = 0.4f;
  a.tiling = {1, 2}, b.tiling = {3, 6};
  a.distance = 100.0f, b.distance = 300.0f;
  b.show = false;
  layer.keys = {a, b};
  sceneClock = 12.5f;
  layer.update(0.0f);
  EXPECT_TRUE(layer.show);
  EXPECT_FLOAT_EQ(layer.quad.x, 25.0f);
  EXPECT_FLOAT_EQ(layer.quad.y, 35.0f);
  EXPECT_FLOAT_EQ(layer.quad.width, 45.0f);
  EXPECT_FLOAT_EQ(layer.quad.height, 55.0f);
  EXPECT_FLOAT_EQ(layer.color.r, 0.25f);
  EXPECT_FLOAT_EQ(layer.color.g, 0.75f);
  EXPECT_FLOAT_EQ(layer.color.b, 0.5f);
  EXPECT_FLOAT_EQ(layer.color.a, 0.3f);
  EXPECT_FLOAT_EQ(layer.offset, 0.1f);
  EXPECT_FLOAT_EQ(layer.tiling.u, 1.5f);
  EXPECT_FLOAT_EQ(layer.tiling.v, 3.0f);
  EXPECT_FLOAT_EQ(layer.distance, 150.0f);
}

TEST_F(HudUpdateTest, HideCarriedOverToTheNextKeyHidesBothSegments) {
  HudLayer layer;
  std::vector<HudKey> keys = {keyAt(1, 1), keyAt(3, 1), keyAt(5, 1), keyAt(7, 1)};
  keys[0].show = keys[1].show = false;  // the second key inherits hide
  layer.keys = keys;
  expectSamples(layer, {{2.0f, false, 0, 0}, {4.0f, false, 0, 0}, {5.0f, false, 0, 0}, {6.0f, true, 1.0f, 0.0f}});
}

TEST_F(HudUpdateTest, ShortListsAndEmptyListsHide) {
  HudLayer layer;
  expectSamples(layer, {{0.0f, false, 0, 0}});
  layer.keys = {keyAt(1.0f, 1.0f)};
  expectSamples(layer, {{0.5f, false, 0, 0}, {1.0f, false, 0, 0}, {2.0f, false, 0, 0}});
}

TEST_F(HudUpdateTest, KeysAtOneTimeMakeACutWithoutDividingByZero) {
  HudLayer layer;
  layer.keys = {keyAt(3.0f, 0.0f, 10.0f), keyAt(3.0f, 1.0f, 20.0f), keyAt(5.0f, 0.0f, 40.0f)};
  expectSamples(layer, {{3.0f, true, 0.0f, 10.0f}, {4.0f, true, 0.5f, 30.0f}});
}

TEST_F(HudUpdateTest, KeysOutOfTimeOrderUseTheFirstPairAroundTheClock) {
  HudLayer layer;
  layer.keys = {keyAt(1.0f, 0.0f, 0.0f), keyAt(4.0f, 0.0f, 30.0f), keyAt(2.0f, 0.0f, 200.0f),
                keyAt(6.0f, 0.0f, 600.0f)};
  expectSamples(layer,
                {{0.5f, false, 0, 0}, {3.0f, true, 0.0f, 20.0f}, {5.0f, true, 0.0f, 500.0f}, {7.0f, false, 0, 0}});
  layer.keys = {keyAt(5.0f, 0.0f), keyAt(2.0f, 0.0f), keyAt(4.0f, 0.0f)};  // the first key lies ahead
  expectSamples(layer, {{3.0f, false, 0, 0}});
}

TEST_F(HudUpdateTest, FrozenLayerKeepsItsStateAndIgnoresKeys) {
  HudLayer layer;
  layer.freeze = true;
  layer.show = false;
  layer.quad = {1, 2, 3, 4};
  layer.color.a = 0.7f;
  layer.keys = {keyAt(0.0f, 0.0f, 50.0f), keyAt(10.0f, 0.0f, 50.0f)};
  sceneClock = 5.0f;
  layer.update(0.0f);
  EXPECT_FALSE(layer.show);
  EXPECT_FLOAT_EQ(layer.quad.x, 1.0f);
  EXPECT_FLOAT_EQ(layer.color.a, 0.7f);
  layer.keys.clear();
  layer.show = true;
  layer.update(0.0f);
  EXPECT_TRUE(layer.show);  // frozen layers show without keys
}

TEST_F(HudUpdateTest, EveryLayerOfTheListIsUpdated) {
  HudLayer& first = addLayer("first");
  HudLayer& second = addLayer("second");
  second.keys = {keyAt(0.0f, 0.0f), keyAt(2.0f, 1.0f)};
  sceneClock = 1.0f;
  updateAllHudLayers(0.0f);
  EXPECT_FALSE(first.show);
  EXPECT_TRUE(second.show);
  EXPECT_FLOAT_EQ(second.color.a, 0.5f);
}

}  // namespace
}  // namespace hud_test
