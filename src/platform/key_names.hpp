#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavorin {

// Names of the keys that type no character of their own, by virtual key code: the same on every
// backend and in every shortcut record.

struct FunctionKey {
  std::string_view name;
  std::uint16_t keyCode;
};

// F1 to F20, in order.
inline constexpr std::array<FunctionKey, 20> functionKeys{{
    {"F1", 122},  {"F2", 120},  {"F3", 99},   {"F4", 118},  {"F5", 96},
    {"F6", 97},   {"F7", 98},   {"F8", 100},  {"F9", 101},  {"F10", 109},
    {"F11", 103}, {"F12", 111}, {"F13", 105}, {"F14", 107}, {"F15", 113},
    {"F16", 106}, {"F17", 64},  {"F18", 79},  {"F19", 80},  {"F20", 90},
}};

// "F1" … "F20", or nothing for any other key.
std::optional<std::string_view> functionKeyName(std::uint32_t keyCode);

// The symbol shown for Return ↩, Tab ⇥, Delete ⌫, Home ↖, Page Up ⇞, Forward Delete ⌦, End ↘,
// Page Down ⇟ and the arrows ← → ↓ ↑; nothing for any other key (Space has a word, not a symbol).
std::optional<std::string_view> keySymbol(std::uint32_t keyCode);

// Virtual key codes the records refer to by name.
namespace keyCodes {
inline constexpr std::uint16_t returnKey = 36;
inline constexpr std::uint16_t space = 49;
inline constexpr std::uint16_t deleteKey = 51;
inline constexpr std::uint16_t escape = 53;
inline constexpr std::uint16_t leftArrow = 123;
inline constexpr std::uint16_t rightArrow = 124;
inline constexpr std::uint16_t downArrow = 125;
inline constexpr std::uint16_t upArrow = 126;
}  // namespace keyCodes

}  // namespace tavorin
