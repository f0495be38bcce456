#include <gtest/gtest.h>

#include <filesystem>

#include "tests/apps/child_process.hpp"
#include "tiling/core/templates.hpp"
#include "tiling/kit/ax_window.hpp"
#include "tiling/kit/screen_geometry.hpp"
#include "x11_test_support.hpp"

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using x11::X11Desktop;
using x11::testing::TestClient;
using x11::testing::waitUntil;

// The tray program as a user runs it: its Window Layout hot keys move another program's window.
TEST(X11TavorinProgramTest, WindowLayoutHotKeysOfTheRunningProgramMoveTheFocusedWindow) {
  if (auto reason = x11::testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
  auto desktop = X11Desktop::open();
  ASSERT_TRUE(desktop);

  std::string pattern = (fs::temp_directory_path() / "tavorin-program-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path home = pattern;
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);

  auto client = TestClient::start({"--at=700,150,500,400", "Move me"});
  ASSERT_TRUE(client);
  auto services = WindowServices::create(desktop->accessibility(), desktop->accessibility());
  std::shared_ptr<AXWindow> window;
  ASSERT_TRUE(waitUntil(*desktop, [&] {
    for (auto& candidate : AXWindow::allStandardWindows(services)) {
      if (candidate->pid() == client->pid()) window = candidate;
    }
    return window != nullptr;
  }));
  desktop->accessibility().performAction(window->element(), ax::raiseAction);

  ScreenGeometry geometry(desktop->screens());
  const auto screen = geometry.screen(*window->frame());
  ASSERT_TRUE(screen);
  // A fresh state file: every screen uses the first built-in layout, two halves.
  const auto zones = LayoutTemplate::defaults()[0].frames(geometry.zoneArea(*screen), 8);
  ASSERT_EQ(zones.size(), 2u);

  {
    testing::ChildProcess program(TAVORIN_PROGRAM, {},
                                  {{"XDG_CONFIG_HOME", (home / "config").string()},
                                   {"XDG_DATA_HOME", (home / "data").string()},
                                   {"XDG_RUNTIME_DIR", (home / "runtime").string()},
                                   {"LSAN_OPTIONS", "suppressions=" LSAN_SUPPRESSIONS}});
    ASSERT_TRUE(program.started());
    // The program grabs its keys once it has started: press until the window moves.
    bool snapped = false;
    for (int attempt = 0; attempt < 20 && !snapped; ++attempt) {
      x11::testing::pressChord(*desktop, {"LCTL", "LALT", "RGHT"});
      snapped = waitUntil(
          *desktop, [&] { return window->frame() == zones[0]; }, 1.0);
    }
    EXPECT_TRUE(snapped) << "the window did not snap into the left half";
    x11::testing::pressChord(*desktop, {"LCTL", "LALT", "RGHT"});
    EXPECT_TRUE(waitUntil(*desktop, [&] { return window->frame() == zones[1]; }))
        << window->frame()->description();

    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(std::chrono::seconds(20)), 0);
  }
  fs::remove_all(home);
}

}  // namespace
}  // namespace tavorin
