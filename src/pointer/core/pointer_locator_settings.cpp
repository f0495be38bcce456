#include "pointer/core/pointer_locator_settings.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavorin {

namespace {

std::optional<double> parseDecimal(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  std::string_view digits = text;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

double clampedNumber(const PreferenceStore& defaults, std::string_view key, double fallback,
                     PointerLocatorSettings::ClosedRange range) {
  const auto value = PointerLocatorSettings::readNumber(defaults, key);
  if (!value) return fallback;
  return std::clamp(*value, range.lowerBound, range.upperBound);
}

}  // namespace

SRGBColor PointerLocatorSettings::color() const {
  return SRGBColor::fromHex(colorHex).value_or(SRGBColor::systemOrange());
}

std::optional<double> PointerLocatorSettings::readNumber(const PreferenceStore& defaults,
                                                         std::string_view key) {
  std::optional<double> value = defaults.getDouble(key);
  if (!value) {
    if (auto text = defaults.getString(key)) value = parseDecimal(std::move(*text));
  }
  // Not a number would slip through every range limit.
  if (value && std::isnan(*value)) return std::nullopt;
  return value;
}

PointerLocatorSettings PointerLocatorSettings::load(const PreferenceStore& defaults) {
  PointerLocatorSettings settings;
  const auto text = [&defaults](std::string_view key) {
    return defaults.getString(key).value_or(std::string());
  };

  const std::string trigger = text(Keys::trigger);
  if (trigger == "singleTap") settings.trigger = PointerTrigger::singleTap;
  if (trigger == "shortcut") settings.trigger = PointerTrigger::shortcut;

  if (auto modifier = modifierKeyFromRawValue(text(Keys::modifier))) settings.modifier = *modifier;

  const std::string speed = text(Keys::speed);
  if (speed == "fast") settings.speed = TapSpeed::fast;
  if (speed == "slow") settings.speed = TapSpeed::slow;

  if (auto storage = defaults.getString(Keys::shortcut)) {
    if (auto shortcut = PointerShortcut::fromStorage(*storage)) settings.shortcut = *shortcut;
  }

  const std::string style = text(Keys::style);
  if (style == "sonar") settings.style = HighlightStyle::sonar;
  if (style == "spotlight") settings.style = HighlightStyle::spotlight;

  if (auto color = defaults.getString(Keys::color); color && SRGBColor::fromHex(*color)) {
    settings.colorHex = *color;
  }

  settings.size = clampedNumber(defaults, Keys::size, prefs::pointerSize.defaultValue, sizeRange);
  settings.duration =
      clampedNumber(defaults, Keys::duration, prefs::pointerDuration.defaultValue, durationRange);
  return settings;
}

}  // namespace tavorin
