#include "platform/sim/sim_hot_keys.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/sim/sim_screens.hpp"

namespace tavorin::sim {
namespace {

constexpr std::uint32_t controlOption = hotKeyModifiers::control | hotKeyModifiers::option;

TEST(SimHotKeysTest, RegisteredCombosReachTheHandlersUntilUnregistered) {
  SimHotKeys keys;
  std::vector<HotKeyID> seen;
  auto first = keys.installHandler([&](HotKeyID id) {
    seen.push_back(id);
    return id.signature == fourCharCode("TILE");
  });
  int secondCalls = 0;
  auto second = keys.installHandler([&](HotKeyID) { return ++secondCalls, true; });

  auto tile = keys.registerHotKey(14, controlOption, {fourCharCode("TILE"), 1});
  auto other = keys.registerHotKey(15, controlOption, {fourCharCode("PNTR"), 7});
  ASSERT_TRUE(tile.succeeded());
  ASSERT_TRUE(other.succeeded());

  EXPECT_TRUE(keys.press(14, controlOption));
  EXPECT_EQ(secondCalls, 0);  // the first handler took it
  EXPECT_TRUE(keys.press(15, controlOption));
  EXPECT_EQ(secondCalls, 1);  // passed on by the first
  EXPECT_FALSE(keys.press(14, hotKeyModifiers::control));
  EXPECT_EQ(seen.size(), 2u);

  EXPECT_EQ(keys.unregisterHotKey(tile.ref), hotKeyStatus::ok);
  EXPECT_EQ(keys.unregisterHotKey(tile.ref), hotKeyStatus::invalidArgument);
  EXPECT_FALSE(keys.press(14, controlOption));

  first.reset();
  second.reset();
  EXPECT_FALSE(keys.press(15, controlOption));
}

TEST(SimHotKeysTest, TakenDuplicateAndInvalidCombosAreRefused) {
  SimHotKeys keys;
  keys.takeByOtherApplication(123, controlOption);
  EXPECT_EQ(keys.registerHotKey(123, controlOption, {1, 1}).status, hotKeyStatus::alreadyTaken);
  ASSERT_TRUE(keys.registerHotKey(124, controlOption, {1, 2}).succeeded());
  EXPECT_EQ(keys.registerHotKey(124, controlOption, {1, 3}).status, hotKeyStatus::alreadyTaken);
  EXPECT_EQ(keys.registerHotKey(500, controlOption, {1, 4}).status, hotKeyStatus::invalidHotKey);
  EXPECT_EQ(keys.registerHotKey(1, 1, {1, 5}).status, hotKeyStatus::invalidHotKey);
  EXPECT_EQ(keys.registerHotKey(1, 1, {1, 5}).ref, 0u);
  EXPECT_EQ(keys.registered().size(), 1u);
}

TEST(SimHotKeysTest, AHandlerRemovedDuringAPressIsNotAskedAnyMore) {
  SimHotKeys keys;
  std::optional<Subscription> later;
  int laterCalls = 0;
  auto first = keys.installHandler([&](HotKeyID) {
    later.reset();
    return false;
  });
  later = keys.installHandler([&](HotKeyID) { return ++laterCalls, true; });
  EXPECT_FALSE(keys.deliver({1, 1}));
  EXPECT_EQ(laterCalls, 0);
}

TEST(SimScreensTest, ScreensAnnounceChangesAndComputeVisibleFrames) {
  SimScreens screens;
  int changes = 0;
  auto token = screens.observeChanges([&] { ++changes; });
  screens.setScreens({SimScreens::make(1, {0, 0, 1440, 900}, 25, 70)});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(screens.screens()[0].visibleFrame, (Rect{0, 70, 1440, 805}));
}

}  // namespace
}  // namespace tavorin::sim
