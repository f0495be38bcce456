#include "pointer/kit/pointer_hot_key.hpp"

#include <string>

#include "platform/system_log.hpp"

namespace tavorin {

bool PointerHotKey::registerShortcut(const PointerShortcut& shortcut,
                                     std::function<void()> action) {
  if (ref_ && registered_ == shortcut) {
    *action_ = std::move(action);
    return true;
  }
  unregister();
  if (hotKeys_ == nullptr) return false;
  if (!handler_) {
    handler_ = hotKeys_->installHandler([action = action_](HotKeyID id) {
      if (id.signature != identifier.signature || !*action) return false;
      // The action may register again, which replaces what the holder holds.
      const auto run = *action;
      run();
      return true;
    });
  }
  *action_ = std::move(action);
  const HotKeyRegistration registration =
      hotKeys_->registerHotKey(shortcut.keyCode, shortcut.carbonModifiers, identifier);
  if (registration.succeeded()) {
    ref_ = registration.ref;
    registered_ = shortcut;
    return true;
  }
  SystemLog::line("PointerLocator: kısayol kaydedilemedi (" + shortcut.displayString + ", hata " +
                  std::to_string(registration.status) + ")");
  return false;
}

void PointerHotKey::unregister() {
  if (ref_ && hotKeys_ != nullptr) hotKeys_->unregisterHotKey(*ref_);
  ref_.reset();
  registered_.reset();
}

}  // namespace tavorin
