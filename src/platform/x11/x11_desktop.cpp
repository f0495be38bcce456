#include "platform/x11/x11_desktop.hpp"

namespace tavorin::x11 {

std::unique_ptr<X11Desktop> X11Desktop::open(const char* displayName) {
  auto connection = Connection::open(displayName);
  if (!connection) return nullptr;
  return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(connection)));
}

X11Desktop::X11Desktop(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

void X11Desktop::installInto(Platform& platform) {
  platform.accessibility = &accessibility_;
  platform.runningApplications = &accessibility_;
  platform.screens = &screens_;
  platform.hotKeys = &hotKeys_;
  platform.keyboardLayout = &keyboardLayout_;
  platform.systemBeep = &systemBeep_;
  platform.eventMonitors = &eventMonitors_;
}

}  // namespace tavorin::x11
