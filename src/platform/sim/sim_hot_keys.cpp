#include "platform/sim/sim_hot_keys.hpp"

#include <algorithm>

namespace tavorin::sim {

HotKeyRegistration SimHotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                              HotKeyID id) {
  if (keyCode > 127 || (modifiers & ~hotKeyModifiers::all) != 0) {
    return {hotKeyStatus::invalidHotKey, 0};
  }
  if (taken_.contains({keyCode, modifiers})) return {hotKeyStatus::alreadyTaken, 0};
  for (const auto& [ref, entry] : registered_) {
    if (entry.keyCode == keyCode && entry.modifiers == modifiers) {
      return {hotKeyStatus::alreadyTaken, 0};
    }
  }
  const HotKeyRef ref = nextRef_++;
  registered_.emplace(ref, Registered{keyCode, modifiers, id});
  return {hotKeyStatus::ok, ref};
}

std::int32_t SimHotKeys::unregisterHotKey(HotKeyRef ref) {
  return registered_.erase(ref) > 0 ? hotKeyStatus::ok : hotKeyStatus::invalidArgument;
}

Subscription SimHotKeys::installHandler(std::function<bool(HotKeyID)> handler) {
  const std::uint64_t key = nextHandler_++;
  handlers_->emplace_back(key, std::move(handler));
  return Subscription([weak = std::weak_ptr<Handlers>(handlers_), key] {
    if (auto handlers = weak.lock()) {
      std::erase_if(*handlers, [key](const auto& entry) { return entry.first == key; });
    }
  });
}

bool SimHotKeys::press(std::uint32_t keyCode, std::uint32_t modifiers) {
  for (const auto& [ref, entry] : registered_) {
    if (entry.keyCode == keyCode && entry.modifiers == modifiers) return deliver(entry.id);
  }
  return false;
}

bool SimHotKeys::deliver(HotKeyID id) {
  // Handlers may install or remove handlers, or register keys, while a press is dispatched.
  const Handlers handlers = *handlers_;
  for (const auto& entry : handlers) {
    const auto& key = entry.first;
    const bool stillInstalled = std::any_of(handlers_->begin(), handlers_->end(),
                                            [&](const auto& other) { return other.first == key; });
    if (stillInstalled && entry.second(id)) return true;
  }
  return false;
}

void SimHotKeys::takeByOtherApplication(std::uint32_t keyCode, std::uint32_t modifiers) {
  taken_.insert({keyCode, modifiers});
}

std::vector<SimHotKeys::Registered> SimHotKeys::registered() const {
  std::vector<Registered> result;
  for (const auto& [ref, entry] : registered_)
    result.push_back(entry);
  return result;
}

}  // namespace tavorin::sim
