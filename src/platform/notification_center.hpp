#pragma once

#include <string>
#include <string_view>

#include "platform/signal.hpp"

namespace tavorin {

struct Notification {
  std::string_view name;
  const void* object = nullptr;
};

// The default notification centre: named notifications with an object, delivered synchronously
// on the thread that posts (the main loop, by convention). An observer is removed when its
// token is destroyed.
class NotificationCenter {
 public:
  using Observer = std::function<void(const Notification&)>;

  // `object == nullptr` observes the name from every sender.
  [[nodiscard]] Subscription addObserver(std::string name, const void* object, Observer observer);
  void post(std::string_view name, const void* object = nullptr) const;

 private:
  Signal<const Notification&> posted_;
};

}  // namespace tavorin
