#include "smartdock/core/dock_contact.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tavorin {
namespace {

// A bottom Dock in top-left, y-down space: 60 points tall at the foot of a 1000-point screen.
const Rect dock{400, 940, 800, 60};

TEST(DockContactTest, TouchingNeedsAPositiveOverlapWithTheGrownDock) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    Rect window;
    Rect dockRect;
    double distance;
    bool touches;
  };
  const Case cases[] = {
      {"overlaps by a sliver", {0, 0, 500, 940.5}, dock, 0, true},
      {"edge on the Dock's edge", {0, 0, 500, 940}, dock, 0, false},
      {"corner on the Dock's corner", {0, 0, 400, 940}, dock, 1, true},
      {"5 points above, distance 4", {0, 0, 500, 935}, dock, 4, false},
      {"5 points above, distance 5 only meets the edge", {0, 0, 500, 935}, dock, 5, false},
      {"5 points above, distance 6", {0, 0, 500, 935}, dock, 6, true},
      {"beside the Dock, within the distance", {1205, 950, 100, 20}, dock, 6, true},
      {"negative distance counts as 0", {0, 0, 500, 935}, dock, -10, false},
      {"negative distance, overlapping", {0, 0, 500, 950}, dock, -10, true},
      {"distance not a number counts as 0", {0, 0, 500, 935}, dock, nan, false},
      {"infinite distance reaches everything", {0, 0, 10, 10}, dock, inf, true},
      {"zero-width window inside the Dock", {500, 950, 0, 20}, dock, 0, false},
      {"zero-height window inside the Dock", {500, 950, 20, 0}, dock, 10, false},
      {"zero-height Dock", {0, 0, 2000, 2000}, {400, 940, 800, 0}, 10, false},
      {"window given with a negative size", {600, 1000, 100, -50}, dock, 0, true},
      {"window with a value that is not a number", {nan, 950, 100, 20}, dock, 0, false},
      {"Dock with a value that is not a number",
       {500, 950, 100, 20},
       {400, 940, nan, 60},
       0,
       false},
  };
  for (const auto& [name, window, dockRect, distance, touches] : cases) {
    EXPECT_EQ(DockContact::touches(window, dockRect, distance), touches) << name;
  }
}

TEST(DockContactTest, AnyTouchesChecksEveryWindow) {
  const std::vector<Rect> windows{{0, 0, 100, 100}, {0, 0, 500, 500}, {600, 900, 50, 50}};
  EXPECT_TRUE(DockContact::anyTouches(windows, dock, 0));
  EXPECT_FALSE(DockContact::anyTouches(std::span(windows).first(2), dock, 0));
  EXPECT_FALSE(DockContact::anyTouches({}, dock, 100));
}

}  // namespace
}  // namespace tavorin
