#pragma once

#include <functional>

namespace tavorin {

// The workspace (`NSWorkspace`): other programs and this one as the system sees them.
class Workspace {
 public:
  virtual ~Workspace() = default;
  // Starts a second copy of this program even though this one runs (an open configuration that
  // creates a new application instance). `completion` runs on the main loop with whether the new
  // process started.
  virtual void openNewInstance(std::function<void(bool started)> completion) = 0;
  // Whether the user asked for less motion in animations
  // (`accessibilityDisplayShouldReduceMotion`). A desktop without such a setting answers false.
  virtual bool accessibilityDisplayShouldReduceMotion() const { return false; }
};

}  // namespace tavorin
