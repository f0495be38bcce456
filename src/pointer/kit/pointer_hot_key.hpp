#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/hot_keys.hpp"
#include "pointer/core/pointer_shortcut.hpp"

namespace tavorin {

// The pointer locator's global shortcut: one system-wide hot key, known by PNTR/1, whose press
// runs the action of the latest registration. The press handler is installed with the first
// registration and stays for the object's life; presses of other hot keys are passed on. The
// hot key is released when the object goes away.
class PointerHotKey {
 public:
  static constexpr HotKeyID identifier{fourCharCode("PNTR"), 1};

  // Without a hot key service nothing can be registered.
  explicit PointerHotKey(HotKeys* hotKeys) : hotKeys_(hotKeys) {}
  ~PointerHotKey() { unregister(); }
  PointerHotKey(const PointerHotKey&) = delete;
  PointerHotKey& operator=(const PointerHotKey&) = delete;

  // Registers `shortcut` (or keeps it when it is the one registered) and makes `action` the one
  // a press runs. False when the system refuses the combination; a line goes to the system log
  // then.
  bool registerShortcut(const PointerShortcut& shortcut, std::function<void()> action);
  // Releases the hot key, if one is registered.
  void unregister();

  bool isRegistered() const { return ref_.has_value(); }
  const std::optional<PointerShortcut>& registered() const { return registered_; }

 private:
  HotKeys* hotKeys_;
  std::optional<HotKeyRef> ref_;
  std::optional<PointerShortcut> registered_;
  // Shared with the press handler, which runs whatever it holds at the time of the press.
  std::shared_ptr<std::function<void()>> action_ = std::make_shared<std::function<void()>>();
  Subscription handler_;
};

}  // namespace tavorin
