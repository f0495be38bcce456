#include "pointer/core/modifier_tap_detector.hpp"

#include <algorithm>

namespace tavorin {

ModifierTapDetector::ModifierTapDetector(ModifierKey key, int requiredTaps,
                                         Seconds maxPressDuration, Seconds maxGap)
    : key_(key),
      requiredTaps_(std::max(requiredTaps, 1)),
      maxPressDuration_(maxPressDuration),
      maxGap_(maxGap) {}

void ModifierTapDetector::setKey(ModifierKey key) {
  key_ = key;
  reset();
}

void ModifierTapDetector::setRequiredTaps(int taps) {
  requiredTaps_ = std::max(taps, 1);
  reset();
}

void ModifierTapDetector::reset() {
  pressStart_.reset();
  lastRelease_.reset();
  taps_ = 0;
}

bool ModifierTapDetector::flagsChanged(ModifierSet modifiers, Seconds timestamp) {
  const ModifierSet chosen = modifierSet(key_);

  if (modifiers == chosen) {
    if (previous_.isEmpty()) {
      // A press of the key alone begins. A gap equal to the limit still continues the sequence;
      // the comparisons are written so that a time stamp that is not a number never counts.
      if (lastRelease_ && !(timestamp - *lastRelease_ <= maxGap_)) {
        taps_ = 0;
        lastRelease_.reset();
      }
      pressStart_ = timestamp;
    } else if (previous_ != modifiers) {
      // Alone only because other modifiers were let go: this press cannot count.
      reset();
    }
    previous_ = modifiers;
    return false;
  }

  if (modifiers.isEmpty()) {
    // The same release reported again changes nothing.
    if (previous_.isEmpty()) return false;
    if (previous_ == chosen && pressStart_) {
      const Seconds held = timestamp - *pressStart_;
      pressStart_.reset();
      previous_ = modifiers;
      if (!(held <= maxPressDuration_)) {
        reset();
        return false;
      }
      ++taps_;
      lastRelease_ = timestamp;
      if (taps_ < requiredTaps_) return false;
      reset();
      return true;
    }
    reset();
    previous_ = modifiers;
    return false;
  }

  // The key together with another modifier, or another modifier alone.
  reset();
  previous_ = modifiers;
  return false;
}

}  // namespace tavorin
