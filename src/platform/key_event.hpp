#pragma once

#include <cstdint>
#include <string>

#include "platform/run_loop.hpp"

namespace tavorin {

// The modifier bits of keyboard events (`CGEventFlags` / `NSEvent.ModifierFlags`), the same in
// event taps, event monitors and the application's own key events. Caps Lock, the function key
// and the device-dependent bits may be set too; whoever reads a modifier set masks them out.
namespace eventFlags {
inline constexpr std::uint64_t capsLock = 0x10000;
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t function = 0x800000;
// Shift, control, option and command.
inline constexpr std::uint64_t modifierMask = 0x1E0000;
}  // namespace eventFlags

enum class KeyEventType { keyDown, keyUp, flagsChanged };

// One keyboard event as the platform delivers it (`NSEvent` of type keyDown, keyUp or
// flagsChanged). Key codes are the hardware-independent virtual key codes (A = 0, X = 7,
// Return = 36, Escape = 53, ...); a backend maps its own keys to them.
struct KeyEvent {
  KeyEventType type = KeyEventType::keyDown;
  std::uint16_t keyCode = 0;
  // Bits of `eventFlags`.
  std::uint64_t modifierFlags = 0;
  // What the key types in the current layout with no modifier held
  // (`charactersIgnoringModifiers`), UTF-8; empty when it types nothing.
  std::string charactersIgnoringModifiers;
  bool isRepeat = false;
  // Seconds since system start-up.
  Seconds timestamp = 0;
};

}  // namespace tavorin
