#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/notification_center.hpp"
#include "platform/run_loop.hpp"

namespace tavorin {

using Bytes = std::vector<std::uint8_t>;
using StringList = std::vector<std::string>;
using PreferenceValue = std::variant<bool, std::int64_t, double, std::string, StringList, Bytes>;

// A per-user key-value preference store (`UserDefaults`, a standard domain or a suite).
// Values keep their types: a getter asked for another type than the stored one answers nothing,
// and callers fall back to their default without rewriting the value. Every change, made here or
// by another process, posts `didChangeNotification` with the store as object on the main loop.
class PreferenceStore {
 public:
  static constexpr std::string_view didChangeNotification = "PreferencesDidChange";

  PreferenceStore(NotificationCenter& notifications, RunLoop& runLoop);
  virtual ~PreferenceStore();
  PreferenceStore(const PreferenceStore&) = delete;
  PreferenceStore& operator=(const PreferenceStore&) = delete;

  virtual std::optional<PreferenceValue> value(std::string_view key) const = 0;

  void set(std::string_view key, PreferenceValue value);
  void setBool(std::string_view key, bool value) { set(key, PreferenceValue(value)); }
  void setInt(std::string_view key, std::int64_t value) { set(key, PreferenceValue(value)); }
  void setDouble(std::string_view key, double value) { set(key, PreferenceValue(value)); }
  void setString(std::string_view key, std::string value) {
    set(key, PreferenceValue(std::move(value)));
  }
  void setStringList(std::string_view key, StringList value) {
    set(key, PreferenceValue(std::move(value)));
  }
  void setBytes(std::string_view key, Bytes value) { set(key, PreferenceValue(std::move(value))); }
  void remove(std::string_view key);

  std::optional<bool> getBool(std::string_view key) const;
  std::optional<std::int64_t> getInt(std::string_view key) const;
  // A number of either kind: whole numbers read as doubles too.
  std::optional<double> getDouble(std::string_view key) const;
  std::optional<std::string> getString(std::string_view key) const;
  std::optional<StringList> getStringList(std::string_view key) const;
  std::optional<Bytes> getBytes(std::string_view key) const;

 protected:
  // Stores or (for nullopt) removes one key. Called by set/remove, which announce afterwards.
  virtual void write(std::string_view key, std::optional<PreferenceValue> value) = 0;

  // Posts the change notification on the main loop (directly when already there). Safe to call
  // from any thread; does nothing once the store is gone.
  void announceChange();

 private:
  NotificationCenter& notifications_;
  RunLoop& runLoop_;
  std::shared_ptr<const PreferenceStore*> self_;
};

// A store kept in memory only: the simulated desktop's stores and a fallback before any real
// store exists.
class InMemoryPreferenceStore final : public PreferenceStore {
 public:
  using PreferenceStore::PreferenceStore;
  std::optional<PreferenceValue> value(std::string_view key) const override;

  // Replaces a value as another process would, then announces the change.
  void simulateExternalWrite(std::string_view key, std::optional<PreferenceValue> value);

 protected:
  void write(std::string_view key, std::optional<PreferenceValue> value) override;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, PreferenceValue, std::less<>> values_;
};

}  // namespace tavorin
