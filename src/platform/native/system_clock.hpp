#pragma once

#include "platform/clock.hpp"

namespace tavorin::native {

class SystemClock final : public Clock {
 public:
  Seconds now() const override;
  Seconds uptime() const override;
};

}  // namespace tavorin::native
