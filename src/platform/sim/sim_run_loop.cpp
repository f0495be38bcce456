#include "platform/sim/sim_run_loop.hpp"

#include <algorithm>

namespace tavorin::sim {

namespace {
// A repeating timer never fires more often than this, so a zero interval cannot spin forever.
constexpr Seconds kShortestInterval = 1e-3;
}  // namespace

SimRunLoop::SimRunLoop(VirtualClock& clock)
    : clock_(clock), mainThread_(std::this_thread::get_id()) {}

void SimRunLoop::post(Task task) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(task));
  }
  postedCondition_.notify_all();
}

TimerId SimRunLoop::schedule(Seconds delay, Seconds interval, Task task) {
  const TimerId id = nextId_++;
  timers_.emplace(id, ScheduledTimer{clock_.uptime() + std::max(0.0, delay), interval, nextOrder_++,
                                     std::move(task)});
  return id;
}

TimerId SimRunLoop::scheduleOnce(Seconds delay, Task task, Seconds /*tolerance*/) {
  return schedule(delay, 0, std::move(task));
}

TimerId SimRunLoop::scheduleRepeating(Seconds interval, Task task, Seconds /*tolerance*/) {
  interval = std::max(interval, kShortestInterval);
  return schedule(interval, interval, std::move(task));
}

void SimRunLoop::cancel(TimerId id) {
  timers_.erase(id);
}

bool SimRunLoop::isScheduled(TimerId id) const {
  return timers_.contains(id);
}

int SimRunLoop::runPending() {
  int ran = 0;
  for (;;) {
    Task task;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return ran;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
    ++ran;
  }
}

std::map<TimerId, SimRunLoop::ScheduledTimer>::iterator SimRunLoop::nextDue(Seconds limit) {
  auto best = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.fireAt > limit) continue;
    if (best == timers_.end() || it->second.fireAt < best->second.fireAt ||
        (it->second.fireAt == best->second.fireAt && it->second.order < best->second.order)) {
      best = it;
    }
  }
  return best;
}

void SimRunLoop::advance(Seconds duration) {
  const Seconds target = clock_.uptime() + std::max(0.0, duration);
  runPending();
  for (auto due = nextDue(target); due != timers_.end(); due = nextDue(target)) {
    clock_.moveTo(due->second.fireAt);
    Task task;
    if (due->second.interval > 0) {
      // Keep the timer (it may cancel itself while running): run a copy of its task.
      task = due->second.task;
      due->second.fireAt += due->second.interval;
      due->second.order = nextOrder_++;
    } else {
      task = std::move(due->second.task);
      timers_.erase(due);
    }
    task();
    runPending();
  }
  clock_.moveTo(target);
  runPending();
}

bool SimRunLoop::waitAndRunPending(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(postedMutex_);
    if (!postedCondition_.wait_for(lock, timeout, [this] { return !posted_.empty(); })) {
      return false;
    }
  }
  return runPending() > 0;
}

Seconds SimRunLoop::timeUntilNextTimer() const {
  Seconds next = -1;
  for (const auto& [id, timer] : timers_) {
    const Seconds in = std::max(0.0, timer.fireAt - clock_.uptime());
    if (next < 0 || in < next) next = in;
  }
  return next;
}

}  // namespace tavorin::sim
