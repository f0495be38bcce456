#pragma once

#include <optional>

#include "platform/run_loop.hpp"

namespace tavorin {

// Turns a stream of "does a window touch the Dock now" observations into decisions to hide or
// show the Dock, each taken only once the wanted state has been observed without interruption
// for its delay. Times are the caller's monotonic seconds; nothing here reads a clock.
class DockVisibilityDecider {
 public:
  DockVisibilityDecider(Seconds hideDelay, Seconds showDelay, bool isHidden)
      : hideDelay(hideDelay), showDelay(showDelay), isHidden_(isHidden) {}

  // How long contact must last before the Dock hides, and how long its absence must last before
  // the Dock shows. A change applies from the next update, measured from the time the pending
  // change was first observed.
  Seconds hideDelay;
  Seconds showDelay;

  // The state last decided on.
  bool isHidden() const { return isHidden_; }
  // Whether a change towards the other state is waiting for its delay.
  bool hasPendingChange() const { return pendingSince_.has_value(); }

  // true: hide the Dock now; false: show it now; nothing: nothing to do.
  std::optional<bool> update(bool contact, Seconds now);
  // Takes `isHidden` as the state and forgets any pending change.
  void reset(bool isHidden);

 private:
  bool isHidden_;
  std::optional<Seconds> pendingSince_;
};

}  // namespace tavorin
