#include "platform/x11/qt/qt_application.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <QTimer>
#include <csignal>

namespace tavorin::qt {

namespace {

// Written by the signal handler, read by the main loop: the only safe way out of a handler.
int signalPipe[2] = {-1, -1};

void onSignal(int signal) {
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] auto ignored = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

QtApplication::QtApplication(QApplication& app) : app_(app) {}

QtApplication::~QtApplication() = default;

void QtApplication::setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
  delegate_ = std::move(delegate);
}

void QtApplication::setActivationPolicy(ActivationPolicy policy) {
  // A tray program has no main window: closing a settings window must not end it.
  app_.setQuitOnLastWindowClosed(policy == ActivationPolicy::regular);
}

void QtApplication::terminate() {
  if (terminating_) return;
  terminating_ = true;
  if (auto delegate = delegate_.lock()) delegate->applicationWillTerminate();
  QCoreApplication::exit(0);
}

int QtApplication::run() {
  QTimer::singleShot(0, &app_, [this] {
    if (auto delegate = delegate_.lock()) delegate->applicationDidFinishLaunching();
  });
  const int status = QApplication::exec();
  // The loop can also end without `terminate` (the session ends): shut down all the same.
  terminate();
  return status;
}

void QtApplication::reopen() {
  if (auto delegate = delegate_.lock()) delegate->applicationShouldHandleReopen(false);
}

void QtApplication::terminateOnSignals() {
  if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, &app_, [this] {
    char byte = 0;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    terminate();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace tavorin::qt
