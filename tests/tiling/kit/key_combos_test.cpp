#include "tiling/kit/key_combos.hpp"

#include <gtest/gtest.h>

#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

KeyEvent press(std::uint16_t keyCode, std::uint64_t flags, std::string characters) {
  KeyEvent event;
  event.keyCode = keyCode;
  event.modifierFlags = flags;
  event.charactersIgnoringModifiers = std::move(characters);
  return event;
}

constexpr std::uint64_t control = eventFlags::control;
constexpr std::uint64_t option = eventFlags::option;
constexpr std::uint64_t shift = eventFlags::shift;
constexpr std::uint64_t command = eventFlags::command;

struct KeyCombosTest : ::testing::Test {
  void TearDown() override { Localizer::setShared(nullptr); }
};

TEST_F(KeyCombosTest, KeyPressesBecomeCombosWithDisplayAndModifierBits) {
  struct Case {
    KeyEvent event;
    std::optional<KeyCombo> expected;
  };
  const Case cases[] = {
      {press(40, control | option | shift, "k"), KeyCombo{40, 6656, "⌃⌥⇧K"}},
      {press(96, command, ""), KeyCombo{96, 256, "⌘F5"}},
      {press(105, 0, ""), KeyCombo{105, 0, "F13"}},
      {press(49, command | option, " "), KeyCombo{49, 2304, "⌥⌘Space"}},
      {press(123, control | option, ""), KeyCombo{123, 6144, "⌃⌥←"}},
      {press(18, control | eventFlags::capsLock, "1"), KeyCombo{18, 4096, "⌃1"}},
      {press(41, option, ""), KeyCombo{41, 2048, "⌥?"}},
      {press(40, shift, "k"), std::nullopt},
      {press(40, 0, "k"), std::nullopt},
      {press(53, eventFlags::function, ""), std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyComboFrom(c.event), c.expected) << c.event.keyCode;
  }
}

TEST_F(KeyCombosTest, LettersAreUpperCasedInTheInterfaceLanguage) {
  sim::SimDesktop desktop;
  EXPECT_EQ(keyComboFrom(press(34, control, "i"))->display, "⌃I");
  desktop.suiteDefaults.setString(Localizer::preferenceKey, "tr");
  Localizer::install(desktop.platform());
  EXPECT_EQ(keyComboFrom(press(34, control, "i"))->display, "⌃İ");
  EXPECT_EQ(keyComboFrom(press(41, option, "ş"))->display, "⌥Ş");
}

TEST_F(KeyCombosTest, ReservedCombosAreTheCommandShortcutsInOrder) {
  const auto& reserved = reservedKeyCombos();
  std::vector<std::string> displays;
  for (const KeyCombo& combo : reserved)
    displays.push_back(combo.display);
  EXPECT_EQ(displays, (std::vector<std::string>{"⌃⌥E", "⌃⌥N", "⌃⌥A", "⌃⌥T", "⌃⌥←", "⌃⌥⇧←", "⌃⌥→",
                                                "⌃⌥⇧→", "⌃⌥↑", "⌃⌥⇧↑", "⌃⌥↓", "⌃⌥⇧↓"}));
  const auto& commands = commandShortcuts();
  ASSERT_EQ(commands.size(), reserved.size());
  for (std::size_t i = 0; i < commands.size(); ++i) {
    EXPECT_EQ(commands[i].keyCode, reserved[i].keyCode);
    EXPECT_EQ(commands[i].modifiers, reserved[i].carbonModifiers);
  }
  EXPECT_EQ(reserved[8].keyCode, 126u);   // up
  EXPECT_EQ(reserved[10].keyCode, 125u);  // down
}

TEST_F(KeyCombosTest, RecordingRefusesReservedAndModifierlessCombos) {
  using Outcome = ZoneShortcutRecording::Outcome;
  EXPECT_EQ(recordZoneShortcut(press(53, control, "")).outcome, Outcome::cancelled);

  auto reserved = recordZoneShortcut(press(17, control | option, "t"));
  EXPECT_EQ(reserved.outcome, Outcome::keepRecording);
  EXPECT_EQ(reserved.message, "⌃⌥T is already used by Window Layout. Choose another one.");

  auto shiftOnly = recordZoneShortcut(press(40, shift, "k"));
  EXPECT_EQ(shiftOnly.outcome, Outcome::keepRecording);
  EXPECT_EQ(shiftOnly.message, "Use at least one of ⌘, ⌥ or ⌃. Only F keys work on their own.");

  auto f13 = recordZoneShortcut(press(105, 0, ""));
  EXPECT_EQ(f13.outcome, Outcome::recorded);
  EXPECT_TRUE(f13.message.empty());
  EXPECT_EQ(f13.combo, (KeyCombo{105, 0, "F13"}));
  // The same arrow with Shift and Command is free.
  EXPECT_EQ(recordZoneShortcut(press(123, control | option | command, "")).outcome,
            Outcome::recorded);
}

TEST_F(KeyCombosTest, AComboTakenFromAnotherZoneMovesThere) {
  auto shortcuts = defaultZoneShortcuts();
  const KeyCombo five = shortcuts.at("5");
  setZoneShortcut(shortcuts, 2, five);
  EXPECT_EQ(shortcuts.at("2"), five);
  EXPECT_FALSE(shortcuts.contains("5"));
  EXPECT_EQ(shortcuts.size(), 8u);

  setZoneShortcut(shortcuts, 12, KeyCombo{105, 0, "F13"});
  EXPECT_EQ(shortcuts.at("12").display, "F13");
  setZoneShortcut(shortcuts, 12, std::nullopt);
  EXPECT_FALSE(shortcuts.contains("12"));
  // The same key with other modifiers is another combo.
  setZoneShortcut(shortcuts, 3, KeyCombo{18, 4096, "⌃1"});
  EXPECT_TRUE(shortcuts.contains("1"));
}

}  // namespace
}  // namespace tavorin
