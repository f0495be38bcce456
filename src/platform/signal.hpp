#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace tavorin {

// Keeps one registration alive; the registration ends when this object is destroyed or reset.
// Safe to outlive whatever it registered with.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      cancel_ = std::exchange(other.cancel_, nullptr);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { reset(); }

  void reset() {
    if (auto cancel = std::exchange(cancel_, nullptr)) cancel();
  }
  explicit operator bool() const { return static_cast<bool>(cancel_); }

 private:
  std::function<void()> cancel_;
};

// A list of callbacks. A slot disconnected while an emission runs is not called afterwards, and
// slots may connect or disconnect from inside a callback.
template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  [[nodiscard]] Subscription connect(Slot slot) {
    auto entry = std::make_shared<Entry>(std::move(slot));
    {
      std::lock_guard lock(state_->mutex);
      state_->entries.push_back(entry);
    }
    return Subscription(
        [weakState = std::weak_ptr<State>(state_), weakEntry = std::weak_ptr<Entry>(entry)] {
          auto entry = weakEntry.lock();
          if (!entry) return;
          entry->connected = false;
          if (auto state = weakState.lock()) {
            std::lock_guard lock(state->mutex);
            std::erase(state->entries, entry);
          }
        });
  }

  void emit(Args... args) const {
    std::vector<std::shared_ptr<Entry>> snapshot;
    {
      std::lock_guard lock(state_->mutex);
      snapshot = state_->entries;
    }
    for (const auto& entry : snapshot) {
      if (entry->connected) entry->slot(args...);
    }
  }

  bool empty() const {
    std::lock_guard lock(state_->mutex);
    return state_->entries.empty();
  }

 private:
  struct Entry {
    explicit Entry(Slot s) : slot(std::move(s)) {}
    Slot slot;
    std::atomic<bool> connected{true};
  };
  struct State {
    mutable std::mutex mutex;
    std::vector<std::shared_ptr<Entry>> entries;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace tavorin
