#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"
#include "tiling/kit/tiling_manager.hpp"
#include "x11_test_support.hpp"

namespace tavorin {
namespace {

using x11::X11Desktop;
using x11::testing::TestClient;
using x11::testing::waitUntil;

// The window layout feature on the real desktop: windows, screens and hot keys come from the X
// server; time, preferences and the rest from the simulated desktop, since hot key presses run
// their command while the test handles the server's events.
class X11TilingManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = x11::testing::missingDisplayReason(); !reason.empty()) {
      GTEST_SKIP() << reason;
    }
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
    desktop->installInto(sim.platform());
    manager = TilingManager::create(sim.platform(), std::make_unique<TemplateStore>());
  }
  void TearDown() override { manager.reset(); }

  // The client's window of that title, raised and focused.
  std::shared_ptr<AXWindow> focus(const TestClient& client, const std::string& title) {
    // The window manager lists a window shortly after it was mapped.
    std::shared_ptr<AXWindow> found;
    waitUntil(*desktop, [&] {
      for (auto& window : AXWindow::allStandardWindows(manager->windowServices())) {
        if (window->pid() == client.pid() && window->title() == title) found = window;
      }
      return found != nullptr;
    });
    if (!found) return nullptr;
    desktop->accessibility().performAction(found->element(), ax::raiseAction);
    const bool focused = waitUntil(*desktop, [&] {
      auto now = AXWindow::focused(manager->windowServices());
      return now && *now == *found;
    });
    return focused ? found : nullptr;
  }

  // The two-column zones of the screen that shows most of `frame`.
  std::vector<TRect> halves(const TRect& frame) {
    ScreenGeometry geometry(desktop->screens());
    auto screen = geometry.screen(frame);
    if (!screen) return {};
    return LayoutTemplate::defaults()[0].frames(geometry.zoneArea(*screen), 8);
  }

  bool landsIn(AXWindow& window, const TRect& zone) {
    return waitUntil(*desktop, [&] { return window.frame() == zone; });
  }

  sim::SimDesktop sim;
  std::unique_ptr<X11Desktop> desktop;
  std::shared_ptr<TilingManager> manager;
};

TEST_F(X11TilingManagerTest, ControlOptionRightSnapsTheFocusedWindowThenMovesItToTheNextZone) {
  // Mostly over the left half, partly over the right one.
  auto client = TestClient::start({"--at=700,150,500,400", "Snap me"});
  ASSERT_TRUE(client);
  auto window = focus(*client, "Snap me");
  ASSERT_TRUE(window);
  const auto zones = halves(*window->frame());
  ASSERT_EQ(zones.size(), 2u);

  manager->start(false);
  EXPECT_TRUE(manager->zoneShortcutFailures().empty());
  x11::testing::pressChord(*desktop, {"LCTL", "LALT", "RGHT"});
  EXPECT_TRUE(landsIn(*window, zones[0])) << window->frame()->description();
  x11::testing::pressChord(*desktop, {"LCTL", "LALT", "RGHT"});
  EXPECT_TRUE(landsIn(*window, zones[1])) << window->frame()->description();
}

TEST_F(X11TilingManagerTest, ControlOptionAArrangesTheScreensWindowsAndStoppingFreesTheKeys) {
  auto client =
      TestClient::start({"--at=100,200,600,400", "Left one", "--at=1100,250,600,400", "Right one"});
  ASSERT_TRUE(client);
  auto rightOne = focus(*client, "Right one");
  auto leftOne = focus(*client, "Left one");
  ASSERT_TRUE(rightOne && leftOne);
  const auto zones = halves(*leftOne->frame());
  ASSERT_EQ(zones.size(), 2u);
  // The pointer picks the screen.
  x11::Connection& c = desktop->connection();
  xcb_test_fake_input(c.xcb(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, c.root(),
                      static_cast<std::int16_t>(zones[0].midX()),
                      static_cast<std::int16_t>(zones[0].midY()), 0);
  c.sync(x11::deadlineIn(2));

  manager->start(false);
  x11::testing::pressChord(*desktop, {"LCTL", "LALT", "AC01"});
  EXPECT_TRUE(landsIn(*leftOne, zones[0])) << leftOne->frame()->description();
  EXPECT_TRUE(landsIn(*rightOne, zones[1])) << rightOne->frame()->description();

  manager->stop();
  HotKeyCenter other(desktop->hotKeys());
  EXPECT_TRUE(other.registerHotKey(0, controlOption, [] {}));
  other.unregisterAll();
}

}  // namespace
}  // namespace tavorin
