#pragma once

#include "platform/run_loop.hpp"

namespace tavorin {

// Wall time and uptime (`Date()`, `ProcessInfo.systemUptime`, event time stamps).
class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since 1970-01-01 00:00 UTC.
  virtual Seconds now() const = 0;
  // Seconds since an arbitrary fixed point; never jumps.
  virtual Seconds uptime() const = 0;
};

}  // namespace tavorin
