#include "tiling/kit/screen_geometry.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_screens.hpp"

namespace tavorin {
namespace {

// A primary screen of 1440×900 and, above it, a taller one of 1920×1200 shifted to the right.
struct ScreenGeometryTest : ::testing::Test {
  sim::SimScreens screens;
  ScreenGeometry geometry{screens};

  void SetUp() override {
    screens.setScreens({sim::SimScreens::make(1, {0, 0, 1440, 900}, 25, 70),
                        sim::SimScreens::make(2, {200, 900, 1920, 1200})});
  }
};

TEST_F(ScreenGeometryTest, FlipConvertsBothWaysAndGoesNegativeAboveThePrimary) {
  const TRect upper = geometry.flip(TRect::from(screens.screens()[1].frame));
  EXPECT_EQ(upper, (TRect{200, -1200, 1920, 1200}));
  EXPECT_EQ(geometry.flip(upper), TRect::from(screens.screens()[1].frame));
  EXPECT_EQ(geometry.flip({10, 20, 30, 40}), (TRect{10, 840, 30, 40}));
  // The zone area leaves out the menu bar at the top and the Dock at the bottom.
  EXPECT_EQ(geometry.zoneArea(screens.screens()[0]), (TRect{0, 25, 1440, 805}));
}

TEST_F(ScreenGeometryTest, TheScreenShowingMostOfAWindowWinsAndTheFirstWinsTies) {
  struct Case {
    TRect window;
    std::uint32_t expected;
  };
  for (const Case& c : {Case{{100, 100, 400, 300}, 1},     // on the primary only
                        Case{{300, -500, 400, 300}, 2},    // on the upper one only
                        Case{{300, -100, 400, 300}, 1},    // mostly on the primary
                        Case{{300, -200, 400, 400}, 1},    // half and half: the first
                        Case{{300, -201, 400, 400}, 2},    // one point more above
                        Case{{5000, 5000, 10, 10}, 1}}) {  // on none: the main screen
    auto screen = geometry.screen(c.window);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->displayID, c.expected) << c.window.description();
  }
}

TEST_F(ScreenGeometryTest, ThePointerPicksTheScreenWithTheTopEdgeInsideAndTheBottomOutside) {
  struct Case {
    Point pointer;
    std::uint32_t expected;
    TPoint mouseAX;
  };
  for (const Case& c : {Case{{100, 100}, 1, {100, 800}}, Case{{100, 900}, 1, {100, 0}},
                        Case{{300, 901}, 2, {300, -1}}, Case{{300, 900.5}, 2, {300, -0.5}},
                        Case{{100, 1000}, 1, {100, -100}}}) {  // off every screen: the main one
    screens.setPointerLocation(c.pointer);
    EXPECT_EQ(geometry.screenUnderMouse()->displayID, c.expected) << c.pointer.y;
    EXPECT_EQ(geometry.mouseAX(), c.mouseAX);
  }
}

TEST_F(ScreenGeometryTest, WithoutScreensThereIsNoScreenAndNothingToFlipAgainst) {
  screens.setScreens({});
  EXPECT_EQ(geometry.screenUnderMouse(), std::nullopt);
  EXPECT_EQ(geometry.screen({0, 0, 10, 10}), std::nullopt);
  screens.setPointerLocation({5, 7});
  EXPECT_EQ(geometry.mouseAX(), (TPoint{5, -7}));
}

TEST(ScreenKeyTest, TheKeyComesFromVendorModelSerialOrTheName) {
  auto screen = [](std::uint32_t vendor, std::uint32_t model, std::uint32_t serial) {
    Screen s;
    s.displayID = 3;
    s.localizedName = "Built-in Display";
    s.vendorNumber = vendor;
    s.modelNumber = model;
    s.serialNumber = serial;
    return s;
  };
  EXPECT_EQ(ScreenGeometry::tilingKey(screen(1552, 41234, 7)), "1552-41234-7");
  EXPECT_EQ(ScreenGeometry::tilingKey(screen(1, 2, 0)), "1-2-id3");
  EXPECT_EQ(ScreenGeometry::tilingKey(screen(0, 0, 9)), "Built-in Display");
  EXPECT_EQ(ScreenGeometry::displayID(screen(0, 0, 0)), 3u);
}

}  // namespace
}  // namespace tavorin
