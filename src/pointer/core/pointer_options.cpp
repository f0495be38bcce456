#include "pointer/core/pointer_options.hpp"

#include "localization/localizer.hpp"

namespace tavorin {

namespace {

template <typename Enum, std::size_t N>
std::optional<Enum> fromRaw(const std::array<Enum, N>& cases, std::string_view raw) {
  for (Enum value : cases) {
    if (rawValue(value) == raw) return value;
  }
  return std::nullopt;
}

}  // namespace

std::string_view rawValue(PointerTrigger trigger) {
  switch (trigger) {
    case PointerTrigger::doubleTap:
      return "doubleTap";
    case PointerTrigger::singleTap:
      return "singleTap";
    case PointerTrigger::shortcut:
      return "shortcut";
  }
  return "doubleTap";
}

std::optional<PointerTrigger> pointerTriggerFromRawValue(std::string_view raw) {
  return fromRaw(allPointerTriggers, raw);
}

std::string displayName(PointerTrigger trigger) {
  switch (trigger) {
    case PointerTrigger::doubleTap:
      return L("Tap the key twice quickly");
    case PointerTrigger::singleTap:
      return L("Tap the key once (like Windows)");
    case PointerTrigger::shortcut:
      return L("Keyboard shortcut");
  }
  return {};
}

std::string_view rawValue(TapSpeed speed) {
  switch (speed) {
    case TapSpeed::fast:
      return "fast";
    case TapSpeed::normal:
      return "normal";
    case TapSpeed::slow:
      return "slow";
  }
  return "normal";
}

std::optional<TapSpeed> tapSpeedFromRawValue(std::string_view raw) {
  return fromRaw(allTapSpeeds, raw);
}

std::string displayName(TapSpeed speed) {
  switch (speed) {
    case TapSpeed::fast:
      return L("Fast");
    case TapSpeed::normal:
      return L("Normal");
    case TapSpeed::slow:
      return L("Slow");
  }
  return {};
}

Seconds maxGap(TapSpeed speed) {
  switch (speed) {
    case TapSpeed::fast:
      return 0.28;
    case TapSpeed::normal:
      return 0.40;
    case TapSpeed::slow:
      return 0.55;
  }
  return 0.40;
}

Seconds maxPressDuration(TapSpeed speed) {
  switch (speed) {
    case TapSpeed::fast:
      return 0.28;
    case TapSpeed::normal:
      return 0.35;
    case TapSpeed::slow:
      return 0.45;
  }
  return 0.35;
}

std::string_view rawValue(HighlightStyle style) {
  switch (style) {
    case HighlightStyle::shrink:
      return "shrink";
    case HighlightStyle::sonar:
      return "sonar";
    case HighlightStyle::spotlight:
      return "spotlight";
  }
  return "shrink";
}

std::optional<HighlightStyle> highlightStyleFromRawValue(std::string_view raw) {
  return fromRaw(allHighlightStyles, raw);
}

std::string displayName(HighlightStyle style) {
  switch (style) {
    case HighlightStyle::shrink:
      return L("Shrinking rings");
    case HighlightStyle::sonar:
      return L("Spreading rings");
    case HighlightStyle::spotlight:
      return L("Spotlight");
  }
  return {};
}

}  // namespace tavorin
