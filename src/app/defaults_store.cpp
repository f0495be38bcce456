#include "app/defaults_store.hpp"

namespace tavorin {

std::shared_ptr<DefaultsStore> DefaultsStore::create(PreferenceStore& defaults,
                                                     NotificationCenter& notifications) {
  std::shared_ptr<DefaultsStore> store(new DefaultsStore(defaults));
  // Every store's changes, not only this one's: a pane may show values from both.
  store->observer_ =
      notifications.addObserver(std::string(PreferenceStore::didChangeNotification), nullptr,
                                [weak = std::weak_ptr<DefaultsStore>(store)](const Notification&) {
                                  if (auto self = weak.lock()) self->willChange_.emit();
                                });
  return store;
}

Subscription DefaultsStore::observeWillChange(std::function<void()> observer) {
  return willChange_.connect(std::move(observer));
}

namespace {

std::optional<bool> readAs(const PreferenceStore& store, const std::string& key, bool*) {
  return store.getBool(key);
}
std::optional<std::string> readAs(const PreferenceStore& store, const std::string& key,
                                  std::string*) {
  return store.getString(key);
}

}  // namespace

template <typename T>
Binding<T> DefaultsStore::makeBinding(std::string key, T defaultValue) {
  auto last = std::make_shared<T>(defaultValue);
  std::weak_ptr<DefaultsStore> weak = weak_from_this();
  return Binding<T>(
      [weak, key, defaultValue, last]() -> T {
        if (auto self = weak.lock()) {
          *last = readAs(self->defaults_, key, static_cast<T*>(nullptr)).value_or(defaultValue);
        }
        return *last;
      },
      [weak, key](T value) {
        auto self = weak.lock();
        if (!self) return;
        self->willChange_.emit();
        self->defaults_.set(key, PreferenceValue(std::move(value)));
      });
}

Binding<bool> DefaultsStore::binding(std::string key, bool defaultValue) {
  return makeBinding<bool>(std::move(key), defaultValue);
}

Binding<std::string> DefaultsStore::binding(std::string key, std::string defaultValue) {
  return makeBinding<std::string>(std::move(key), std::move(defaultValue));
}

}  // namespace tavorin
