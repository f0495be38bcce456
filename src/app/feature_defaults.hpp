#pragma once

#include "platform/platform.hpp"
#include "preferences/preference_keys.hpp"

namespace tavorin {

// The feature switches. Each accessor reads the stored value afresh: a Bool is taken as it is,
// anything else (absent, a text, a number) reads as on.
class FeatureDefaults {
 public:
  explicit FeatureDefaults(const PreferenceStore& standard) : standard_(standard) {}

  bool showMenuBarIcon() const { return read(prefs::showMenuBarIcon); }
  bool cutPasteEnabled() const { return read(prefs::cutPasteEnabled); }
  bool tilingEnabled() const { return read(prefs::tilingEnabled); }
  bool pointerLocatorEnabled() const { return read(prefs::pointerLocatorEnabled); }
  bool smartDockEnabled() const { return read(prefs::smartDockEnabled); }

  // The suite shared with the folder previewer (the standard store when it could not be opened).
  static PreferenceStore& shared(const Platform& platform) { return platform.sharedDefaults(); }

 private:
  bool read(const PreferenceKey<bool>& key) const {
    return standard_.getBool(key.name).value_or(key.defaultValue);
  }
  const PreferenceStore& standard_;
};

}  // namespace tavorin
