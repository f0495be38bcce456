#include "tiling/kit/hot_key_center.hpp"

#include <string>

#include "platform/system_log.hpp"

namespace tavorin {

bool HotKeyCenter::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                  std::function<void()> action) {
  if (!handler_) {
    handler_ = hotKeys_.installHandler([this](HotKeyID id) { return handle(id); });
  }
  const std::uint32_t id = nextID_++;
  const HotKeyRegistration registration =
      hotKeys_.registerHotKey(keyCode, modifiers, {signature, id});
  if (!registration.succeeded()) {
    SystemLog::line("TilingKit: kısayol kaydedilemedi (tuş " + std::to_string(keyCode) + ", hata " +
                    std::to_string(registration.status) +
                    ") — başka bir uygulama kullanıyor olabilir");
    return false;
  }
  refs_.push_back(registration.ref);
  actions_[id] = std::move(action);
  return true;
}

void HotKeyCenter::unregisterAll() {
  for (HotKeyRef ref : refs_)
    hotKeys_.unregisterHotKey(ref);
  refs_.clear();
  actions_.clear();
}

bool HotKeyCenter::handle(HotKeyID id) {
  if (id.signature != signature) return false;
  auto it = actions_.find(id.id);
  if (it == actions_.end()) return false;
  // The action may re-register every hot key, which replaces the map under us.
  const auto action = it->second;
  if (action) action();
  return true;
}

}  // namespace tavorin
