#include "platform/x11/qt/qt_overlays.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "tests/platform/qt_test_application.hpp"

namespace tavorin::qt {
namespace {

QImage render(const Drawing& drawing, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  paint(painter, drawing);
  return image;
}

TEST(QtOverlaysTest, EvenOddFillLeavesTheHoleClearAndDashesLeaveGaps) {
  testing::qtTestApplication();
  Drawing spotlight;
  spotlight.fill(Path().addRect({0, 0, 100, 100}).addCircle({50, 50}, 20),
                 Color::black().withAlpha(0.55), FillRule::evenOdd);
  const QImage image = render(spotlight, 100);
  EXPECT_EQ(qAlpha(image.pixel(50, 50)), 0) << "the hole is clear";
  EXPECT_NEAR(qAlpha(image.pixel(5, 5)), 140, 2) << "the rest is dimmed";

  Drawing dashed;
  dashed.stroke(Path().moveTo({0, 10}).lineTo({100, 10}), Color::white(), 4, {10, 10});
  const QImage line = render(dashed, 100);
  EXPECT_GT(qAlpha(line.pixel(5, 10)), 200) << "inside a dash";
  EXPECT_EQ(qAlpha(line.pixel(15, 10)), 0) << "inside a gap";
}

TEST(QtOverlaysTest, PanelShowsAndHidesWithoutTakingFocusAndKeepsItsFrame) {
  testing::qtTestApplication();
  QtOverlays overlays;
  auto panel = overlays.createPanel();
  EXPECT_FALSE(panel->isVisible());
  panel->setFrame({10, 20, 200, 100});
  panel->setLevel(overlayLevel::screenSaver);
  panel->setIgnoresMouseEvents(true);
  panel->setContent(Drawing().fill(Path().addCircle({100, 50}, 30), Color::white()));
  panel->orderFront();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->frame(), (Rect{10, 20, 200, 100}));
  panel->setIgnoresMouseEvents(false);  // re-flagging a shown window keeps it shown
  EXPECT_TRUE(panel->isVisible());
  panel->orderOut();
  EXPECT_FALSE(panel->isVisible());
}

}  // namespace
}  // namespace tavorin::qt
