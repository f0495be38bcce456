#pragma once

#include <cstdint>
#include <functional>

#include "platform/signal.hpp"

namespace tavorin {

// What a hot key is known by when it is pressed: a four-character signature packed big-endian
// into 32 bits, and an id.
struct HotKeyID {
  std::uint32_t signature = 0;
  std::uint32_t id = 0;
  bool operator==(const HotKeyID&) const = default;
};

constexpr std::uint32_t fourCharCode(const char (&code)[5]) {
  return (std::uint32_t(std::uint8_t(code[0])) << 24) |
         (std::uint32_t(std::uint8_t(code[1])) << 16) |
         (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

// The classic hot key modifier bits.
namespace hotKeyModifiers {
inline constexpr std::uint32_t command = 256;
inline constexpr std::uint32_t shift = 512;
inline constexpr std::uint32_t option = 2048;
inline constexpr std::uint32_t control = 4096;
inline constexpr std::uint32_t all = command | shift | option | control;
}  // namespace hotKeyModifiers

// The status codes of the hot key service, numerically as the platform reports them.
namespace hotKeyStatus {
inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t invalidArgument = -50;
inline constexpr std::int32_t eventNotHandled = -9874;
// Someone else (the window manager, another program) holds the combination.
inline constexpr std::int32_t alreadyTaken = -9878;
// The key code or modifiers cannot be registered on this keyboard.
inline constexpr std::int32_t invalidHotKey = -9879;
}  // namespace hotKeyStatus

using HotKeyRef = std::uint64_t;

struct HotKeyRegistration {
  std::int32_t status = hotKeyStatus::ok;
  // Non-zero exactly when the registration succeeded.
  HotKeyRef ref = 0;
  bool succeeded() const { return status == hotKeyStatus::ok && ref != 0; }
};

// System-wide hot keys (Carbon: RegisterEventHotKey, UnregisterEventHotKey, and
// InstallEventHandler on the application target for the hot-key-pressed event). Key codes are
// the hardware-independent virtual key codes, modifiers the bits of `hotKeyModifiers`. Presses
// arrive on the main loop, whatever application is in front.
class HotKeys {
 public:
  virtual ~HotKeys() = default;
  virtual HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                            HotKeyID id) = 0;
  // Answers `hotKeyStatus::ok`, or `invalidArgument` for a ref that is not registered.
  virtual std::int32_t unregisterHotKey(HotKeyRef ref) = 0;
  // Presses are offered to the handlers in the order they were installed until one answers that
  // it handled the press.
  [[nodiscard]] virtual Subscription installHandler(std::function<bool(HotKeyID)> handler) = 0;
};

}  // namespace tavorin
