#pragma once

#include <vector>

#include "platform/screens.hpp"

namespace tavorin::sim {

// Screens a test lays out (in screen space: bottom-left origin, y up) and a pointer it places.
class SimScreens final : public Screens {
 public:
  // Replaces the screens, primary first, and announces the change.
  void setScreens(std::vector<Screen> screens);
  void setPointerLocation(Point location) { pointer_ = location; }

  std::vector<Screen> screens() override { return screens_; }
  Point pointerLocation() override { return pointer_; }
  Subscription observeChanges(std::function<void()> onChange) override;

  // A screen with the given frame, whose visible frame leaves out a menu bar of `menuBar` points
  // at the top and a Dock of `dock` points at the bottom.
  static Screen make(std::uint32_t displayID, Rect frame, double menuBar = 0, double dock = 0);

 private:
  std::vector<Screen> screens_;
  Point pointer_;
  Signal<> changed_;
};

}  // namespace tavorin::sim
