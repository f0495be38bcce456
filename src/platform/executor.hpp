#pragma once

#include "platform/run_loop.hpp"

namespace tavorin {

// Quality of service of background work (the global dispatch queues' QoS classes).
enum class QualityOfService { utility, userInitiated };

// Global background queues. Work runs on some other thread; results go back to the main loop
// with `RunLoop::post`, holding their owner weakly.
class Executor {
 public:
  virtual ~Executor() = default;
  virtual void submit(QualityOfService quality, Task task) = 0;
};

}  // namespace tavorin
