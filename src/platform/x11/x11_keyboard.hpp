#pragma once

#include <xkbcommon/xkbcommon.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/signal.hpp"
#include "platform/x11/key_table.hpp"
#include "platform/x11/x11_connection.hpp"

namespace tavorin::x11 {

// The server's keyboard as xkbcommon sees it: the keymap (which key code each key has and what
// it types in each layout group), the current group, and the real modifiers that Alt, Super and
// NumLock sit on. Follows the server's XKB notices: a new keyboard or keymap, and state changes.
class Keyboard {
 public:
  explicit Keyboard(Connection& connection);
  ~Keyboard();
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // False when the server has no XKB or the keymap could not be read.
  bool isValid() const { return keymap_ != nullptr; }
  xkb_keymap* keymap() const { return keymap_; }
  xkb_state* state() const { return state_; }
  // The layout group in effect.
  xkb_layout_index_t currentGroup() const;
  std::optional<xkb_keycode_t> keycode(std::string_view xkbKeyName) const;
  std::optional<std::string> keyName(xkb_keycode_t keycode) const;
  const ModifierMasks& masks() const { return masks_; }

  // After the keymap changed (keys may have new codes, modifiers new masks).
  [[nodiscard]] Subscription observeKeymap(std::function<void()> onChange);
  // After the layout group changed.
  [[nodiscard]] Subscription observeGroup(std::function<void()> onChange);

 private:
  void reload();
  void readModifierMasks();
  void handle(const xcb_generic_event_t& event);

  Connection& connection_;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  std::int32_t deviceID_ = -1;
  std::uint8_t eventBase_ = 0;
  ModifierMasks masks_;
  Signal<> keymapChanged_;
  Signal<> groupChanged_;
  Subscription events_;
};

}  // namespace tavorin::x11
