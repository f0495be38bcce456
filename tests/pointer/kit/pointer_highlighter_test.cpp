#include "pointer/kit/pointer_highlighter.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"
#include "pointer/kit/highlight_geometry.hpp"
#include "tests/pointer/kit/drawing_inspection.hpp"

namespace tavorin {
namespace {

using testing::circles;
using testing::operationsOf;

class PointerHighlighterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop.screens.setScreens({sim::SimScreens::make(1, {0, 0, 1440, 900})});
    desktop.screens.setPointerLocation({500, 400});
  }

  sim::SimOverlayPanel* onlyPanel() {
    auto panels = desktop.overlays.panels();
    return panels.size() == 1 ? panels[0] : nullptr;
  }

  sim::SimDesktop desktop;
  std::shared_ptr<PointerHighlighter> highlighter = PointerHighlighter::create(desktop.platform());
};

TEST_F(PointerHighlighterTest, RingsFollowThePointerForTheDurationThenHide) {
  PointerLocatorSettings settings;
  settings.colorHex = "#3366CC";
  const Seconds start = desktop.clock.uptime();
  highlighter->show(settings);

  sim::SimOverlayPanel* panel = onlyPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->level(), overlayLevel::screenSaver);
  EXPECT_TRUE(panel->ignoresMouseEvents());
  EXPECT_EQ(panel->frame(), (Rect{402, 302, 196, 196}));
  // The first frame is drawn at once, with both rings still invisible.
  EXPECT_TRUE(panel->content().operations.empty());
  const int updatesAtStart = panel->contentUpdates();

  // Between two frames: the last one drawn was the fifteenth, at a quarter of a second.
  desktop.advance(0.26);
  const double p = (15.0 / 60) / 0.7;
  const auto ring = highlight::ringFrame(HighlightStyle::shrink, 90, p, 0, false);
  const auto fills = operationsOf<FillPath>(panel->content());
  const auto strokes = operationsOf<StrokePath>(panel->content());
  ASSERT_EQ(fills.size(), 1u) << "only the first ring is filled";
  ASSERT_EQ(strokes.size(), 2u) << "the second ring has begun";
  const auto first = circles(strokes[0].path);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].centre, (Point{98, 98}));
  EXPECT_NEAR(first[0].radius, *ring.radius, 1e-6);
  EXPECT_EQ(strokes[0].lineWidth, 4);
  EXPECT_NEAR(strokes[0].color.red, 0x33 / 255.0, 1e-9);
  EXPECT_NEAR(strokes[0].color.blue, 0xCC / 255.0, 1e-9);
  EXPECT_NEAR(strokes[0].color.alpha, ring.opacity, 1e-6);
  EXPECT_NEAR(fills[0].color.alpha, 0.12 * ring.opacity, 1e-6);

  // The panel moves with the pointer at the next frame.
  desktop.screens.setPointerLocation({1000.5, 99.5});
  desktop.advance(1.0 / 60);
  EXPECT_EQ(panel->frame(), (Rect{903, 2, 196, 196}));

  desktop.advance(1.0);
  EXPECT_FALSE(panel->isVisible());
  EXPECT_FALSE(highlighter->isAnimating());
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 0u);
  // One frame at once and one every sixtieth of a second while less than 0.7 s have passed.
  const int frames = panel->contentUpdates() - updatesAtStart + 1;
  EXPECT_GE(frames, 42);
  EXPECT_LE(frames, 43);
  EXPECT_GT(desktop.clock.uptime() - start, 0.7);
}

TEST_F(PointerHighlighterTest, ASecondShowRestartsWithOneTimerAndTheSamePanel) {
  PointerLocatorSettings settings;
  highlighter->show(settings);
  desktop.advance(0.5);
  settings.style = HighlightStyle::sonar;
  settings.size = 40;
  highlighter->show(settings);
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 1u);
  ASSERT_NE(onlyPanel(), nullptr);
  EXPECT_EQ(onlyPanel()->frame().width, 96);
  // The restarted animation runs its whole length from the second show.
  desktop.advance(0.6);
  EXPECT_TRUE(highlighter->isAnimating());
  EXPECT_TRUE(onlyPanel()->isVisible());
  desktop.advance(0.2);
  EXPECT_FALSE(highlighter->isAnimating());
}

TEST_F(PointerHighlighterTest, LessMotionDrawsOneRingOfFixedSize) {
  desktop.workspace.reduceMotion = true;
  highlighter->show({});
  EXPECT_TRUE(highlighter->reduceMotion());
  desktop.advance(0.3);
  const auto strokes = operationsOf<StrokePath>(onlyPanel()->content());
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(circles(strokes[0].path)[0].radius, 54);
  EXPECT_EQ(strokes[0].color.alpha, 1) << "at the plateau of the fade";
}

TEST_F(PointerHighlighterTest, SpotlightDarkensEveryScreenButTheHoleAndFollowsScreenChanges) {
  const Rect primary{0, 0, 1440, 900};
  const Rect right{1440, 200, 1920, 1080};
  desktop.screens.setScreens({sim::SimScreens::make(1, primary), sim::SimScreens::make(2, right)});
  desktop.screens.setPointerLocation({1500, 1200});
  PointerLocatorSettings settings;
  settings.style = HighlightStyle::spotlight;
  highlighter->show(settings);
  auto panels = desktop.overlays.panels();
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(highlighter->spotPanelCount(), 2u);
  EXPECT_EQ(panels[0]->frame(), primary);
  EXPECT_EQ(panels[1]->frame(), right);

  // Past 40 % of 0.7 s the hole has closed to the size.
  desktop.advance(0.3);
  const double opacity = highlight::spotlightOpacity((18.0 / 60) / 0.7);
  for (std::size_t i = 0; i < panels.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(panels[i]->isVisible());
    const auto fills = operationsOf<FillPath>(panels[i]->content());
    const auto strokes = operationsOf<StrokePath>(panels[i]->content());
    ASSERT_EQ(fills.size(), 1u);
    ASSERT_EQ(strokes.size(), 1u);
    const Rect frame = panels[i]->frame();
    const Point centre = highlight::panelPoint({1500, 1200}, frame);
    EXPECT_EQ(fills[0].rule, FillRule::evenOdd);
    EXPECT_EQ(fills[0].path.elements()[0].rect, (Rect{0, 0, frame.width, frame.height}));
    ASSERT_EQ(circles(fills[0].path).size(), 1u);
    EXPECT_EQ(circles(fills[0].path)[0].centre, centre);
    EXPECT_EQ(circles(fills[0].path)[0].radius, 90);
    EXPECT_EQ(circles(strokes[0].path)[0].centre, centre);
    EXPECT_NEAR(fills[0].color.alpha, 0.55 * opacity, 1e-6);
  }
  EXPECT_EQ(circles(operationsOf<StrokePath>(panels[1]->content())[0].path)[0].centre,
            (Point{60, 80}));

  // A display goes away mid-animation: everything hides and the next spotlight covers what is
  // left.
  desktop.screens.setScreens({sim::SimScreens::make(1, primary)});
  desktop.settle();
  EXPECT_FALSE(highlighter->isAnimating());
  EXPECT_TRUE(desktop.overlays.panels().empty());
  highlighter->show(settings);
  ASSERT_EQ(desktop.overlays.panels().size(), 1u);
  EXPECT_EQ(desktop.overlays.panels()[0]->frame(), primary);
}

}  // namespace
}  // namespace tavorin
