#include "tiling/kit/hot_key_center.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_hot_keys.hpp"
#include "platform/system_log.hpp"
#include "tiling/kit/key_combos.hpp"

namespace tavorin {
namespace {

struct HotKeyCenterTest : ::testing::Test {
  sim::SimHotKeys hotKeys;
  HotKeyCenter center{hotKeys};
  std::vector<std::string> log;
  Subscription logging =
      SystemLog::observe([this](const LogEntry& entry) { log.push_back(entry.message); });
};

TEST_F(HotKeyCenterTest, PressesRunTheirActionsUntilUnregisteredAndIdsKeepCounting) {
  int edits = 0;
  int arranges = 0;
  EXPECT_EQ(hotKeys.handlerCount(), 0u);  // installed with the first registration
  ASSERT_TRUE(center.registerHotKey(14, controlOption, [&] { ++edits; }));
  ASSERT_TRUE(center.registerHotKey(0, controlOption, [&] { ++arranges; }));
  EXPECT_EQ(hotKeys.handlerCount(), 1u);
  EXPECT_EQ(hotKeys.registered()[0].id, (HotKeyID{fourCharCode("TILE"), 1}));
  EXPECT_EQ(hotKeys.registered()[1].id.id, 2u);

  EXPECT_TRUE(hotKeys.press(14, controlOption));
  EXPECT_TRUE(hotKeys.press(0, controlOption));
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(arranges, 1);

  // Other signatures and unknown ids are not handled.
  EXPECT_FALSE(center.handle({fourCharCode("PNTR"), 1}));
  EXPECT_FALSE(center.handle({HotKeyCenter::signature, 99}));

  center.unregisterAll();
  EXPECT_TRUE(hotKeys.registered().empty());
  EXPECT_FALSE(hotKeys.press(14, controlOption));
  EXPECT_FALSE(center.handle({HotKeyCenter::signature, 1}));
  EXPECT_EQ(edits, 1);

  ASSERT_TRUE(center.registerHotKey(14, controlOption, [&] { ++edits; }));
  EXPECT_EQ(hotKeys.registered()[0].id.id, 3u);
  EXPECT_EQ(hotKeys.handlerCount(), 1u);  // the handler stays installed
}

TEST_F(HotKeyCenterTest, AComboTakenElsewhereFailsIsLoggedAndUsesUpItsId) {
  hotKeys.takeByOtherApplication(17, controlOption);
  EXPECT_FALSE(center.registerHotKey(17, controlOption, [] {}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0],
            "TilingKit: kısayol kaydedilemedi (tuş 17, hata -9878) — başka bir uygulama "
            "kullanıyor olabilir");
  EXPECT_EQ(center.nextID(), 2u);
  ASSERT_TRUE(center.registerHotKey(14, controlOption, [] {}));
  EXPECT_EQ(hotKeys.registered()[0].id.id, 2u);
}

TEST_F(HotKeyCenterTest, TheRegistrationPassRegistersCommandsThenValidZonesAndCollectsFailures) {
  std::map<std::string, KeyCombo> zones = defaultZoneShortcuts();
  zones["0"] = {29, controlOption, "⌃⌥0"};
  zones["-3"] = {105, 0, "F13"};
  zones["x"] = {106, 0, "F16"};
  zones["+12"] = {107, 0, "F14"};
  hotKeys.takeByOtherApplication(19, controlOption);   // ⌃⌥2
  hotKeys.takeByOtherApplication(123, controlOption);  // ⌃⌥←, a command

  std::vector<std::pair<TilingCommand, std::optional<Direction>>> commands;
  std::vector<int> zoneIndexes;
  const std::set<int> failures = registerTilingHotKeys(
      center, zones,
      [&](const CommandShortcut& shortcut) {
        commands.emplace_back(shortcut.command, shortcut.direction);
      },
      [&](int index) { zoneIndexes.push_back(index); });

  EXPECT_EQ(failures, (std::set<int>{2}));
  const auto registered = hotKeys.registered();
  // 11 of the 12 commands, then zones 1 and 3 to 9 and 12.
  ASSERT_EQ(registered.size(), 11u + 9u);
  const std::vector<std::pair<std::uint32_t, std::uint32_t>> firstCommands{
      {14, 6144}, {45, 6144}, {0, 6144}, {17, 6144}, {123, 6656}, {124, 6144}, {124, 6656}};
  for (std::size_t i = 0; i < firstCommands.size(); ++i) {
    EXPECT_EQ(registered[i].keyCode, firstCommands[i].first) << i;
    EXPECT_EQ(registered[i].modifiers, firstCommands[i].second) << i;
  }

  EXPECT_TRUE(hotKeys.press(126, 6656));
  EXPECT_TRUE(hotKeys.press(107, 0));
  EXPECT_TRUE(hotKeys.press(18, controlOption));
  EXPECT_FALSE(hotKeys.press(105, 0));  // zone "-3" was skipped
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].first, TilingCommand::extend);
  EXPECT_EQ(commands[0].second, Direction::up);
  EXPECT_EQ(zoneIndexes, (std::vector<int>{11, 0}));
}

TEST(ZoneNumberTest, ParsesSignedDecimalsOfOneAndAbove) {
  struct Case {
    std::string_view key;
    std::optional<int> expected;
  };
  for (const Case& c :
       {Case{"1", 1}, Case{"+4", 4}, Case{"007", 7}, Case{"12", 12}, Case{"0", std::nullopt},
        Case{"-3", std::nullopt}, Case{"x", std::nullopt}, Case{"", std::nullopt},
        Case{"+", std::nullopt}, Case{"+-2", std::nullopt}, Case{"2 ", std::nullopt},
        Case{"1.5", std::nullopt}, Case{"99999999999", std::nullopt}}) {
    EXPECT_EQ(zoneNumber(c.key), c.expected) << c.key;
  }
}

}  // namespace
}  // namespace tavorin
