#include "cutpaste/cut_paste_shortcut.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

using sim::SimKeyboardLayout;
constexpr auto cmd = CutPasteShortcut::command;
constexpr auto shift = CutPasteShortcut::shift;
constexpr auto ctrl = CutPasteShortcut::control;
constexpr auto opt = CutPasteShortcut::option;

KeyEvent keyDown(std::uint16_t keyCode, std::uint64_t flags, std::string characters) {
  return KeyEvent{KeyEventType::keyDown, keyCode, flags, std::move(characters)};
}

CutPasteShortcut recorded(std::uint16_t keyCode, std::uint64_t flags, std::string characters) {
  return *CutPasteShortcut::from(keyDown(keyCode, flags, std::move(characters)));
}

class CutPasteShortcutTest : public ::testing::Test {
 protected:
  sim::SimDesktop desktop;
  KeyboardLayout layout{&desktop.keyboardLayout, desktop.runLoop};
  void SetUp() override { layout.startObserving(); }
};

TEST_F(CutPasteShortcutTest, RecordingShowsModifiersInFixedOrderAndNamesTheKey) {
  struct Case {
    KeyEvent event;
    std::string display;
  };
  const Case cases[] = {
      {keyDown(40, cmd | opt | ctrl, "k"), "⌃⌥⌘K"},
      {keyDown(96, shift, ""), "⇧F5"},
      {keyDown(90, 0, ""), "F20"},
      {keyDown(34, opt, "i"), "⌥İ"},
      {keyDown(34, opt, "ı"), "⌥I"},
      {keyDown(49, ctrl, " "), "⌃Space"},
      {keyDown(51, cmd, "\x08"), "⌘⌫"},
      {keyDown(126, cmd | shift, "\x1e"), "⇧⌘↑"},
      {keyDown(36, cmd, "\r"), "⌘↩"},
      {keyDown(41, cmd, "ö"), "⌘Ö"},
      {keyDown(10, cmd, ""), "⌘?"},
      // Caps Lock, the function key and device bits are never part of a shortcut.
      {keyDown(7, cmd | eventFlags::capsLock | eventFlags::function | 0x8, "x"), "⌘X"},
  };
  for (const auto& [event, display] : cases) {
    const auto shortcut = CutPasteShortcut::from(event);
    ASSERT_TRUE(shortcut) << display;
    EXPECT_EQ(shortcut->displayString, display);
    EXPECT_EQ(shortcut->keyCode, event.keyCode);
    EXPECT_FALSE(shortcut->character.has_value());
    EXPECT_EQ(shortcut->modifiers, event.modifierFlags & CutPasteShortcut::modifierMask);
  }
  KeyEvent keyUp = keyDown(7, cmd, "x");
  keyUp.type = KeyEventType::keyUp;
  EXPECT_FALSE(CutPasteShortcut::from(keyUp));
}

TEST_F(CutPasteShortcutTest, ValidationRefusesBareKeysShiftOnlyAndTheSameShortcutTwice) {
  const auto cut = CutPasteShortcut::defaultCut();
  const auto paste = CutPasteShortcut::defaultPaste();
  struct Case {
    CutPasteShortcut cut;
    CutPasteShortcut paste;
    std::optional<std::string> message;
  };
  const std::string needsModifier =
      ": Needs at least one modifier key (⌘, ⌥, ⌃ or ⇧); only F keys work on their own.";
  const std::string shiftOnly =
      ": A ⇧-only shortcut would block typing capital letters; add ⌘, ⌥ or ⌃.";
  const std::string same = "Cut and Move here can't use the same shortcut.";
  const Case cases[] = {
      {cut, paste, std::nullopt},
      {recorded(96, 0, ""), paste, std::nullopt},
      {recorded(96, shift, ""), paste, std::nullopt},
      {recorded(7, 0, "x"), paste, "Cut" + needsModifier},
      {recorded(7, shift, "x"), paste, "Cut" + shiftOnly},
      {cut, recorded(0, shift, "a"), "Move here" + shiftOnly},
      {cut, recorded(9, 0, "v"), "Move here" + needsModifier},
      // The cut shortcut is checked before the paste shortcut.
      {recorded(1, shift, "s"), recorded(9, 0, "v"), "Cut" + shiftOnly},
      // A recorded ⌘X is key 7, the key that types the default cut's "x".
      {cut, recorded(7, cmd, "x"), same},
      {recorded(9, cmd, "v"), paste, same},
      {recorded(96, 0, ""), recorded(96, 0, ""), same},
      {recorded(7, cmd | shift, "x"), cut, std::nullopt},
      // A function key named by a character is not a bare function key.
      {CutPasteShortcut{96, "x", 0, "X"}, paste, "Cut" + needsModifier},
  };
  for (const auto& [cutShortcut, pasteShortcut, message] : cases) {
    EXPECT_EQ(CutPasteShortcut::validationError(cutShortcut, pasteShortcut, layout), message)
        << cutShortcut.displayString << " / " << pasteShortcut.displayString;
  }
}

TEST_F(CutPasteShortcutTest, SameShortcutFollowsTheLayout) {
  // On Dvorak "x" is typed by key 11: a recorded ⌘X (key 7) no longer clashes with it, but a
  // recorded ⌘ on key 11 does.
  desktop.keyboardLayout.select(SimKeyboardLayout::dvorak);
  const auto cut = CutPasteShortcut::defaultCut();
  EXPECT_EQ(CutPasteShortcut::validationError(recorded(7, cmd, "q"), cut, layout), std::nullopt);
  EXPECT_TRUE(CutPasteShortcut::validationError(recorded(11, cmd, "x"), cut, layout));
  EXPECT_EQ(cut.matchKeyCode(layout), 11);
  EXPECT_TRUE(cut.matches(11, cmd | eventFlags::capsLock, layout));
  EXPECT_FALSE(cut.matches(7, cmd, layout));
  EXPECT_FALSE(cut.matches(11, cmd | shift, layout));
}

TEST_F(CutPasteShortcutTest, CollisionWarningsNameTheFinderCommandOfTheKey) {
  struct Case {
    std::string_view layoutID;
    CutPasteShortcut shortcut;
    std::optional<std::string> label;
  };
  const Case cases[] = {
      {SimKeyboardLayout::us, recorded(8, cmd, "c"), "⌘C (Copy)"},
      {SimKeyboardLayout::us, recorded(8, cmd | ctrl, "c"), std::nullopt},
      {SimKeyboardLayout::us, recorded(51, cmd, "\x08"), "⌘⌫ (Move to Trash)"},
      {SimKeyboardLayout::us, recorded(3, cmd, "f"), "⌘F (Find)"},
      {SimKeyboardLayout::us, recorded(7, cmd, "x"), std::nullopt},
      {SimKeyboardLayout::us, CutPasteShortcut::defaultCut(), std::nullopt},
      {SimKeyboardLayout::us, CutPasteShortcut{0, "c", cmd, "⌘C"}, "⌘C (Copy)"},
      // On AZERTY key 12 types "a" and key 0 types "q".
      {SimKeyboardLayout::french, recorded(12, cmd, "a"), "⌘A (Select All)"},
      {SimKeyboardLayout::french, recorded(0, cmd, "q"), "⌘Q (Quit)"},
      // On Dvorak "c" is typed by key 34, and key 8 types "j".
      {SimKeyboardLayout::dvorak, recorded(34, cmd, "c"), "⌘C (Copy)"},
      {SimKeyboardLayout::dvorak, recorded(8, cmd, "j"), std::nullopt},
      // With no ASCII-capable layout only "c" is known (by the fallback); key 0 is nobody's.
      {"", recorded(8, cmd, "c"), "⌘C (Copy)"},
      {"", recorded(0, cmd, "a"), std::nullopt},
  };
  for (const auto& [id, shortcut, label] : cases) {
    // A layout that has never seen an ASCII-capable layout knows only the fallback letters.
    KeyboardLayout neverSawALayout{&desktop.keyboardLayout, desktop.runLoop};
    if (id.empty()) {
      desktop.keyboardLayout.selectNone();
    } else {
      desktop.keyboardLayout.select(id);
    }
    const auto warning = shortcut.collisionWarning(id.empty() ? neverSawALayout : layout);
    if (!label) {
      EXPECT_EQ(warning, std::nullopt) << id << " " << shortcut.displayString;
      continue;
    }
    EXPECT_EQ(warning, "This shortcut replaces " + *label +
                           " in Finder; that command won't work with this key in Finder.")
        << id << " " << shortcut.displayString;
  }
}

}  // namespace
}  // namespace tavorin
