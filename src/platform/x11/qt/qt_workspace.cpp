#include "platform/x11/qt/qt_workspace.hpp"

#include <QCoreApplication>
#include <QProcess>

namespace tavorin::qt {

void QtWorkspace::openNewInstance(std::function<void(bool started)> completion) {
  if (instance_ != nullptr) instance_->release();
  const bool started = QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
  if (!started && instance_ != nullptr) instance_->reclaim();
  runLoop_.post([completion = std::move(completion), started] {
    if (completion) completion(started);
  });
}

}  // namespace tavorin::qt
