#include "cutpaste/immediate_observer.hpp"

#include <utility>

namespace tavorin {

ImmediateObserver::ImmediateObserver(RunLoop& mainLoop, std::function<void()> handler)
    : state_(std::make_shared<State>(State{&mainLoop, std::move(handler)})) {}

void ImmediateObserver::fire() const {
  fire(state_);
}

void ImmediateObserver::fire(const std::shared_ptr<State>& state) {
  if (!state || !state->handler) return;
  if (state->mainLoop->isMainThread()) {
    state->handler();
    return;
  }
  state->mainLoop->post([weak = std::weak_ptr<State>(state)] {
    if (auto alive = weak.lock()) alive->handler();
  });
}

void ImmediateObserver::observe(NotificationCenter& center, std::string name, const void* object) {
  observe([&center, name = std::move(name), object](std::function<void()> callback) {
    return center.addObserver(
        name, object, [callback = std::move(callback)](const Notification&) { callback(); });
  });
}

void ImmediateObserver::observe(
    const std::function<Subscription(std::function<void()>)>& registerCallback) {
  if (!state_) return;
  registrations_.push_back(registerCallback([weak = std::weak_ptr<State>(state_)] {
    // Keeps the state alive while it is handed to the main loop, even if the observer is being
    // destroyed on the main thread at this moment.
    if (auto state = weak.lock()) fire(state);
  }));
}

}  // namespace tavorin
