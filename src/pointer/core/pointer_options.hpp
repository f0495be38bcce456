#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/run_loop.hpp"

namespace tavorin {

// How the highlight is asked for. Stored by raw value.
enum class PointerTrigger { doubleTap, singleTap, shortcut };
inline constexpr std::array<PointerTrigger, 3> allPointerTriggers{
    PointerTrigger::doubleTap, PointerTrigger::singleTap, PointerTrigger::shortcut};
std::string_view rawValue(PointerTrigger trigger);
std::optional<PointerTrigger> pointerTriggerFromRawValue(std::string_view raw);
// Localized.
std::string displayName(PointerTrigger trigger);

// How quick the taps must be.
enum class TapSpeed { fast, normal, slow };
inline constexpr std::array<TapSpeed, 3> allTapSpeeds{TapSpeed::fast, TapSpeed::normal,
                                                      TapSpeed::slow};
std::string_view rawValue(TapSpeed speed);
std::optional<TapSpeed> tapSpeedFromRawValue(std::string_view raw);
std::string displayName(TapSpeed speed);
// The longest time from one tap's release to the next press.
Seconds maxGap(TapSpeed speed);
// The longest time the key may be held for a press to count as a tap.
Seconds maxPressDuration(TapSpeed speed);

// The highlight's animation.
enum class HighlightStyle { shrink, sonar, spotlight };
inline constexpr std::array<HighlightStyle, 3> allHighlightStyles{
    HighlightStyle::shrink, HighlightStyle::sonar, HighlightStyle::spotlight};
std::string_view rawValue(HighlightStyle style);
std::optional<HighlightStyle> highlightStyleFromRawValue(std::string_view raw);
std::string displayName(HighlightStyle style);

}  // namespace tavorin
