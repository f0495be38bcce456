#include <gtest/gtest.h>

#include <vector>

#include "platform/system_log.hpp"
#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

using testing::waitUntil;

constexpr std::uint32_t controlOption = hotKeyModifiers::control | hotKeyModifiers::option;
constexpr std::uint32_t keyE = 14;
constexpr std::uint32_t keyT = 17;
constexpr std::uint32_t keyF12 = 111;
constexpr std::uint32_t leftArrow = 123;

class X11HotKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
    handler = desktop->hotKeys().installHandler([this](HotKeyID id) {
      pressed.push_back(id);
      return true;
    });
  }

  void TearDown() override {
    // Synthetic key presses make the window manager reload its keyboard and take its key
    // bindings anew; the next test finds them in place.
    if (desktop) {
      EXPECT_TRUE(testing::syncWithWindowManager(*desktop));
    }
  }

  void chord(std::vector<std::string_view> keys) { testing::pressChord(*desktop, keys); }

  bool waitForPresses(std::size_t count) {
    return waitUntil(*desktop, [&] { return pressed.size() >= count; });
  }

  std::unique_ptr<X11Desktop> desktop;
  Subscription handler;
  std::vector<HotKeyID> pressed;
};

TEST_F(X11HotKeysTest, APressedComboReachesItsHandlerWhateverTheLocks) {
  const HotKeyID id{fourCharCode("TILE"), 1};
  auto registration = desktop->hotKeys().registerHotKey(keyE, controlOption, id);
  ASSERT_TRUE(registration.succeeded()) << registration.status;

  chord({"LCTL", "LALT", "AD03"});
  ASSERT_TRUE(waitForPresses(1));
  EXPECT_EQ(pressed[0], id);

  // With Caps Lock on the same combo still counts.
  chord({"CAPS"});
  chord({"LCTL", "LALT", "AD03"});
  ASSERT_TRUE(waitForPresses(2));
  EXPECT_EQ(pressed[1], id);
  chord({"CAPS"});

  // Other modifiers make another combo, which nobody registered.
  EXPECT_EQ(desktop->hotKeys().unregisterHotKey(registration.ref), hotKeyStatus::ok);
  EXPECT_EQ(desktop->hotKeys().unregisterHotKey(registration.ref), hotKeyStatus::invalidArgument);
  const HotKeyID later{fourCharCode("TILE"), 2};
  ASSERT_TRUE(desktop->hotKeys().registerHotKey(keyT, controlOption, later).succeeded());
  // Presses arrive in order: when the later key is seen, the unregistered one would have been.
  chord({"LCTL", "LALT", "AD03"});
  chord({"LCTL", "LALT", "AD05"});
  ASSERT_TRUE(waitForPresses(3));
  EXPECT_EQ(pressed[2], later);
  EXPECT_EQ(pressed.size(), 3u);
}

TEST_F(X11HotKeysTest, ArrowsWithShiftAndWithoutAreDistinctHotKeys) {
  const std::uint32_t extend = controlOption | hotKeyModifiers::shift;
  ASSERT_TRUE(desktop->hotKeys().registerHotKey(leftArrow, controlOption, {1, 10}).succeeded());
  ASSERT_TRUE(desktop->hotKeys().registerHotKey(leftArrow, extend, {1, 11}).succeeded());
  chord({"LCTL", "LALT", "LFSH", "LEFT"});
  chord({"LCTL", "LALT", "LEFT"});
  ASSERT_TRUE(waitForPresses(2));
  EXPECT_EQ(pressed[0].id, 11u);
  EXPECT_EQ(pressed[1].id, 10u);
}

TEST_F(X11HotKeysTest, AComboSomeoneElseHoldsIsRefusedAndLoggedWithoutHarm) {
  std::vector<LogEntry> log;
  auto watching = SystemLog::observe([&](const LogEntry& entry) { log.push_back(entry); });

  // The window manager of the test desktop binds Super+F12 (once it is done with what came
  // before).
  ASSERT_TRUE(testing::syncWithWindowManager(*desktop));
  auto refused = desktop->hotKeys().registerHotKey(keyF12, hotKeyModifiers::command,
                                                   {fourCharCode("TILE"), 5});
  EXPECT_FALSE(refused.succeeded());
  EXPECT_EQ(refused.status, hotKeyStatus::alreadyTaken);
  EXPECT_EQ(refused.ref, 0u);
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().message.find("refused"), std::string::npos);

  // Another program of ours on the same server is someone else too.
  auto other = X11Desktop::open();
  ASSERT_TRUE(other);
  ASSERT_TRUE(other->hotKeys().registerHotKey(keyE, controlOption, {1, 1}).succeeded());
  EXPECT_EQ(desktop->hotKeys().registerHotKey(keyE, controlOption, {1, 2}).status,
            hotKeyStatus::alreadyTaken);
  // Registering the same combo twice here is refused as well.
  ASSERT_TRUE(desktop->hotKeys().registerHotKey(keyT, controlOption, {1, 3}).succeeded());
  EXPECT_EQ(desktop->hotKeys().registerHotKey(keyT, controlOption, {1, 4}).status,
            hotKeyStatus::alreadyTaken);
  // A key this keyboard does not have.
  EXPECT_EQ(desktop->hotKeys().registerHotKey(52, controlOption, {1, 6}).status,
            hotKeyStatus::invalidHotKey);

  // Nothing was left half-registered: once the other program is gone the combo is free.
  other.reset();
  auto freed = desktop->hotKeys().registerHotKey(keyE, controlOption, {1, 7});
  EXPECT_TRUE(freed.succeeded()) << freed.status;
  EXPECT_FALSE(desktop->connection().isBroken());
}

}  // namespace
}  // namespace tavorin::x11
