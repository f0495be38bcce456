#include "platform/x11/x11_keyboard_layout.hpp"

#include <array>

#include "platform/x11/key_table.hpp"

namespace tavorin::x11 {

namespace {

// The letter keys of the main block, by their place.
constexpr std::array<std::uint16_t, 26> letterKeys{
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 31, 32, 34, 35, 37, 38, 40, 45, 46};

}  // namespace

X11KeyboardLayout::X11KeyboardLayout(Keyboard& keyboard) : keyboard_(keyboard) {
  keymapNotice_ = keyboard_.observeKeymap([this] {
    ++keymapGeneration_;
    changed_.emit();
  });
  groupNotice_ = keyboard_.observeGroup([this] { changed_.emit(); });
}

std::optional<std::string> X11KeyboardLayout::text(xkb_keycode_t keycode,
                                                   xkb_layout_index_t group) const {
  const xkb_keysym_t* symbols = nullptr;
  const int count =
      xkb_keymap_key_get_syms_by_level(keyboard_.keymap(), keycode, group, 0, &symbols);
  if (count != 1) return std::nullopt;
  char buffer[16] = {};
  const int length = xkb_keysym_to_utf8(symbols[0], buffer, sizeof buffer);
  // 0: no character (a dead key, a modifier); the length counts the terminating zero.
  if (length <= 1) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(length - 1));
}

bool X11KeyboardLayout::typesLatinLetters(xkb_layout_index_t group) const {
  for (std::uint16_t keyCode : letterKeys) {
    auto keycode = keyboard_.keycode(*xkbKeyName(keyCode));
    if (!keycode) continue;
    auto typed = text(*keycode, group);
    if (typed && typed->size() == 1 && (*typed)[0] >= 'a' && (*typed)[0] <= 'z') return true;
  }
  return false;
}

std::optional<xkb_layout_index_t> X11KeyboardLayout::latinGroup() const {
  if (!keyboard_.isValid()) return std::nullopt;
  const xkb_layout_index_t current = keyboard_.currentGroup();
  if (typesLatinLetters(current)) return current;
  const xkb_layout_index_t groups = xkb_keymap_num_layouts(keyboard_.keymap());
  for (xkb_layout_index_t group = 0; group < groups; ++group) {
    if (typesLatinLetters(group)) return group;
  }
  return std::nullopt;
}

std::optional<KeyboardLayoutService::Layout> X11KeyboardLayout::currentLayout() {
  auto group = latinGroup();
  if (!group) return std::nullopt;
  const char* name = xkb_keymap_layout_get_name(keyboard_.keymap(), *group);
  return Layout{"xkb:" + std::string(name != nullptr ? name : "group " + std::to_string(*group)) +
                    "#" + std::to_string(keymapGeneration_),
                true};
}

std::optional<std::string> X11KeyboardLayout::translateKey(std::uint16_t keyCode) {
  auto name = xkbKeyName(keyCode);
  if (!name) return std::nullopt;
  auto keycode = keyboard_.keycode(*name);
  auto group = latinGroup();
  if (!keycode || !group) return std::nullopt;
  return text(*keycode, *group);
}

Subscription X11KeyboardLayout::observeLayoutChanges(std::function<void()> onChange) {
  return changed_.connect([onChange = std::move(onChange)] { onChange(); });
}

}  // namespace tavorin::x11
