#pragma once

#include "platform/run_loop.hpp"
#include "platform/workspace.hpp"
#include "platform/x11/qt/single_instance.hpp"

namespace tavorin::qt {

// Starts new copies of this program. The single-instance place is given up first so that the
// new copy can take it, and taken back when no new copy started.
class QtWorkspace final : public Workspace {
 public:
  QtWorkspace(RunLoop& runLoop, SingleInstance* instance)
      : runLoop_(runLoop), instance_(instance) {}
  void openNewInstance(std::function<void(bool started)> completion) override;
  bool accessibilityDisplayShouldReduceMotion() const override {
    return reduceMotion_ && reduceMotion_();
  }
  // Where the desktop's wish for less motion is read; without one the answer is false.
  void setReduceMotionSource(std::function<bool()> source) { reduceMotion_ = std::move(source); }

 private:
  RunLoop& runLoop_;
  SingleInstance* instance_;
  std::function<bool()> reduceMotion_;
};

}  // namespace tavorin::qt
