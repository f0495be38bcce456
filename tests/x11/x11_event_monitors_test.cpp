#include <gtest/gtest.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "platform/key_event.hpp"
#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

using testing::waitUntil;

constexpr std::uint16_t leftControlKey = 59;
constexpr std::uint16_t leftShiftKey = 56;
constexpr std::uint16_t keyA = 0;

// Runs a program from PATH to its end; its exit status, or -1 when it could not be started.
int run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (auto& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class X11EventMonitorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
    ASSERT_TRUE(monitors().isAvailable()) << "the test server offers XInput 2.2";
    monitor = monitors().addGlobalMonitor(
        eventMasks::flagsChanged | eventMasks::keyDown | eventMasks::keyUp,
        [this](const InputEvent& event) { seen.push_back(event); });
    ASSERT_TRUE(monitor);
  }

  void TearDown() override {
    // Synthetic key presses make the window manager reload its keyboard; the next test finds
    // it in place.
    if (desktop) {
      EXPECT_TRUE(testing::syncWithWindowManager(*desktop));
    }
  }

  X11EventMonitors& monitors() { return desktop->eventMonitors(); }

  void key(std::string_view name, bool down) {
    Connection& c = desktop->connection();
    auto keycode = desktop->keyboard().keycode(name);
    ASSERT_TRUE(keycode) << name;
    xcb_test_fake_input(c.xcb(), down ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                        static_cast<xcb_keycode_t>(*keycode), XCB_CURRENT_TIME, c.root(), 0, 0, 0);
  }

  // Taps Shift and waits for its release: every event sent before it has been handled then.
  void drain() {
    key("LFSH", true);
    key("LFSH", false);
    desktop->connection().flush();
    ASSERT_TRUE(waitUntil(*desktop, [&] {
      return !seen.empty() && seen.back().type == EventType::flagsChanged &&
             seen.back().keyCode == leftShiftKey && seen.back().modifierFlags == 0;
    }));
    ASSERT_GE(seen.size(), 2u);
    seen.resize(seen.size() - 2);
  }

  std::vector<InputEvent> flagChanges() const {
    std::vector<InputEvent> changes;
    for (const InputEvent& event : seen) {
      if (event.type == EventType::flagsChanged) changes.push_back(event);
    }
    return changes;
  }

  std::unique_ptr<X11Desktop> desktop;
  Subscription monitor;
  std::vector<InputEvent> seen;
};

TEST_F(X11EventMonitorsTest, RepeatedAndDoubledModifierKeysReportOnlyRealChanges) {
  const double before =
      std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  const std::uint64_t keysBefore = monitors().eventCount(EventType::keyDown);
  // Left Control down, the right one down and up (twice), the left one up twice: one press and
  // one release of the modifier, nothing else.
  key("LCTL", true);
  key("RCTL", true);
  key("RCTL", false);
  key("RCTL", false);
  key("LCTL", false);
  key("LCTL", false);
  // A letter between two presses of Control: a key down and up that carry the flags.
  key("LCTL", true);
  key("AC01", true);
  key("AC01", false);
  key("LCTL", false);
  drain();

  const auto changes = flagChanges();
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].modifierFlags, eventFlags::control);
  EXPECT_EQ(changes[0].keyCode, leftControlKey);
  EXPECT_EQ(changes[1].modifierFlags, 0u);
  EXPECT_EQ(changes[2].modifierFlags, eventFlags::control);
  EXPECT_EQ(changes[3].modifierFlags, 0u);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[3].type, EventType::keyDown);
  EXPECT_EQ(seen[3].keyCode, keyA);
  EXPECT_EQ(seen[3].modifierFlags & eventFlags::modifierMask, eventFlags::control);
  EXPECT_FALSE(seen[3].isRepeat);
  EXPECT_EQ(seen[4].type, EventType::keyUp);
  EXPECT_EQ(monitors().eventCount(EventType::keyDown), keysBefore + 1)
      << "modifier keys do not count as key downs";
  EXPECT_EQ(monitors().modifierFlags() & eventFlags::modifierMask, 0u);

  // Server time stamps in seconds, in order, on this machine's monotonic clock.
  for (std::size_t i = 1; i < seen.size(); ++i)
    EXPECT_GE(seen[i].timestamp, seen[i - 1].timestamp);
  const double after =
      std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  EXPECT_GE(seen.front().timestamp, before - 0.05);
  EXPECT_LE(seen.back().timestamp, after + 0.05);
}

TEST_F(X11EventMonitorsTest, XdotoolTapsOfTheRightControlKeyReadAsCleanTaps) {
  const int status = run({"xdotool", "keydown", "Control_R", "keyup", "Control_R", "keydown",
                          "Control_R", "keyup", "Control_R"});
  if (status == -1) GTEST_SKIP() << "xdotool is not installed";
  ASSERT_EQ(status, 0);
  drain();
  const auto changes = flagChanges();
  ASSERT_EQ(changes.size(), 4u);
  for (std::size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(changes[i].modifierFlags & eventFlags::modifierMask,
              i % 2 == 0 ? eventFlags::control : 0u)
        << i;
  }
  // xdotool waits a few milliseconds between its steps; each press lasts about that long.
  EXPECT_GT(changes[1].timestamp, changes[0].timestamp);
  EXPECT_LT(changes[1].timestamp - changes[0].timestamp, 0.35);
}

TEST_F(X11EventMonitorsTest, ButtonsAndScrollsAreHeldAndCountedAndDragsFollowThePointer) {
  std::vector<InputEvent> mouse;
  auto mouseMonitor =
      monitors().addGlobalMonitor(eventMasks::mouseDown | eventMasks::mouseUp |
                                      eventMasks::mouseDragged | eventMasks::scrollWheel,
                                  [&](const InputEvent& event) { mouse.push_back(event); });
  Connection& c = desktop->connection();
  auto fake = [&](std::uint8_t type, std::uint8_t detail, std::int16_t x = 0, std::int16_t y = 0) {
    xcb_test_fake_input(c.xcb(), type, detail, XCB_CURRENT_TIME, c.root(), x, y, 0);
  };
  const std::uint64_t scrollsBefore = monitors().eventCount(EventType::scrollWheel);
  fake(XCB_MOTION_NOTIFY, 0, 300, 200);
  fake(XCB_BUTTON_PRESS, 1);
  fake(XCB_MOTION_NOTIFY, 0, 310, 220);
  fake(XCB_MOTION_NOTIFY, 0, 320, 240);
  c.flush();
  ASSERT_TRUE(waitUntil(*desktop, [&] {
    return !mouse.empty() && mouse.back().type == EventType::leftMouseDragged &&
           mouse.back().location.x == 320;
  }));
  EXPECT_EQ(monitors().pressedMouseButtons(), 1u << mouseButtons::left);
  EXPECT_EQ(mouse.front().type, EventType::leftMouseDown);
  EXPECT_EQ(mouse.front().clickCount, 1);
  // Screen space grows upward from the primary screen's bottom edge.
  const double height = desktop->screens().screens().front().frame.height;
  EXPECT_EQ(mouse.back().location.y, height - 240);

  fake(XCB_BUTTON_RELEASE, 1);
  fake(XCB_BUTTON_RELEASE, 1);
  fake(XCB_BUTTON_PRESS, 5);
  fake(XCB_BUTTON_RELEASE, 5);
  c.flush();
  ASSERT_TRUE(waitUntil(*desktop, [&] { return mouse.back().type == EventType::scrollWheel; }));
  EXPECT_EQ(monitors().pressedMouseButtons(), 0u);
  EXPECT_EQ(monitors().eventCount(EventType::scrollWheel), scrollsBefore + 1);
  std::size_t ups = 0;
  for (const InputEvent& event : mouse)
    ups += event.type == EventType::leftMouseUp ? 1 : 0;
  EXPECT_EQ(ups, 1u) << "the doubled release is ignored";
}

}  // namespace
}  // namespace tavorin::x11
