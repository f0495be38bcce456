#pragma once

#include <QApplication>
#include <QSocketNotifier>
#include <memory>

#include "platform/native/file_preference_store.hpp"
#include "platform/native/native_process_info.hpp"
#include "platform/native/system_clock.hpp"
#include "platform/native/thread_pool_executor.hpp"
#include "platform/platform.hpp"
#include "platform/x11/qt/qt_application.hpp"
#include "platform/x11/qt/qt_file_kinds.hpp"
#include "platform/x11/qt/qt_overlays.hpp"
#include "platform/x11/qt/qt_run_loop.hpp"
#include "platform/x11/qt/qt_status_bar.hpp"
#include "platform/x11/qt/qt_workspace.hpp"
#include "platform/x11/x11_desktop.hpp"

namespace tavorin::qt {

// An X11 session grants what the grants stand for to every client: windows can be read and
// moved, and synthetic input is accepted.
class DesktopPermissions final : public Permissions {
 public:
  bool isAccessibilityTrusted() const override { return true; }
  bool requestAccessibility() override { return true; }
  bool canPostEvents() const override { return true; }
  bool requestPostEventAccess() override { return true; }
};

struct QtDesktopOptions {
  // The status bar and the services that talk to the X server directly (other windows, screens,
  // hot keys, keyboard monitors). A program that shows only windows of its own goes without.
  bool desktopServices = true;
};

// Every real service of the Linux desktop, assembled for one program.
class QtDesktop {
 public:
  // `instance`, when given, is given up for and taken back around relaunches.
  QtDesktop(QApplication& app, int argc, char** argv, SingleInstance* instance = nullptr,
            QtDesktopOptions options = {});
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  Platform& platform() { return *platform_; }
  QtApplication& application() { return application_; }
  // The services that talk to the X server directly; null when it could not be reached.
  x11::X11Desktop* x11() { return x11_.get(); }

 private:
  native::NativeProcessInfo process_;
  native::SystemClock clock_;
  QtRunLoop runLoop_;
  NotificationCenter notifications_;
  native::FilePreferenceStore standardDefaults_;
  native::FilePreferenceStore suiteDefaults_;
  QtApplication application_;
  QtStatusBar statusBar_;
  QtWorkspace workspace_;
  DesktopPermissions permissions_;
  QtFileKindProvider fileKinds_;
  QtOverlays overlays_;
  // Last, so that background work ends before the services it reports to go away.
  native::ThreadPoolExecutor executor_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<x11::X11Desktop> x11_;
  std::unique_ptr<QSocketNotifier> x11Events_;
};

}  // namespace tavorin::qt
