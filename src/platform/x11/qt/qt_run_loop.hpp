#pragma once

#include <QObject>
#include <QTimer>
#include <map>

#include "platform/run_loop.hpp"

namespace tavorin::qt {

// The main run loop of a Qt program: posted work and timers run in the Qt event loop of the
// thread that made this object (the main thread). Work still queued when it is destroyed is
// dropped.
class QtRunLoop final : public RunLoop {
 public:
  QtRunLoop();
  ~QtRunLoop() override;

  void post(Task task) override;
  TimerId scheduleOnce(Seconds delay, Task task, Seconds tolerance = 0) override;
  TimerId scheduleRepeating(Seconds interval, Task task, Seconds tolerance = 0) override;
  void cancel(TimerId id) override;
  bool isScheduled(TimerId id) const override { return timers_.contains(id); }
  bool isMainThread() const override;

 private:
  TimerId start(Seconds interval, bool repeating, Task task, Seconds tolerance);

  QObject* context_;
  std::map<TimerId, QTimer*> timers_;
  TimerId nextId_ = 1;
};

}  // namespace tavorin::qt
