#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/signal.hpp"

namespace tavorin {

// The current ASCII-capable keyboard layout and which character each key types in it
// (`TISCopyCurrentASCIICapableKeyboardLayoutInputSource` with `kTISPropertyInputSourceID` and
// `kTISPropertyUnicodeKeyLayoutData`, keys translated by `UCKeyTranslate` for `LMGetKbdType`),
// and the notice that the selected layout changed
// (`kTISNotifySelectedKeyboardInputSourceChanged`).
//
// What each call must answer:
// - `currentLayout()`: the layout that typing Latin letters goes through now. When the selected
//   layout (on X11: the xkb group in effect) types no Latin letters, the ASCII-capable layout the
//   user has besides it (on X11: the first group of the keymap whose keys type Latin letters);
//   nullopt when there is none. `id` names the layout and stays the same string for as long as
//   the layout is unchanged (on X11 for instance "xkb:" followed by the group's layout name);
//   another layout or another keymap gives another id. `hasKeyTranslation` is false when the
//   layout carries no key translation data (the cache of its letters then stays empty).
// - `translateKey(keyCode)`: the text that key types in the layout `currentLayout()` describes,
//   as a plain key press: no modifier held (no Shift, no Caps Lock, no level shift), dead keys
//   not composed (a dead key may answer its spacing character), as UTF-8 of at most four UTF-16
//   units; nullopt when the key cannot be translated (no such key, or it types nothing).
//   `keyCode` is the hardware-independent virtual key code (A = 0, S = 1, D = 2, ..., X = 7,
//   C = 8, V = 9; the codes of the physical US-ANSI positions); the backend maps it to its own
//   key at that physical position (on X11 the evdev code plus 8). Only 0...127 are asked.
// - `observeLayoutChanges(onChange)`: calls `onChange` whenever the answer of `currentLayout()`
//   or `translateKey()` may have changed: another layout selected (on X11: the xkb group
//   changed) or the keymap replaced (on X11: XkbNewKeyboardNotify or XkbMapNotify). It may call
//   from any thread and also while the program is in the background; a spurious call is
//   harmless. Registration ends when the returned subscription is destroyed.
class KeyboardLayoutService {
 public:
  struct Layout {
    std::string id;
    bool hasKeyTranslation = true;
    bool operator==(const Layout&) const = default;
  };

  virtual ~KeyboardLayoutService() = default;
  virtual std::optional<Layout> currentLayout() = 0;
  virtual std::optional<std::string> translateKey(std::uint16_t keyCode) = 0;
  [[nodiscard]] virtual Subscription observeLayoutChanges(std::function<void()> onChange) = 0;
};

}  // namespace tavorin
