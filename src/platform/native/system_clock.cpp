#include "platform/native/system_clock.hpp"

#include <chrono>

namespace tavorin::native {

Seconds SystemClock::now() const {
  using namespace std::chrono;
  return duration<double>(system_clock::now().time_since_epoch()).count();
}

Seconds SystemClock::uptime() const {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace tavorin::native
