#include "pointer/kit/highlight_geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace tavorin::highlight {
namespace {

TEST(HighlightGeometryTest, RingsOverTheAnimation) {
  struct Case {
    HighlightStyle style;
    double p;
    int ring;
    double opacity;
    std::optional<double> radius;
  };
  const double eased01 = 90 - 84 * easeInOut((0.3 - 0.25) / 0.75);
  const Case cases[] = {
      // Ring 0 starts invisible at its full size and is halfway closed (radius 48) at g = 0.5.
      {HighlightStyle::shrink, 0.0, 0, 0, std::nullopt},
      {HighlightStyle::shrink, 0.375, 0, 1, 48},
      {HighlightStyle::shrink, 0.075, 0, (0.075 / 0.75) / 0.15, 90 - 84 * 2 * 0.01},
      {HighlightStyle::shrink, 0.675, 0, (1 - 0.9) * 4, 90 - 84 * (1 - 0.02)},
      {HighlightStyle::shrink, 0.75, 0, 0, std::nullopt},
      // Ring 1 is a quarter late.
      {HighlightStyle::shrink, 0.2, 1, 0, std::nullopt},
      {HighlightStyle::shrink, 0.25, 1, 0, std::nullopt},
      {HighlightStyle::shrink, 0.3, 1, (0.05 / 0.75) / 0.15, eased01},
      {HighlightStyle::shrink, 1.0, 1, 0, std::nullopt},
      // Sonar opens from 6 to the size, fast at first; its plateau ends at g = 0.3.
      {HighlightStyle::sonar, 0.0075, 0, 0.2, 84 * (1 - 0.99 * 0.99 * 0.99) + 6},
      {HighlightStyle::sonar, 0.225, 0, 1, 84 * (1 - 0.7 * 0.7 * 0.7) + 6},
      {HighlightStyle::sonar, 0.2325, 0, (1 - 0.31) / 0.7, 84 * (1 - 0.69 * 0.69 * 0.69) + 6},
      // The spotlight style has no rings of its own; asked anyway, it shrinks.
      {HighlightStyle::spotlight, 0.375, 0, 1, 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "style " << static_cast<int>(c.style) << " p " << c.p << " ring " << c.ring);
    const RingFrame frame = ringFrame(c.style, 90, c.p, c.ring, false);
    EXPECT_NEAR(frame.opacity, c.opacity, 1e-9);
    ASSERT_EQ(frame.radius.has_value(), c.radius.has_value());
    if (c.radius) {
      EXPECT_NEAR(*frame.radius, *c.radius, 1e-9);
    }
  }
  EXPECT_NEAR(ringFrame(HighlightStyle::sonar, 90, 0.2325, 0, false).opacity, 0.986, 0.001);
}

TEST(HighlightGeometryTest, EdgesOfTheCurvesAndTinyRings) {
  EXPECT_EQ(easeInOut(0), 0);
  EXPECT_EQ(easeInOut(0.5), 0.5);
  EXPECT_EQ(easeInOut(1), 1);
  EXPECT_EQ(shrinkRadius(90, 0), 90);
  EXPECT_EQ(shrinkRadius(90, 1), 6);
  EXPECT_EQ(sonarRadius(90, 0), 6);
  EXPECT_EQ(sonarRadius(90, 1), 90);
  // The path never gets less than half a point, however small the size.
  EXPECT_EQ(ringFrame(HighlightStyle::shrink, 0.2, 0.0075, 0, false).radius, 0.5);
  // A progress that is not a number shows nothing.
  EXPECT_EQ(ringFrame(HighlightStyle::shrink, 90, std::nan(""), 0, false), RingFrame{});
}

TEST(HighlightGeometryTest, LessMotionShowsOneFadingRingAndAFixedHole) {
  const double p[] = {0, 0.1, 0.2, 0.6, 0.8, 1};
  const double envelope[] = {0, 0.5, 1, 1, 0.5, 0};
  for (std::size_t i = 0; i < std::size(p); ++i) {
    SCOPED_TRACE(p[i]);
    EXPECT_NEAR(reduceMotionEnvelope(p[i]), envelope[i], 1e-12);
    const RingFrame first = ringFrame(HighlightStyle::sonar, 90, p[i], 0, true);
    EXPECT_NEAR(first.opacity, envelope[i], 1e-12);
    EXPECT_EQ(first.radius, 54);
    EXPECT_EQ(ringFrame(HighlightStyle::shrink, 90, p[i], 1, true), RingFrame{});
    EXPECT_EQ(spotlightHoleRadius(90, spotlightZoom(p[i], true)), 90);
  }
}

TEST(HighlightGeometryTest, SpotlightClosesInTheFirstFortyPercentAndFades) {
  EXPECT_EQ(spotlightHoleRadius(90, spotlightZoom(0, false)), 270);
  EXPECT_NEAR(spotlightHoleRadius(90, spotlightZoom(0.2, false)), 270 - 180 * 0.875, 1e-9);
  EXPECT_EQ(spotlightHoleRadius(90, spotlightZoom(0.4, false)), 90);
  EXPECT_EQ(spotlightHoleRadius(90, spotlightZoom(0.9, false)), 90);
  EXPECT_EQ(spotlightHoleRadius(0.1, 1), 0.5);

  const double p[] = {0, 0.06, 0.12, 0.7, 0.85, 1, 1.2};
  const double opacity[] = {0, 0.5, 1, 1, 0.5, 0, 0};
  for (std::size_t i = 0; i < std::size(p); ++i)
    EXPECT_NEAR(spotlightOpacity(p[i]), opacity[i], 1e-12) << p[i];
}

TEST(HighlightGeometryTest, PanelPlacementAndDrawingCoordinates) {
  EXPECT_EQ(ringPanelSide(90), 196);
  // Centred on the pointer, rounded half away from zero on both sides of the origin.
  EXPECT_EQ(ringPanelOrigin({500, 400}, 196), (Point{402, 302}));
  EXPECT_EQ(ringPanelOrigin({100.5, 200.5}, 196), (Point{3, 103}));
  EXPECT_EQ(ringPanelOrigin({-1, 1}, 3), (Point{-3, -1}));

  // Screen space grows upward, a panel's drawing downward from its top-left corner.
  const Rect primary{0, 0, 1440, 900};
  EXPECT_EQ(panelPoint({100, 800}, primary), (Point{100, 100}));
  EXPECT_EQ(panelPoint({0, 0}, primary), (Point{0, 900}));
  // A screen right of the primary one and higher up.
  const Rect second{1440, 200, 1920, 1080};
  EXPECT_EQ(panelPoint({1500, 1200}, second), (Point{60, 80}));
  // A pointer on another screen lies outside the panel; the hole is simply off it.
  EXPECT_EQ(panelPoint({100, 800}, second), (Point{-1340, 480}));
}

}  // namespace
}  // namespace tavorin::highlight
