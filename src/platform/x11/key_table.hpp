#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavorin::x11 {

// The real modifier masks (ShiftMask, LockMask, ControlMask, Mod1..Mod5) that the keyboard's
// modifier keys sit on. Alt, Super and NumLock move between Mod1..Mod5 with the keymap.
struct ModifierMasks {
  std::uint16_t shift = 1 << 0;
  std::uint16_t lock = 1 << 1;
  std::uint16_t control = 1 << 2;
  std::uint16_t alt = 1 << 3;      // Mod1
  std::uint16_t numLock = 1 << 4;  // Mod2
  std::uint16_t super = 1 << 6;    // Mod4
  // Lock-like modifiers that must not change what a key press means.
  std::uint16_t ignored() const { return lock | numLock; }
};

// The one translation between the program's canonical keys and this desktop's: virtual key
// codes (the hardware-independent codes stored in shortcuts) are tied to XKB key names, which
// name a key by its place on the keyboard, whatever the layout; Command is Super, Option is Alt.
std::optional<std::string_view> xkbKeyName(std::uint32_t virtualKeyCode);
std::optional<std::uint32_t> virtualKeyCode(std::string_view xkbKeyName);

// Hot key modifier bits (command 256, shift 512, option 2048, control 4096) to and from X masks.
std::uint16_t xModifierMask(std::uint32_t hotKeyModifiers, const ModifierMasks& masks);
std::uint32_t hotKeyModifiers(std::uint16_t xMask, const ModifierMasks& masks);
// Event modifier flags (shift 0x20000, control 0x40000, option 0x80000, command 0x100000).
std::uint64_t eventModifierFlags(std::uint16_t xMask, const ModifierMasks& masks);

}  // namespace tavorin::x11
