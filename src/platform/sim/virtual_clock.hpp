#pragma once

#include "platform/clock.hpp"

namespace tavorin::sim {

// Time that moves only when a test moves it. Wall time and uptime advance together.
class VirtualClock final : public Clock {
 public:
  // A fixed, realistic start: 2026-01-01 00:00 UTC.
  static constexpr Seconds defaultWallStart = 1767225600.0;

  Seconds now() const override { return wallStart_ + uptime_; }
  Seconds uptime() const override { return uptime_; }

  void setWallTime(Seconds wall) { wallStart_ = wall - uptime_; }
  // Only the run loop moves time forward, so that due timers always fire on the way.
  void moveTo(Seconds uptime) {
    if (uptime > uptime_) uptime_ = uptime;
  }

 private:
  Seconds wallStart_ = defaultWallStart;
  Seconds uptime_ = 1000.0;
};

}  // namespace tavorin::sim
