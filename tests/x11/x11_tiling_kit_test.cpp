#include <gtest/gtest.h>

#include <algorithm>

#include "platform/system_log.hpp"
#include "tiling/kit/ax_window.hpp"
#include "tiling/kit/hot_key_center.hpp"
#include "tiling/kit/key_combos.hpp"
#include "tiling/kit/screen_geometry.hpp"
#include "tiling/kit/tiled_windows.hpp"
#include "x11_test_support.hpp"

namespace tavorin {
namespace {

using x11::X11Desktop;
using x11::testing::TestClient;
using x11::testing::waitUntil;

// The window layout pieces on the real desktop: what the tiling manager does with a window and
// a key press, end to end.
class X11TilingKitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = x11::testing::missingDisplayReason(); !reason.empty()) {
      GTEST_SKIP() << reason;
    }
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
    services = WindowServices::create(desktop->accessibility(), desktop->accessibility());
  }

  std::unique_ptr<X11Desktop> desktop;
  std::shared_ptr<WindowServices> services;
};

TEST_F(X11TilingKitTest, StandardWindowsSnapAndComeBackToTheirSize) {
  auto client = TestClient::start({"--at=40,60,500,350", "One", "--dialog", "Two", "Three"});
  ASSERT_TRUE(client);
  std::vector<std::shared_ptr<AXWindow>> ours;
  for (auto& window : AXWindow::allStandardWindows(services)) {
    if (window->pid() == client->pid()) ours.push_back(window);
  }
  std::vector<std::string> titles;
  for (const auto& window : ours)
    titles.push_back(window->title());
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles,
            (std::vector<std::string>{"One", "Three"}));  // the dialog is no standard window

  auto one = *std::find_if(ours.begin(), ours.end(), [](auto& w) { return w->title() == "One"; });
  const auto before = one->frame();
  ASSERT_TRUE(before);
  const TRect zone{8, 8, 952, 1064};
  one->setFrame(zone);
  EXPECT_EQ(one->frame(), zone);
  ASSERT_EQ(services->tiledWindows().entries().size(), 1u);

  // Dragged out: the old size comes back under the pointer.
  auto origin = services->tiledWindows().restoreIfTiled(one, zone, {484, 30}, false);
  ASSERT_TRUE(origin);
  EXPECT_EQ(one->frame(), (TRect{origin->x, origin->y, before->width, before->height}));

  // Raised, it is the focused window and the one under a point of it.
  ASSERT_EQ(desktop->accessibility().performAction(one->element(), ax::raiseAction),
            AXError::success);
  auto focused = AXWindow::focused(services);
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(*focused, *one);
  auto frame = *one->frame();
  auto under = AXWindow::window(services, {frame.x + 20, frame.y + 20});
  ASSERT_NE(under, nullptr);
  EXPECT_EQ(*under, *one);
}

TEST_F(X11TilingKitTest, EveryWindowLayoutHotKeyRegistersAndAPressRunsItsAction) {
  HotKeyCenter center(desktop->hotKeys());
  std::vector<TilingCommand> commands;
  std::vector<int> zones;
  const auto failures = registerTilingHotKeys(
      center, defaultZoneShortcuts(),
      [&](const CommandShortcut& shortcut) { commands.push_back(shortcut.command); },
      [&](int index) { zones.push_back(index); });
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(center.registeredCount(), 12u + 9u);

  x11::testing::pressChord(*desktop, {"LCTL", "LALT", "AE01"});
  x11::testing::pressChord(*desktop, {"LCTL", "LALT", "LFSH", "RGHT"});
  ASSERT_TRUE(waitUntil(*desktop, [&] { return !zones.empty() && !commands.empty(); }));
  EXPECT_EQ(zones, (std::vector<int>{0}));
  EXPECT_EQ(commands, (std::vector<TilingCommand>{TilingCommand::extend}));

  // A key the window manager holds fails with the log line; the rest keep working. (The
  // presses above made it take its bindings anew: wait until it has.)
  ASSERT_TRUE(x11::testing::syncWithWindowManager(*desktop));
  std::vector<std::string> log;
  auto watching = SystemLog::observe([&](const LogEntry& entry) { log.push_back(entry.message); });
  EXPECT_FALSE(center.registerHotKey(111, KeyCombo::commandKey, [] {}));
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "TilingKit: kısayol kaydedilemedi (tuş 111, hata -9878) — başka bir "
                      "uygulama kullanıyor olabilir"),
            log.end());

  center.unregisterAll();
  HotKeyCenter other(desktop->hotKeys());
  EXPECT_TRUE(other.registerHotKey(18, controlOption, [] {}));  // ⌃⌥1 is free again
}

TEST_F(X11TilingKitTest, ScreenGeometryMeetsTheWindowSpaceAtTheTopLeft) {
  ScreenGeometry geometry(desktop->screens());
  x11::Connection& c = desktop->connection();
  xcb_test_fake_input(c.xcb(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, c.root(), 300, 200, 0);
  c.sync(x11::deadlineIn(2));
  EXPECT_EQ(geometry.mouseAX(), (TPoint{300, 200}));
  auto screen = geometry.screenUnderMouse();
  ASSERT_TRUE(screen);
  const TRect area = geometry.zoneArea(*screen);
  EXPECT_GE(area.y, 0);
  EXPECT_LE(area.maxY(), screen->frame.height);
  EXPECT_EQ(geometry.screen({100, 100, 200, 200})->displayID, screen->displayID);
  EXPECT_FALSE(ScreenGeometry::tilingKey(*screen).empty());
}

}  // namespace
}  // namespace tavorin
