#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/notification_center.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// A notification observer that runs one handler on the main loop: at once when the notice
// arrives there, otherwise queued to it. Notices that cross from other threads or processes
// (a keyboard layout switch, a change of the accessibility grants) thus reach main-thread-only
// state safely. Destroying the observer ends every registration it made; a handler queued
// before that does not run any more.
class ImmediateObserver {
 public:
  ImmediateObserver(RunLoop& mainLoop, std::function<void()> handler);
  ImmediateObserver(ImmediateObserver&&) noexcept = default;
  ImmediateObserver& operator=(ImmediateObserver&&) noexcept = default;
  ImmediateObserver(const ImmediateObserver&) = delete;
  ImmediateObserver& operator=(const ImmediateObserver&) = delete;
  ~ImmediateObserver() = default;

  // What a notification source calls, from any thread.
  void fire() const;

  // Registers with the notification centre for `name` (from `object`, or from anyone when null).
  void observe(NotificationCenter& center, std::string name, const void* object = nullptr);
  // Registers with any source that takes a callback and hands back its registration.
  void observe(const std::function<Subscription(std::function<void()>)>& registerCallback);

 private:
  struct State {
    RunLoop* mainLoop;
    std::function<void()> handler;
  };
  static void fire(const std::shared_ptr<State>& state);

  // Shared with the callbacks handed out, which hold it weakly.
  std::shared_ptr<State> state_;
  std::vector<Subscription> registrations_;
};

}  // namespace tavorin
