#include "platform/sim/sim_executor.hpp"

namespace tavorin::sim {

void SimExecutor::submit(QualityOfService quality, Task task) {
  std::lock_guard lock(mutex_);
  lastQuality_ = quality;
  queue_.push_back(std::move(task));
}

int SimExecutor::drain() {
  int ran = 0;
  for (;;) {
    Task task;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return ran;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
    ++ran;
  }
}

std::size_t SimExecutor::pendingCount() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

}  // namespace tavorin::sim
