#pragma once

#include <QApplication>
#include <QSocketNotifier>
#include <memory>

#include "platform/application.hpp"

namespace tavorin::qt {

// The application object of a Qt program. `run` starts the event loop and lets the delegate
// finish launching from inside it; `terminate` (also on SIGINT and SIGTERM) lets the delegate
// shut down, then ends the loop with exit status 0.
class QtApplication final : public Application {
 public:
  explicit QtApplication(QApplication& app);
  ~QtApplication() override;

  void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) override;
  void setActivationPolicy(ActivationPolicy policy) override;
  void terminate() override;

  int run();
  // The program was opened again (a second start handed over to this one).
  void reopen();
  // Turns SIGINT and SIGTERM into `terminate` on the main loop.
  void terminateOnSignals();

 private:
  QApplication& app_;
  std::weak_ptr<ApplicationDelegate> delegate_;
  bool terminating_ = false;
  std::unique_ptr<QSocketNotifier> signalNotifier_;
};

}  // namespace tavorin::qt
