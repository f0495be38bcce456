#pragma once

#include "platform/system_beep.hpp"

namespace tavorin::sim {

// Counts the beeps instead of sounding them.
class SimSystemBeep final : public SystemBeep {
 public:
  void beep() override { ++beeps_; }
  int beeps() const { return beeps_; }

 private:
  int beeps_ = 0;
};

}  // namespace tavorin::sim
