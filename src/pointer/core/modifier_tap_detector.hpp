#pragma once

#include <optional>

#include "platform/run_loop.hpp"
#include "pointer/core/modifier_keys.hpp"

namespace tavorin {

// Recognises a quick tap (or several) of one modifier key from the stream of modifier-state
// changes and their time stamps. It keeps no timers and reads no clock, so a recorded stream
// replays exactly.
//
// A tap is a press and release of the chosen key with no other modifier down at any moment in
// between, held at most `maxPressDuration`; the next tap of a sequence must begin at most
// `maxGap` after the previous one was released. Both limits are inclusive.
//
// Feed it the modifier set after every change. The same state reported twice in a row (a
// repeated press, or a release delivered twice) changes nothing. The X11 event stream is
// noisier than that: the backend that turns raw key events into modifier states must keep the
// set of modifier keys held, report the set only when it changes, and ignore a release of a
// key that is not held, because a release can arrive twice and pressing one Control key can
// also report the other. Right and left keys of one modifier both count as that modifier.
class ModifierTapDetector {
 public:
  // A `requiredTaps` below 1 counts as 1.
  ModifierTapDetector(ModifierKey key, int requiredTaps, Seconds maxPressDuration, Seconds maxGap);

  ModifierKey key() const { return key_; }
  // Changing the key or the tap count ends whatever was under way.
  void setKey(ModifierKey key);
  int requiredTaps() const { return requiredTaps_; }
  void setRequiredTaps(int taps);
  // The limits apply from the next change on; a sequence under way continues.
  Seconds maxPressDuration() const { return maxPressDuration_; }
  void setMaxPressDuration(Seconds seconds) { maxPressDuration_ = seconds; }
  Seconds maxGap() const { return maxGap_; }
  void setMaxGap(Seconds seconds) { maxGap_ = seconds; }

  // The modifiers held now and the event's time stamp; true when this change completes the
  // gesture.
  bool flagsChanged(ModifierSet modifiers, Seconds timestamp);
  // Forgets the press and the sequence under way (not the modifier state last seen).
  void reset();
  // Other input happened (a key, a click, a drag, a scroll, a held button): same as `reset`.
  void interrupt() { reset(); }

  bool isPressing() const { return pressStart_.has_value(); }
  std::optional<Seconds> pressStart() const { return pressStart_; }
  std::optional<Seconds> lastRelease() const { return lastRelease_; }
  int taps() const { return taps_; }
  ModifierSet previous() const { return previous_; }

 private:
  ModifierKey key_;
  int requiredTaps_;
  Seconds maxPressDuration_;
  Seconds maxGap_;
  std::optional<Seconds> pressStart_;
  std::optional<Seconds> lastRelease_;
  int taps_ = 0;
  ModifierSet previous_;
};

}  // namespace tavorin
