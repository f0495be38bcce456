#pragma once

#include <string>
#include <string_view>

#include "platform/preference_store.hpp"
#include "pointer/core/modifier_keys.hpp"
#include "pointer/core/pointer_options.hpp"
#include "pointer/core/pointer_shortcut.hpp"
#include "pointer/core/srgb_color.hpp"
#include "preferences/preference_keys.hpp"

namespace tavorin {

// Everything the pointer locator knows about the user's choices, read from the application's
// standard preferences. A record built without arguments holds the defaults.
struct PointerLocatorSettings {
  struct Keys {
    static constexpr std::string_view trigger = prefs::pointerTrigger.name;
    static constexpr std::string_view modifier = prefs::pointerModifier.name;
    static constexpr std::string_view speed = prefs::pointerSpeed.name;
    static constexpr std::string_view shortcut = prefs::pointerShortcut.name;
    static constexpr std::string_view style = prefs::pointerStyle.name;
    static constexpr std::string_view color = prefs::pointerColor.name;
    static constexpr std::string_view size = prefs::pointerSize.name;
    static constexpr std::string_view duration = prefs::pointerDuration.name;
  };

  struct ClosedRange {
    double lowerBound;
    double upperBound;
  };
  // Points; the settings view's slider uses it too.
  static constexpr ClosedRange sizeRange{40, 250};
  // Seconds.
  static constexpr ClosedRange durationRange{0.3, 2.0};

  PointerTrigger trigger = PointerTrigger::doubleTap;
  ModifierKey modifier = ModifierKey::control;
  TapSpeed speed = TapSpeed::normal;
  PointerShortcut shortcut = PointerShortcut::defaultShortcut();
  HighlightStyle style = HighlightStyle::shrink;
  // Kept exactly as stored (case, "#" and surrounding white space included).
  std::string colorHex = std::string(prefs::pointerColor.defaultValue);
  double size = prefs::pointerSize.defaultValue;
  double duration = prefs::pointerDuration.defaultValue;

  bool operator==(const PointerLocatorSettings&) const = default;

  // The colour `colorHex` names, or the system orange.
  SRGBColor color() const;

  // A complete record whatever is stored: unknown or wrongly typed values read as their
  // defaults, numbers are limited to their ranges. Writes nothing.
  static PointerLocatorSettings load(const PreferenceStore& defaults);

  // A number stored as a number, or as text with "," or "." as the decimal mark; nothing for
  // anything else (a value that is not a number included).
  static std::optional<double> readNumber(const PreferenceStore& defaults, std::string_view key);
};

}  // namespace tavorin
