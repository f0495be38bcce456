#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace tavorin {

using Seconds = double;
using Task = std::function<void()>;
using TimerId = std::uint64_t;

// The main run loop and its timers (the main dispatch queue, `asyncAfter` and run-loop timers).
// Everything a controller owns runs here. Only `post` may be called from another thread.
class RunLoop {
 public:
  virtual ~RunLoop() = default;

  // Runs `task` on the main loop soon, after the work already queued.
  virtual void post(Task task) = 0;

  // Fires once after `delay`; `tolerance` lets the loop coalesce wake-ups.
  virtual TimerId scheduleOnce(Seconds delay, Task task, Seconds tolerance = 0) = 0;

  // Fires every `interval` until cancelled.
  virtual TimerId scheduleRepeating(Seconds interval, Task task, Seconds tolerance = 0) = 0;

  // Cancels a timer; unknown and already fired ids are ignored.
  virtual void cancel(TimerId id) = 0;

  // True while `id` is a repeating timer or a one-shot that has not fired yet.
  virtual bool isScheduled(TimerId id) const = 0;

  virtual bool isMainThread() const = 0;
};

// Owns one timer of a run loop and cancels it when destroyed or replaced.
class Timer {
 public:
  Timer() = default;
  Timer(RunLoop& loop, TimerId id) : loop_(&loop), id_(id) {}
  Timer(Timer&& other) noexcept
      : loop_(std::exchange(other.loop_, nullptr)), id_(std::exchange(other.id_, 0)) {}
  Timer& operator=(Timer&& other) noexcept {
    if (this != &other) {
      cancel();
      loop_ = std::exchange(other.loop_, nullptr);
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer() { cancel(); }

  void cancel() {
    if (loop_ != nullptr) loop_->cancel(id_);
    loop_ = nullptr;
    id_ = 0;
  }
  bool isScheduled() const { return loop_ != nullptr && loop_->isScheduled(id_); }

 private:
  RunLoop* loop_ = nullptr;
  TimerId id_ = 0;
};

}  // namespace tavorin
