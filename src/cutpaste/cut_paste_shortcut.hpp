#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cutpaste/keyboard_layout.hpp"
#include "platform/key_event.hpp"
#include "platform/preference_store.hpp"

namespace tavorin {

// A cut or paste ("Move here") shortcut: a key and an exact set of modifiers. The built-in
// shortcuts name their key by the letter it types, so they follow the keyboard layout; a
// recorded shortcut names the physical key.
struct CutPasteShortcut {
  // The four modifiers a shortcut may hold, as keyboard event flag bits.
  static constexpr std::uint64_t shift = eventFlags::shift;
  static constexpr std::uint64_t control = eventFlags::control;
  static constexpr std::uint64_t option = eventFlags::option;
  static constexpr std::uint64_t command = eventFlags::command;
  static constexpr std::uint64_t modifierMask = eventFlags::modifierMask;

  std::uint16_t keyCode = 0;
  // When present and not empty, the key is the one that types this character in the current
  // layout, and `keyCode` is not used for matching.
  std::optional<std::string> character;
  std::uint64_t modifiers = 0;
  std::string displayString;

  bool operator==(const CutPasteShortcut&) const = default;

  // ⌘X by the letter x, and ⌘V by the letter v.
  static CutPasteShortcut defaultCut();
  static CutPasteShortcut defaultPaste();

  // The shortcut a key-down event records (no character; modifiers other than the four are
  // dropped); nothing for any other kind of event.
  static std::optional<CutPasteShortcut> from(const KeyEvent& event);

  // F1…F20 by virtual key code.
  static const std::map<std::uint16_t, std::string_view>& functionKeys();
  // How a key is shown: "F5", an arrow or other symbol, the localized "Space", or `characters`
  // upper-cased by the Turkish rules ("?" when empty).
  static std::string keyName(std::uint16_t keyCode, std::string_view characters);

  // The key a press must have to match: the key typing `character` when there is one (0 when
  // no key types it), `keyCode` otherwise.
  std::uint16_t matchKeyCode(KeyboardLayout& layout = KeyboardLayout::current()) const;
  // Whether a key press with these event flags is this shortcut: same key, and exactly these
  // modifiers (Caps Lock, the function key and the other flag bits are ignored).
  bool matches(std::uint16_t pressedKeyCode, std::uint64_t flags,
               KeyboardLayout& layout = KeyboardLayout::current()) const;

  // The reason the pair cannot be used together, or nothing when it can.
  static std::optional<std::string> validationError(
      const CutPasteShortcut& cut, const CutPasteShortcut& paste,
      KeyboardLayout& layout = KeyboardLayout::current());
  // A warning when the shortcut takes the key of one of the file manager's own ⌘ commands.
  std::optional<std::string> collisionWarning(
      KeyboardLayout& layout = KeyboardLayout::current()) const;

  // The stored form: UTF-8 JSON of {"keyCode", "character" (left out when absent), "modifiers",
  // "displayString"}.
  std::string json() const;
  Bytes encoded() const;
  // Reads the stored form; nothing when it does not decode ("keyCode", "modifiers" and
  // "displayString" are required, members in any order). Modifier bits other than the four are
  // dropped.
  static std::optional<CutPasteShortcut> decode(std::span<const std::uint8_t> data);
  static std::optional<CutPasteShortcut> decode(std::string_view json);
};

}  // namespace tavorin
