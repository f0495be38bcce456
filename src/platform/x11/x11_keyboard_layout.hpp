#pragma once

#include <optional>
#include <string>

#include "platform/keyboard_layout_service.hpp"
#include "platform/x11/x11_keyboard.hpp"

namespace tavorin::x11 {

// The keyboard layout from the server's XKB keymap: the layout group in effect when it types
// Latin letters, otherwise the first group of the keymap that does. Keys are found by their
// place on the keyboard (through the key table) and translated at the group's first level.
class X11KeyboardLayout final : public KeyboardLayoutService {
 public:
  explicit X11KeyboardLayout(Keyboard& keyboard);

  std::optional<Layout> currentLayout() override;
  std::optional<std::string> translateKey(std::uint16_t keyCode) override;
  Subscription observeLayoutChanges(std::function<void()> onChange) override;

 private:
  std::optional<xkb_layout_index_t> latinGroup() const;
  bool typesLatinLetters(xkb_layout_index_t group) const;
  std::optional<std::string> text(xkb_keycode_t keycode, xkb_layout_index_t group) const;

  Keyboard& keyboard_;
  // Counts keymaps, so that a new keymap gives a new layout id even under the same name.
  std::uint64_t keymapGeneration_ = 0;
  Signal<> changed_;
  Subscription keymapNotice_;
  Subscription groupNotice_;
};

}  // namespace tavorin::x11
