#include "platform/preference_store.hpp"

namespace tavorin {

namespace {

template <typename T>
std::optional<T> valueAs(const std::optional<PreferenceValue>& value) {
  if (value && std::holds_alternative<T>(*value)) return std::get<T>(*value);
  return std::nullopt;
}

}  // namespace

PreferenceStore::PreferenceStore(NotificationCenter& notifications, RunLoop& runLoop)
    : notifications_(notifications),
      runLoop_(runLoop),
      self_(std::make_shared<const PreferenceStore*>(this)) {}

PreferenceStore::~PreferenceStore() = default;

void PreferenceStore::set(std::string_view key, PreferenceValue value) {
  write(key, std::move(value));
  announceChange();
}

void PreferenceStore::remove(std::string_view key) {
  write(key, std::nullopt);
  announceChange();
}

void PreferenceStore::announceChange() {
  if (runLoop_.isMainThread()) {
    notifications_.post(didChangeNotification, this);
    return;
  }
  runLoop_.post([weak = std::weak_ptr<const PreferenceStore*>(self_)] {
    if (auto self = weak.lock()) {
      (*self)->notifications_.post(didChangeNotification, *self);
    }
  });
}

std::optional<bool> PreferenceStore::getBool(std::string_view key) const {
  return valueAs<bool>(value(key));
}

std::optional<std::int64_t> PreferenceStore::getInt(std::string_view key) const {
  return valueAs<std::int64_t>(value(key));
}

std::optional<double> PreferenceStore::getDouble(std::string_view key) const {
  const auto stored = value(key);
  if (auto whole = valueAs<std::int64_t>(stored)) return static_cast<double>(*whole);
  return valueAs<double>(stored);
}

std::optional<std::string> PreferenceStore::getString(std::string_view key) const {
  return valueAs<std::string>(value(key));
}

std::optional<StringList> PreferenceStore::getStringList(std::string_view key) const {
  return valueAs<StringList>(value(key));
}

std::optional<Bytes> PreferenceStore::getBytes(std::string_view key) const {
  return valueAs<Bytes>(value(key));
}

std::optional<PreferenceValue> InMemoryPreferenceStore::value(std::string_view key) const {
  std::lock_guard lock(mutex_);
  if (auto it = values_.find(key); it != values_.end()) return it->second;
  return std::nullopt;
}

void InMemoryPreferenceStore::write(std::string_view key, std::optional<PreferenceValue> value) {
  std::lock_guard lock(mutex_);
  if (value) {
    values_.insert_or_assign(std::string(key), std::move(*value));
  } else if (auto it = values_.find(key); it != values_.end()) {
    values_.erase(it);
  }
}

void InMemoryPreferenceStore::simulateExternalWrite(std::string_view key,
                                                    std::optional<PreferenceValue> value) {
  write(key, std::move(value));
  announceChange();
}

}  // namespace tavorin
