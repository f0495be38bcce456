#pragma once

#include <deque>
#include <mutex>
#include <utility>

#include "platform/executor.hpp"

namespace tavorin::sim {

// Background queues whose work runs only when the test drains them, on the test's thread.
class SimExecutor final : public Executor {
 public:
  void submit(QualityOfService quality, Task task) override;

  // Runs queued work, and work queued by it, in submission order. Returns how many ran.
  int drain();
  std::size_t pendingCount() const;
  // Quality of the work submitted last (to check what a controller asked for).
  QualityOfService lastQuality() const { return lastQuality_; }

 private:
  mutable std::mutex mutex_;
  std::deque<Task> queue_;
  QualityOfService lastQuality_ = QualityOfService::utility;
};

}  // namespace tavorin::sim
