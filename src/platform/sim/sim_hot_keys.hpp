#pragma once

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "platform/hot_keys.hpp"

namespace tavorin::sim {

// The hot key service of the simulated desktop. A test presses combinations and can give a
// combination to "another application" so that registering it fails.
class SimHotKeys final : public HotKeys {
 public:
  struct Registered {
    std::uint32_t keyCode;
    std::uint32_t modifiers;
    HotKeyID id;
  };

  HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                    HotKeyID id) override;
  std::int32_t unregisterHotKey(HotKeyRef ref) override;
  Subscription installHandler(std::function<bool(HotKeyID)> handler) override;

  // Presses a combination. Answers whether a registered hot key matched and a handler took it.
  bool press(std::uint32_t keyCode, std::uint32_t modifiers);
  // Delivers a press for an id as the platform would, registered or not.
  bool deliver(HotKeyID id);

  // The combination belongs to someone else from now on.
  void takeByOtherApplication(std::uint32_t keyCode, std::uint32_t modifiers);
  std::vector<Registered> registered() const;
  std::size_t handlerCount() const { return handlers_->size(); }

 private:
  using Combo = std::pair<std::uint32_t, std::uint32_t>;
  std::map<HotKeyRef, Registered> registered_;
  std::set<Combo> taken_;
  HotKeyRef nextRef_ = 1;
  using Handlers = std::vector<std::pair<std::uint64_t, std::function<bool(HotKeyID)>>>;
  // Shared with the subscriptions, which may outlive the service.
  std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
  std::uint64_t nextHandler_ = 1;
};

}  // namespace tavorin::sim
