#include "tiling/core/geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <unordered_set>

namespace tavorin {
namespace {

TEST(TRectTest, DerivedValues) {
  const TRect r{10, 20, 100, 50};
  EXPECT_EQ(r.maxX(), 110);
  EXPECT_EQ(r.maxY(), 70);
  EXPECT_EQ(r.center(), (TPoint{60, 45}));
  EXPECT_EQ(r.area(), 5000);
  EXPECT_EQ((TRect{0, 0, -5, 10}.area()), 0);
  EXPECT_EQ(TRect::zero(), (TRect{0, 0, 0, 0}));
  EXPECT_EQ((TPoint{0, 0}.distance({3, 4})), 5);
}

TEST(TRectTest, InsetNeverGoesNegative) {
  EXPECT_EQ((TRect{0, 0, 100, 50}.insetBy(10)), (TRect{10, 10, 80, 30}));
  EXPECT_EQ((TRect{0, 0, 100, 50}.insetBy(30)), (TRect{30, 30, 40, 0}));
}

TEST(TRectTest, ContainsIsHalfOpen) {
  const TRect r{0, 0, 100, 50};
  EXPECT_TRUE(r.contains({0, 0}));
  EXPECT_TRUE(r.contains({99.999, 49.999}));
  EXPECT_FALSE(r.contains({100, 10}));
  EXPECT_FALSE(r.contains({10, 50}));
  EXPECT_FALSE(r.contains({-0.001, 10}));
}

TEST(TRectTest, IntersectionAndUnion) {
  const TRect a{0, 0, 100, 100};
  EXPECT_EQ(a.intersectionArea({50, 50, 100, 100}), 2500);
  EXPECT_EQ(a.intersectionArea({100, 0, 50, 50}), 0);  // touching edges share no area
  EXPECT_EQ(a.intersectionArea({200, 200, 10, 10}), 0);
  EXPECT_EQ(a.unionWith({150, -10, 50, 20}), (TRect{0, -10, 200, 110}));
}

TEST(TRectTest, DescriptionUsesShortestRoundTripDecimals) {
  EXPECT_EQ((TRect{0, 25, 800, 600}.description()), "(0.0, 25.0, 800.0×600.0)");
  EXPECT_EQ((TRect{0.1, 1.0 / 3.0, -2.5, 1e21}.description()),
            "(0.1, 0.3333333333333333, -2.5×1e+21)");
}

TEST(TRectTest, JsonFormAndPlatformConversion) {
  const TRect r{1.5, 2, 300, 400};
  const nlohmann::json json = r;
  EXPECT_EQ(json, nlohmann::json::parse(R"({"x":1.5,"y":2.0,"width":300.0,"height":400.0})"));
  EXPECT_EQ(json.get<TRect>(), r);
  EXPECT_THROW(nlohmann::json::parse(R"({"x":1,"y":2,"width":3})").get<TRect>(), std::exception);
  EXPECT_THROW(nlohmann::json::parse(R"({"x":"1","y":2,"width":3,"height":4})").get<TRect>(),
               std::exception);

  EXPECT_EQ(TRect::from(r.toRect()), r);
  EXPECT_EQ(TPoint::from(Point{3, 4}).toPoint(), (Point{3, 4}));
}

TEST(TRectTest, EqualValuesHashAlike) {
  std::unordered_set<TRect> set{{0, 0, 1, 1}, {0.0, -0.0, 1, 1}, {0, 0, 1, 2}};
  EXPECT_EQ(set.size(), 2u);
  std::unordered_set<TPoint> points{{1, 2}, {1, 2}, {2, 1}};
  EXPECT_EQ(points.size(), 2u);
}

}  // namespace
}  // namespace tavorin
