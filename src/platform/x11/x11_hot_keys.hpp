#pragma once

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "platform/hot_keys.hpp"
#include "platform/x11/x11_connection.hpp"
#include "platform/x11/x11_keyboard.hpp"

namespace tavorin::x11 {

// Hot keys as passive key grabs on the root window, one for every combination of the lock
// modifiers (Caps Lock, Num Lock) so that they do not change what a press means. A grab that
// another client (usually the window manager) holds is refused with `alreadyTaken`; nothing is
// half-registered then. Grabs follow the keymap when it changes.
class X11HotKeys final : public HotKeys {
 public:
  X11HotKeys(Connection& connection, Keyboard& keyboard);
  ~X11HotKeys() override;

  HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                    HotKeyID id) override;
  std::int32_t unregisterHotKey(HotKeyRef ref) override;
  Subscription installHandler(std::function<bool(HotKeyID)> handler) override;

  static constexpr double timeout = 2.0;

 private:
  struct Grab {
    std::uint32_t keyCode = 0;
    std::uint32_t modifiers = 0;
    HotKeyID id;
    xcb_keycode_t keycode = 0;  // 0 while the key is missing from the keymap
    std::uint16_t mask = 0;
  };
  std::vector<std::uint16_t> lockVariants() const;
  std::int32_t grab(Grab& grab);
  void ungrab(const Grab& grab);
  void regrabAll();
  void handle(const xcb_generic_event_t& event);
  bool dispatch(HotKeyID id);

  Connection& connection_;
  Keyboard& keyboard_;
  std::map<HotKeyRef, Grab> grabs_;
  HotKeyRef nextRef_ = 1;
  std::set<xcb_keycode_t> held_;
  using Handlers = std::vector<std::pair<std::uint64_t, std::function<bool(HotKeyID)>>>;
  std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
  std::uint64_t nextHandler_ = 1;
  Subscription events_;
  Subscription keymap_;
};

}  // namespace tavorin::x11
