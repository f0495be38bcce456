#include "platform/native/thread_pool_executor.hpp"

#include <algorithm>

namespace tavorin::native {

ThreadPoolExecutor::ThreadPoolExecutor(unsigned threads) {
  threads = std::max(1u, threads);
  threads_.reserve(threads);
  for (unsigned i = 0; i < threads; ++i)
    threads_.emplace_back([this] { work(); });
}

ThreadPoolExecutor::~ThreadPoolExecutor() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    userInitiated_.clear();
    utility_.clear();
  }
  wake_.notify_all();
  for (auto& thread : threads_)
    thread.join();
}

void ThreadPoolExecutor::submit(QualityOfService quality, Task task) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    (quality == QualityOfService::userInitiated ? userInitiated_ : utility_)
        .push_back(std::move(task));
  }
  wake_.notify_one();
}

void ThreadPoolExecutor::work() {
  for (;;) {
    Task task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock,
                 [this] { return stopping_ || !userInitiated_.empty() || !utility_.empty(); });
      if (stopping_) return;
      auto& queue = userInitiated_.empty() ? utility_ : userInitiated_;
      task = std::move(queue.front());
      queue.pop_front();
    }
    task();
  }
}

}  // namespace tavorin::native
