#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "platform/run_loop.hpp"
#include "platform/sim/virtual_clock.hpp"

namespace tavorin::sim {

// A deterministic main loop. Posted work runs when the test runs the loop; timers fire, in time
// order, only while the test advances the virtual clock. Tolerances are ignored: a timer fires
// exactly when due.
class SimRunLoop final : public RunLoop {
 public:
  explicit SimRunLoop(VirtualClock& clock);

  void post(Task task) override;
  TimerId scheduleOnce(Seconds delay, Task task, Seconds tolerance = 0) override;
  TimerId scheduleRepeating(Seconds interval, Task task, Seconds tolerance = 0) override;
  void cancel(TimerId id) override;
  bool isScheduled(TimerId id) const override;
  bool isMainThread() const override { return std::this_thread::get_id() == mainThread_; }

  // Runs posted work (and work it posts) until none is left. Returns how many tasks ran.
  int runPending();

  // Moves the clock forward by `duration`, firing every timer that falls due on the way,
  // including timers that firing timers schedule, and running posted work in between.
  void advance(Seconds duration);

  // For code that posts from real threads: waits up to `timeout` of real time for posted work,
  // then runs it. Returns whether anything ran.
  bool waitAndRunPending(std::chrono::milliseconds timeout);

  std::size_t scheduledTimerCount() const { return timers_.size(); }
  // Seconds until the next timer is due, or a negative number when none is scheduled.
  Seconds timeUntilNextTimer() const;

 private:
  struct ScheduledTimer {
    Seconds fireAt;
    Seconds interval;  // 0 for a one-shot
    std::uint64_t order;
    Task task;
  };
  TimerId schedule(Seconds delay, Seconds interval, Task task);
  std::map<TimerId, ScheduledTimer>::iterator nextDue(Seconds limit);

  VirtualClock& clock_;
  std::thread::id mainThread_;
  std::mutex postedMutex_;
  std::condition_variable postedCondition_;
  std::deque<Task> posted_;
  std::map<TimerId, ScheduledTimer> timers_;
  TimerId nextId_ = 1;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace tavorin::sim
