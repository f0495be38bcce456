#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "platform/key_event.hpp"

namespace tavorin {

// A set of the four modifier keys.
class ModifierSet {
 public:
  static const ModifierSet control;
  static const ModifierSet option;
  static const ModifierSet command;
  static const ModifierSet shift;

  constexpr ModifierSet() = default;
  constexpr explicit ModifierSet(std::uint8_t rawValue) : rawValue_(rawValue) {}
  constexpr ModifierSet(std::initializer_list<ModifierSet> members) {
    for (ModifierSet member : members)
      rawValue_ |= member.rawValue_;
  }

  // The four device-independent modifiers of keyboard event flags; Caps Lock, the function key
  // and every other bit are left out.
  static constexpr ModifierSet fromEventFlags(std::uint64_t flags) {
    ModifierSet set;
    if (flags & eventFlags::control) set.rawValue_ |= 0x01;
    if (flags & eventFlags::option) set.rawValue_ |= 0x02;
    if (flags & eventFlags::command) set.rawValue_ |= 0x04;
    if (flags & eventFlags::shift) set.rawValue_ |= 0x08;
    return set;
  }

  constexpr std::uint8_t rawValue() const { return rawValue_; }
  constexpr bool isEmpty() const { return rawValue_ == 0; }
  constexpr bool contains(ModifierSet other) const {
    return (rawValue_ & other.rawValue_) == other.rawValue_;
  }

  constexpr ModifierSet operator|(ModifierSet other) const {
    return ModifierSet(static_cast<std::uint8_t>(rawValue_ | other.rawValue_));
  }
  constexpr ModifierSet operator&(ModifierSet other) const {
    return ModifierSet(static_cast<std::uint8_t>(rawValue_ & other.rawValue_));
  }
  // The members of this set that are not in `other`.
  constexpr ModifierSet operator-(ModifierSet other) const {
    return ModifierSet(static_cast<std::uint8_t>(rawValue_ & ~other.rawValue_));
  }
  constexpr ModifierSet& operator|=(ModifierSet other) { return *this = *this | other; }
  constexpr ModifierSet& operator&=(ModifierSet other) { return *this = *this & other; }
  constexpr ModifierSet& operator-=(ModifierSet other) { return *this = *this - other; }
  constexpr bool operator==(const ModifierSet&) const = default;

 private:
  std::uint8_t rawValue_ = 0;
};

inline constexpr ModifierSet ModifierSet::control(std::uint8_t{0x01});
inline constexpr ModifierSet ModifierSet::option(std::uint8_t{0x02});
inline constexpr ModifierSet ModifierSet::command(std::uint8_t{0x04});
inline constexpr ModifierSet ModifierSet::shift(std::uint8_t{0x08});

// The modifier key the user chooses to tap; stored by its raw value.
enum class ModifierKey { control, option, command, shift };

inline constexpr std::array<ModifierKey, 4> allModifierKeys{
    ModifierKey::control, ModifierKey::option, ModifierKey::command, ModifierKey::shift};

// "control", "option", "command", "shift".
std::string_view rawValue(ModifierKey key);
// Nothing for any other text (case included).
std::optional<ModifierKey> modifierKeyFromRawValue(std::string_view raw);
// "⌃ Control" and so on; the same in every language.
std::string_view displayName(ModifierKey key);
// The one-member set of the key.
ModifierSet modifierSet(ModifierKey key);

}  // namespace tavorin

template <>
struct std::hash<tavorin::ModifierSet> {
  std::size_t operator()(tavorin::ModifierSet set) const noexcept {
    return std::hash<std::uint8_t>{}(set.rawValue());
  }
};
