#include "tiling/core/spatial.hpp"

#include <gtest/gtest.h>

#include "tiling/core/templates.hpp"

namespace tavorin {
namespace {

using enum Direction;
using Region = EdgeSnap::Region;
const TRect screen{0, 0, 1000, 800};

std::vector<TRect> zonesOf(int builtIn) {
  return LayoutTemplate::defaults()[static_cast<std::size_t>(builtIn)].root.zoneRects(screen);
}

TEST(ZoneNavigationTest, NeighboursInBuiltInLayouts) {
  struct Case {
    const char* name;
    std::vector<TRect> zones;
    int from;
    Direction direction;
    std::optional<int> expected;
  };
  const auto columns = zonesOf(1);
  const auto quad = zonesOf(3);
  const auto mainAndStack = zonesOf(2);
  const std::vector<Case> cases = {
      {"columns left", columns, 1, left, 0},
      {"columns right", columns, 1, right, 2},
      {"columns up", columns, 1, up, std::nullopt},
      {"columns past the edge", columns, 2, right, std::nullopt},
      {"quad down keeps the column", quad, 0, down, 2},
      {"quad right", quad, 0, right, 1},
      {"quad up from bottom right", quad, 3, up, 1},
      {"stack to main", mainAndStack, 2, left, 0},
      {"main to the upper stack zone on a tie", mainAndStack, 0, right, 1},
      {"index out of range", columns, 3, left, std::nullopt},
      {"negative index", columns, -1, left, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZoneNavigation::neighbor(c.from, c.direction, c.zones), c.expected) << c.name;
  }
}

TEST(ZoneNavigationTest, SharedEdgeSpanBeatsNearness) {
  const std::vector<TRect> zones = {
      {0, 0, 100, 100},
      {150, 300, 100, 100},  // close, but shares no vertical extent
      {500, 0, 100, 100},    // far, level with the source
  };
  EXPECT_EQ(ZoneNavigation::neighbor(0, right, zones), 2);
  EXPECT_EQ(ZoneNavigation::span({0, 0, 10, 10}, {20, -5, 10, 10}), (TRect{0, -5, 30, 15}));
}

TEST(EdgeSnapTest, RegionsAlongTheEdges) {
  struct Case {
    TPoint at;
    std::optional<Region> expected;
  };
  const std::vector<Case> cases = {
      {{2, 400}, Region::leftHalf},     {{2, 30}, Region::topLeft},
      {{2, 750}, Region::bottomLeft},   {{500, 2}, Region::maximize},
      {{30, 2}, Region::topLeft},       {{970, 4}, Region::topRight},
      {{995, 400}, Region::rightHalf},  {{995, 790}, Region::bottomRight},
      {{1001, 400}, Region::rightHalf}, {{30, 797}, Region::bottomLeft},
      {{500, 797}, std::nullopt},       {{500, 794}, std::nullopt},
      {{-2, 400}, std::nullopt},        {{1001.5, 400}, std::nullopt},
      {{500, 400}, std::nullopt},       {{5, 400}, std::nullopt},
      {{-1, 400}, Region::leftHalf},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EdgeSnap::region(c.at, screen, 4, 60), c.expected) << c.at.x << ", " << c.at.y;
  }
}

TEST(EdgeSnapTest, FramesKeepTheGap) {
  EXPECT_EQ(EdgeSnap::frame(Region::leftHalf, screen, 8), (TRect{8, 8, 488, 784}));
  EXPECT_EQ(EdgeSnap::frame(Region::rightHalf, screen, 8), (TRect{504, 8, 488, 784}));
  EXPECT_EQ(EdgeSnap::frame(Region::bottomRight, screen, 8), (TRect{504, 404, 488, 388}));
  EXPECT_EQ(EdgeSnap::frame(Region::topLeft, {100, 50, 1000, 800}, 0), (TRect{100, 50, 500, 400}));
  EXPECT_EQ(EdgeSnap::frame(Region::maximize, screen, 8), (TRect{8, 8, 984, 784}));
  EXPECT_EQ(EdgeSnap::frame(Region::bottomLeft, {0, 0, 10, 10}, 40), (TRect{40, 40, 0, 0}));
}

TEST(EdgeSnapTest, ComplementaryRegionsFillTheRest) {
  using V = std::vector<Region>;
  EXPECT_EQ(EdgeSnap::complementaryRegions(Region::leftHalf), V{Region::rightHalf});
  EXPECT_EQ(EdgeSnap::complementaryRegions(Region::rightHalf), V{Region::leftHalf});
  EXPECT_EQ(EdgeSnap::complementaryRegions(Region::maximize), V{});
  EXPECT_EQ(EdgeSnap::complementaryRegions(Region::topRight),
            (V{Region::topLeft, Region::bottomLeft, Region::bottomRight}));
  EXPECT_EQ(EdgeSnap::complementaryRegions(Region::bottomLeft),
            (V{Region::topLeft, Region::topRight, Region::bottomRight}));
}

TEST(SmartResizeTest, NeighboursFollowTheMovedEdge) {
  const TRect old{0, 0, 500, 800};
  const TRect neighbour{508, 0, 492, 800};
  using M = std::map<int, TRect>;
  EXPECT_EQ(SmartResize::adjustments(old, {0, 0, 600, 800}, {neighbour}, 20, 120),
            (M{{0, {608, 0, 392, 800}}}));
  // Too narrow afterwards (92 < 120), or too far away (30 > 20): left alone.
  EXPECT_EQ(SmartResize::adjustments(old, {0, 0, 900, 800}, {neighbour}, 20, 120), M{});
  EXPECT_EQ(SmartResize::adjustments(old, {0, 0, 600, 800}, {{530, 0, 470, 800}}, 20, 120), M{});
  // A move of one point or less is no move.
  EXPECT_EQ(SmartResize::adjustments(old, {0, 0, 501, 800}, {neighbour}, 20, 120), M{});
  // Slight overlap (−2) still counts as touching.
  EXPECT_EQ(SmartResize::adjustments(old, {0, 0, 450, 800}, {{498, 0, 502, 800}}, 20, 120),
            (M{{0, {448, 0, 552, 800}}}));
}

TEST(SmartResizeTest, EveryEdgeAndCornerTouching) {
  using M = std::map<int, TRect>;
  // The window grows to the right and down; the one at its right, the one below and the one
  // touching only its corner.
  const std::vector<TRect> others = {{508, 0, 492, 400}, {0, 408, 500, 392}, {508, 408, 492, 392}};
  EXPECT_EQ(SmartResize::adjustments({0, 0, 500, 400}, {0, 0, 600, 450}, others, 20, 120),
            (M{{0, {608, 0, 392, 400}}, {1, {0, 458, 500, 342}}}));
  // Left and top edges: the neighbour keeps its own left or top edge.
  EXPECT_EQ(
      SmartResize::adjustments({500, 0, 500, 800}, {400, 0, 600, 800}, {{0, 0, 492, 800}}, 20, 120),
      (M{{0, {0, 0, 392, 800}}}));
  EXPECT_EQ(SmartResize::adjustments({0, 400, 1000, 400}, {0, 300, 1000, 500}, {{0, 0, 1000, 392}},
                                     20, 120),
            (M{{0, {0, 0, 1000, 292}}}));
  // Sharing only 10 points of the edge is not enough.
  EXPECT_EQ(
      SmartResize::adjustments({0, 0, 500, 400}, {0, 0, 600, 400}, {{508, 390, 492, 400}}, 20, 120),
      M{});
}

TEST(EmptyZonesTest, OccupiedBySmallerAreaShare) {
  const auto zones = zonesOf(0);  // two halves of 500 × 800
  using V = std::vector<int>;
  EXPECT_EQ(EmptyZones::indices(zones, {}, 0.6), (V{0, 1}));
  EXPECT_EQ(EmptyZones::indices(zones, {{150, 0, 500, 800}}, 0.6), (V{1}));     // 70 % and 30 %
  EXPECT_EQ(EmptyZones::indices(zones, {{250, 0, 500, 800}}, 0.6), (V{0, 1}));  // 50 % each
  EXPECT_EQ(EmptyZones::indices(zones, {{600, 100, 100, 100}}, 0.6), (V{0}));   // small, inside
  EXPECT_EQ(EmptyZones::indices(zones, {{-100, 0, 1200, 800}}, 0.6), (V{}));    // covers both
  EXPECT_EQ(EmptyZones::indices({{0, 0, 0, 800}, zones[1]}, {{0, 0, 1000, 800}}, 0.6), (V{0}));
  // A window without area covers nothing.
  EXPECT_EQ(EmptyZones::indices(zones, {{100, 100, 0, 0}}, 0.6), (V{0, 1}));
}

}  // namespace
}  // namespace tavorin
