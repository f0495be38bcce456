#include <gtest/gtest.h>
#include <stdlib.h>
#include <xcb/xtest.h>

#include <QApplication>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/x11/qt/qt_desktop.hpp"
#include "pointer/kit/pointer_locator.hpp"
#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

// The one Qt application of this test program, drawing on the test display.
QApplication& displayApplication() {
  static int argc = 1;
  static char name[] = "tavorin-x11-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "xcb");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Points the program's preferences at an empty folder of its own while it lives.
class ScratchConfigHome {
 public:
  ScratchConfigHome()
      : folder_(std::filesystem::temp_directory_path() /
                ("tavorin-pointer-test-" + std::to_string(getpid()))) {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) previous_ = old;
    std::filesystem::create_directories(folder_);
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  ~ScratchConfigHome() {
    if (previous_) {
      setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
  std::optional<std::string> previous_;
};

// Mapped override-redirect windows of `size` × `size` at the top level, as the server sees them.
std::vector<xcb_rectangle_t> squareOverlays(Connection& c, int size) {
  std::vector<xcb_rectangle_t> found;
  auto tree =
      c.reply<xcb_query_tree_reply_t>(xcb_query_tree(c.xcb(), c.root()).sequence, deadlineIn(2));
  if (!tree) return found;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    auto attributes = c.reply<xcb_get_window_attributes_reply_t>(
        xcb_get_window_attributes(c.xcb(), children[i]).sequence, deadlineIn(2));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
        attributes->override_redirect == 0) {
      continue;
    }
    auto geometry = c.reply<xcb_get_geometry_reply_t>(
        xcb_get_geometry(c.xcb(), children[i]).sequence, deadlineIn(2));
    if (geometry && geometry->width == size && geometry->height == size) {
      found.push_back({geometry->x, geometry->y, geometry->width, geometry->height});
    }
  }
  return found;
}

TEST(X11PointerLocatorTest, ADoubleTapOfControlShowsTheRingsAtThePointer) {
  if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
  // The program's own preferences stay out of it: the settings are the defaults.
  ScratchConfigHome scratch;

  QApplication& app = displayApplication();
  static char name[] = "tavorin-x11-test";
  char* argv[] = {name, nullptr};
  qt::QtDesktop program(app, 1, argv);
  ASSERT_NE(program.x11(), nullptr);
  auto locator = PointerLocator::create(program.platform());
  locator->start(false);
  EXPECT_FALSE(locator->needsPermission());
  EXPECT_EQ(locator->monitorCount(), 4u);

  // The test presses the keys on a connection of its own, as another program would.
  auto input = X11Desktop::open();
  ASSERT_TRUE(input);
  Connection& c = input->connection();
  xcb_test_fake_input(c.xcb(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, c.root(), 500, 400, 0);
  testing::pressChord(*input, {"LCTL"});
  testing::pressChord(*input, {"LCTL"});

  // The overlay is 2 · 90 + 16 points wide, centred on the pointer.
  const auto shown = [&] {
    app.processEvents(QEventLoop::AllEvents, 20);
    return !squareOverlays(c, 196).empty();
  };
  const Deadline deadline = deadlineIn(5);
  while (!shown() && SteadyClock::now() < deadline) {
  }
  const auto overlays = squareOverlays(c, 196);
  ASSERT_EQ(overlays.size(), 1u) << "a double tap shows one ring panel";
  EXPECT_EQ(overlays[0].x, 500 - 98);
  EXPECT_EQ(overlays[0].y, 400 - 98);
  EXPECT_TRUE(locator->highlighter().isAnimating());

  // After the animation's 0.7 seconds the panel goes away again.
  const Deadline gone = deadlineIn(5);
  while (shown() && SteadyClock::now() < gone) {
  }
  EXPECT_TRUE(squareOverlays(c, 196).empty());
  EXPECT_FALSE(locator->highlighter().isAnimating());

  locator->stop();
  locator.reset();
  EXPECT_TRUE(testing::syncWithWindowManager(*input));
}

}  // namespace
}  // namespace tavorin::x11
