#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/hot_keys.hpp"

namespace tavorin {

// Window layout's system-wide hot keys: registers combos with the hot key service and runs the
// action of the one pressed. Every hot key carries the signature "TILE" and an id counted up
// from 1 that is never reused, not even after `unregisterAll` or a failed registration.
class HotKeyCenter {
 public:
  static constexpr std::uint32_t signature = fourCharCode("TILE");

  explicit HotKeyCenter(HotKeys& hotKeys) : hotKeys_(hotKeys) {}
  HotKeyCenter(const HotKeyCenter&) = delete;
  HotKeyCenter& operator=(const HotKeyCenter&) = delete;

  // True when the combo was registered. A combo the system or another program holds is logged
  // and answers false.
  bool registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, std::function<void()> action);
  // Unregisters every hot key and forgets every action; ids keep counting.
  void unregisterAll();
  // Runs the action of a pressed hot key; false for another signature or an id without one.
  bool handle(HotKeyID id);

  std::uint32_t nextID() const { return nextID_; }
  std::size_t registeredCount() const { return refs_.size(); }

 private:
  HotKeys& hotKeys_;
  std::map<std::uint32_t, std::function<void()>> actions_;
  std::vector<HotKeyRef> refs_;
  std::uint32_t nextID_ = 1;
  Subscription handler_;
};

}  // namespace tavorin
