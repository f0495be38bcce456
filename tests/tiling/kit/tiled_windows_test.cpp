#include "tiling/kit/tiled_windows.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"
#include "tiling/kit/ax_window.hpp"

namespace tavorin {
namespace {

struct TiledWindowsTest : ::testing::Test {
  sim::SimDesktop desktop;
  sim::SimAccessibility& ax = desktop.accessibility;
  std::shared_ptr<WindowServices> services = WindowServices::create(ax, ax);
  TiledWindows& tiled = services->tiledWindows();
  ProcessId app = ax.addApplication("Editor");

  void SetUp() override { desktop.permissions.accessibilityTrusted = true; }

  std::shared_ptr<AXWindow> window(Rect frame) {
    return AXWindow::make(services, ax.addWindow(app, {.title = "W", .frame = frame}));
  }
};

TEST_F(TiledWindowsTest, ASnappedWindowGetsItsSizeBackUnlessTheUserResizedIt) {
  auto w = window({0, 0, 800, 600});
  w->setFrame({0, 0, 700, 1000});
  EXPECT_EQ(tiled.takeRestoreSize(*w, {700, 1000}), (Size{800, 600}));
  // Taken: a second take finds nothing.
  EXPECT_EQ(tiled.takeRestoreSize(*w, {700, 1000}), std::nullopt);

  auto resized = window({0, 0, 800, 600});
  resized->setFrame({0, 0, 700, 1000});
  EXPECT_EQ(tiled.takeRestoreSize(*resized, {650, 1000}), std::nullopt);
  EXPECT_TRUE(tiled.entries().empty());  // dropped all the same
}

TEST_F(TiledWindowsTest, OnlyRealSizeChangesAreRememberedAndTheFirstSizeIsKept) {
  auto same = window({0, 0, 700, 1000});
  same->setFrame({10, 10, 703, 996});  // within 4 points
  EXPECT_TRUE(tiled.entries().empty());

  auto twice = window({0, 0, 800, 600});
  twice->setFrame({0, 0, 700, 1000});
  twice->setFrame({700, 0, 500, 1000});
  ASSERT_EQ(tiled.entries().size(), 1u);
  EXPECT_EQ(tiled.entries()[0].originalSize, (Size{800, 600}));
  EXPECT_EQ(tiled.entries()[0].tiledSize, (Size{500, 1000}));
}

TEST_F(TiledWindowsTest, AtMost200WindowsAreRememberedOldestDroppedFirst) {
  std::vector<std::shared_ptr<AXWindow>> windows;
  for (int i = 0; i < 201; ++i) {
    windows.push_back(window({0, 0, 800, 600}));
    windows.back()->setFrame({0, 0, 400, 400});
  }
  EXPECT_EQ(tiled.entries().size(), 200u);
  EXPECT_EQ(tiled.takeRestoreSize(*windows[0], {400, 400}), std::nullopt);
  EXPECT_EQ(tiled.takeRestoreSize(*windows[1], {400, 400}), (Size{800, 600}));
}

TEST_F(TiledWindowsTest, RestoringKeepsThePointersPlaceOnTheWindow) {
  struct Case {
    Rect zone;
    Size original;
    TPoint pointer;
    bool keepVerticalRatio;
    TPoint expectedOrigin;
  };
  const Case cases[] = {
      // 30 points below the top stays 30 points below the top; a quarter across stays a quarter.
      {{0, 0, 700, 1000}, {800, 600}, {175, 30}, false, {-25, 0}},
      // Grabbed 900 down a 1000-point window, restored to 400: 390 below the top.
      {{0, 0, 700, 1000}, {800, 400}, {350, 900}, false, {-50, 510}},
      // Proportional: 90 % down stays 90 % down.
      {{0, 0, 700, 1000}, {800, 400}, {350, 900}, true, {-50, 540}},
      // Half points round away from zero.
      {{0, 0, 700, 1000}, {801, 600}, {350, 100}, false, {-51, 0}},
  };
  for (const Case& c : cases) {
    auto w = window({0, 0, c.original.width, c.original.height});
    w->setFrame(TRect::from(c.zone));
    auto origin = tiled.restoreIfTiled(w, TRect::from(c.zone), c.pointer, c.keepVerticalRatio);
    EXPECT_EQ(origin, c.expectedOrigin) << c.pointer.y;
    EXPECT_EQ(w->frame(),
              (TRect{c.expectedOrigin.x, c.expectedOrigin.y, c.original.width, c.original.height}));
  }
  // A window that was never snapped stays as it is.
  auto plain = window({5, 5, 300, 300});
  EXPECT_EQ(tiled.restoreIfTiled(plain, {5, 5, 300, 300}, {10, 10}, false), std::nullopt);
  EXPECT_EQ(plain->frame(), (TRect{5, 5, 300, 300}));
}

}  // namespace
}  // namespace tavorin
