#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/notification_center.hpp"
#include "platform/preference_store.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// A two-way binding of one preference value for a settings view.
template <typename T>
class Binding {
 public:
  Binding(std::function<T()> get, std::function<void(T)> set)
      : get_(std::move(get)), set_(std::move(set)) {}
  T get() const { return get_(); }
  void set(T value) const { set_(std::move(value)); }

 private:
  std::function<T()> get_;
  std::function<void(T)> set_;
};

// An observable wrapper of a preference store for the settings views: whenever any store
// changes, it tells its observers to re-read, so every bound view shows the new state.
class DefaultsStore : public std::enable_shared_from_this<DefaultsStore> {
 public:
  static std::shared_ptr<DefaultsStore> create(PreferenceStore& defaults,
                                               NotificationCenter& notifications);

  PreferenceStore& defaults() const { return defaults_; }

  // Called just before a value changes (by a binding, or by any store's change notice).
  [[nodiscard]] Subscription observeWillChange(std::function<void()> observer);

  // Reads the stored value when it has the bound type, otherwise `defaultValue`; writes announce
  // the change first, then store. The binding holds the store weakly: once the store is gone it
  // keeps answering the last value it read and writes nothing.
  Binding<bool> binding(std::string key, bool defaultValue);
  Binding<std::string> binding(std::string key, std::string defaultValue);

 private:
  explicit DefaultsStore(PreferenceStore& defaults) : defaults_(defaults) {}
  template <typename T>
  Binding<T> makeBinding(std::string key, T defaultValue);

  PreferenceStore& defaults_;
  Subscription observer_;
  Signal<> willChange_;
};

}  // namespace tavorin
