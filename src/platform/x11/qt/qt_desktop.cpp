#include "platform/x11/qt/qt_desktop.hpp"

#include "platform/build_info.hpp"
#include "platform/xdg_paths.hpp"

namespace tavorin::qt {

namespace {

std::filesystem::path preferenceFile(const ProcessInfo& process, std::string_view domain) {
  return xdgConfigHome(process) / "tavorin" / (std::string(domain) + ".json");
}

}  // namespace

QtDesktop::QtDesktop(QApplication& app, int argc, char** argv, SingleInstance* instance,
                     QtDesktopOptions options)
    : process_(argc, argv),
      standardDefaults_(preferenceFile(process_, build::bundleIdentifier), notifications_,
                        runLoop_),
      suiteDefaults_(preferenceFile(process_, build::appGroup), notifications_, runLoop_),
      application_(app),
      workspace_(runLoop_, instance),
      platform_(
          std::make_unique<Platform>(Platform{runLoop_, executor_, clock_, notifications_, process_,
                                              standardDefaults_, &suiteDefaults_, nullptr})) {
  platform_->application = &application_;
  if (options.desktopServices) platform_->statusBar = &statusBar_;
  platform_->workspace = &workspace_;
  platform_->permissions = &permissions_;
  platform_->fileKinds = &fileKinds_;
  platform_->overlays = &overlays_;

  if (!options.desktopServices) return;
  x11_ = x11::X11Desktop::open();
  if (!x11_) return;
  x11_->installInto(*platform_);
  workspace_.setReduceMotionSource([this] { return x11_->xsettings().shouldReduceMotion(); });
  // Events arrive on the connection's socket, and some are read ahead while a reply is awaited,
  // which the socket no longer reports: the connection asks to be looked at again then.
  x11Events_ = std::make_unique<QSocketNotifier>(x11_->fileDescriptor(), QSocketNotifier::Read);
  QObject::connect(x11Events_.get(), &QSocketNotifier::activated, x11Events_.get(),
                   [this] { x11_->processPendingEvents(); });
  x11_->setWakeUp([this] { runLoop_.post([this] { x11_->processPendingEvents(); }); });
}

}  // namespace tavorin::qt
