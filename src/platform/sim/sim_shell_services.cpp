#include "platform/sim/sim_shell_services.hpp"

namespace tavorin::sim {

void SimApplication::terminate() {
  if (terminated_) return;
  terminated_ = true;
  if (auto delegate = delegate_.lock()) delegate->applicationWillTerminate();
}

void SimApplication::launch() {
  if (auto delegate = delegate_.lock()) delegate->applicationDidFinishLaunching();
}

bool SimApplication::reopen() {
  auto delegate = delegate_.lock();
  return delegate && delegate->applicationShouldHandleReopen(false);
}

std::shared_ptr<StatusItem> SimStatusBar::createSquareItem() {
  auto item = std::make_shared<SimStatusItem>();
  items_.push_back(item);
  return item;
}

void SimWorkspace::openNewInstance(std::function<void(bool started)> completion) {
  ++opened_;
  runLoop_.post([completion = std::move(completion), started = newInstanceStarts] {
    if (completion) completion(started);
  });
}

}  // namespace tavorin::sim
