#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/executor.hpp"

namespace tavorin::native {

// Background queues on a small pool of threads; user-initiated work goes ahead of utility work.
// Work still queued when the pool is destroyed is dropped; running work is waited for.
class ThreadPoolExecutor final : public Executor {
 public:
  explicit ThreadPoolExecutor(unsigned threads = 2);
  ~ThreadPoolExecutor() override;
  ThreadPoolExecutor(const ThreadPoolExecutor&) = delete;
  ThreadPoolExecutor& operator=(const ThreadPoolExecutor&) = delete;

  void submit(QualityOfService quality, Task task) override;

 private:
  void work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> userInitiated_;
  std::deque<Task> utility_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace tavorin::native
