#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/hot_keys.hpp"
#include "platform/key_event.hpp"

namespace tavorin {

// The global shortcut that shows the pointer highlight: a virtual key code with hot key
// modifier bits (`hotKeyModifiers`), and the text the user sees.
struct PointerShortcut {
  enum class RecordError { needsModifier };

  std::uint32_t keyCode = 0;
  std::uint32_t carbonModifiers = 0;
  std::string displayString;

  bool operator==(const PointerShortcut&) const = default;

  // ⌃⌥P.
  static PointerShortcut defaultShortcut();

  // Compact UTF-8 JSON {"keyCode", "carbonModifiers", "displayString"}.
  std::string storageString() const;
  // Reads a storage string (members in any order, all three required); nothing on any error.
  static std::optional<PointerShortcut> fromStorage(std::string_view storage);

  // Records a key-down event: a function key works alone; any other key needs control, option
  // or command (shift alone is not enough).
  static std::variant<PointerShortcut, RecordError> from(const KeyEvent& event);
  // The localized text shown for a recording error.
  static std::string message(RecordError error);

  // F1…F20 by virtual key code.
  static const std::map<std::uint32_t, std::string_view>& functionKeys();
};

}  // namespace tavorin
