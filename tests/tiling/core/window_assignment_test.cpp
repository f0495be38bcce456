#include "tiling/core/window_assignment.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace tavorin {
namespace {

const std::vector<TRect> halves = {{0, 0, 500, 800}, {500, 0, 500, 800}};

TEST(WindowAssignmentTest, AssignCases) {
  struct Case {
    const char* name;
    std::vector<TRect> windows;
    std::vector<TRect> zones;
    std::vector<int> expected;
  };
  const std::vector<Case> cases = {
      {"each keeps its half", {{520, 10, 400, 700}, {10, 10, 400, 700}}, halves, {1, 0}},
      {"larger overlap wins, the other takes what is left",
       {{100, 0, 300, 800}, {0, 0, 450, 800}},
       halves,
       {1, 0}},
      {"surplus window joins its best zone",
       {{0, 0, 500, 800}, {500, 0, 500, 800}, {600, 100, 300, 300}},
       halves,
       {0, 1, 1}},
      {"no overlap anywhere: nearest centres",
       {{240, 1000, 20, 20}, {40, 1000, 20, 20}},
       {{0, 0, 100, 100}, {200, 0, 100, 100}},
       {1, 0}},
      {"full tie: lower window, then lower zone",
       {{250, 0, 500, 800}, {250, 0, 500, 800}},
       halves,
       {0, 1}},
      {"no windows", {}, halves, {}},
      {"no zones", {{0, 0, 10, 10}}, {}, {}},
      {"more zones than windows", {{500, 0, 500, 800}}, halves, {1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowAssignment::assign(c.windows, c.zones), c.expected) << c.name;
  }
}

TEST(WindowAssignmentTest, NaNFramesStillGetAZone) {
  const auto result = WindowAssignment::assign({{NAN, 0, 10, 10}, {10, 10, 100, 100}}, halves);
  ASSERT_EQ(result.size(), 2u);
  EXPECT_EQ(result[1], 0);
  EXPECT_EQ(result[0], 1);
}

TEST(WindowAssignmentTest, BestZone) {
  EXPECT_EQ(WindowAssignment::bestZone({0, 0, 10, 10}, {}), std::nullopt);
  EXPECT_EQ(WindowAssignment::bestZone({600, 0, 100, 100}, halves), 1);
  EXPECT_EQ(WindowAssignment::bestZone({250, 0, 500, 800}, halves), 0);   // exact tie: first
  EXPECT_EQ(WindowAssignment::bestZone({900, 2000, 10, 10}, halves), 1);  // outside: nearest
  // Overlap counts before distance.
  EXPECT_EQ(WindowAssignment::bestZone({300, 0, 300, 10}, {{0, 0, 500, 10}, {500, 0, 100, 10}}), 0);
}

}  // namespace
}  // namespace tavorin
