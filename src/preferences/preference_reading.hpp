#pragma once

#include <string>

#include "platform/preference_store.hpp"
#include "preferences/preference_keys.hpp"

namespace tavorin {

// Type-tolerant reads of catalogue keys: absent or of another type reads as the key's default,
// and nothing is rewritten.
inline bool read(const PreferenceStore& store, const PreferenceKey<bool>& key) {
  return store.getBool(key.name).value_or(key.defaultValue);
}
inline double read(const PreferenceStore& store, const PreferenceKey<double>& key) {
  return store.getDouble(key.name).value_or(key.defaultValue);
}
inline std::string read(const PreferenceStore& store, const PreferenceKey<std::string_view>& key) {
  return store.getString(key.name).value_or(std::string(key.defaultValue));
}

}  // namespace tavorin
