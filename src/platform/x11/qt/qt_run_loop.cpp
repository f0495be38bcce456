#include "platform/x11/qt/qt_run_loop.hpp"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace tavorin::qt {

QtRunLoop::QtRunLoop() : context_(new QObject) {}

QtRunLoop::~QtRunLoop() {
  delete context_;
}

void QtRunLoop::post(Task task) {
  QMetaObject::invokeMethod(context_, std::move(task), Qt::QueuedConnection);
}

TimerId QtRunLoop::start(Seconds interval, bool repeating, Task task, Seconds tolerance) {
  const TimerId id = nextId_++;
  auto* timer = new QTimer(context_);
  timer->setSingleShot(!repeating);
  // A coarse timer may fire up to 5% late, which lets the system group wake-ups.
  timer->setTimerType(tolerance > 0 ? Qt::CoarseTimer : Qt::PreciseTimer);
  const double milliseconds = std::max(0.0, interval) * 1000.0;
  timer->setInterval(static_cast<int>(std::min(std::round(milliseconds), 2.0e9)));
  QObject::connect(timer, &QTimer::timeout, context_,
                   [this, id, repeating, task = std::move(task)] {
                     if (!repeating) {
                       // Forget the timer before running, so the task sees it as fired.
                       if (auto it = timers_.find(id); it != timers_.end()) {
                         it->second->deleteLater();
                         timers_.erase(it);
                       }
                       task();
                       return;
                     }
                     task();
                   });
  timers_.emplace(id, timer);
  timer->start();
  return id;
}

TimerId QtRunLoop::scheduleOnce(Seconds delay, Task task, Seconds tolerance) {
  return start(delay, false, std::move(task), tolerance);
}

TimerId QtRunLoop::scheduleRepeating(Seconds interval, Task task, Seconds tolerance) {
  return start(std::max(interval, 0.001), true, std::move(task), tolerance);
}

void QtRunLoop::cancel(TimerId id) {
  if (auto it = timers_.find(id); it != timers_.end()) {
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
  }
}

bool QtRunLoop::isMainThread() const {
  return QThread::currentThread() == context_->thread();
}

}  // namespace tavorin::qt
