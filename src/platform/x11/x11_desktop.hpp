#pragma once

#include <functional>
#include <memory>

#include "platform/platform.hpp"
#include "platform/x11/x11_accessibility.hpp"
#include "platform/x11/x11_connection.hpp"
#include "platform/x11/x11_event_monitors.hpp"
#include "platform/x11/x11_hot_keys.hpp"
#include "platform/x11/x11_keyboard.hpp"
#include "platform/x11/x11_keyboard_layout.hpp"
#include "platform/x11/x11_screens.hpp"
#include "platform/x11/x11_system_beep.hpp"
#include "platform/x11/x11_xsettings.hpp"

namespace tavorin::x11 {

// The desktop services that talk to the X server directly, over one connection of their own.
// The event loop watches `fileDescriptor()` and calls `processPendingEvents()` when it becomes
// readable, and also whenever the wake-up asks for it (events read ahead while a reply was
// awaited do not make the descriptor readable again).
class X11Desktop {
 public:
  // Null when no X server answers on `displayName` (null: $DISPLAY).
  static std::unique_ptr<X11Desktop> open(const char* displayName = nullptr);

  int fileDescriptor() const { return connection_->fileDescriptor(); }
  void processPendingEvents() { connection_->processPendingEvents(); }
  void setWakeUp(std::function<void()> wakeUp) { connection_->setWakeUp(std::move(wakeUp)); }

  Connection& connection() { return *connection_; }
  Keyboard& keyboard() { return keyboard_; }
  X11Accessibility& accessibility() { return accessibility_; }
  X11Screens& screens() { return screens_; }
  X11HotKeys& hotKeys() { return hotKeys_; }
  X11SystemBeep& systemBeep() { return systemBeep_; }
  X11KeyboardLayout& keyboardLayout() { return keyboardLayout_; }
  X11EventMonitors& eventMonitors() { return eventMonitors_; }
  XSettings& xsettings() { return xsettings_; }

  // Fills the services this desktop provides into `platform`.
  void installInto(Platform& platform);

 private:
  explicit X11Desktop(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> connection_;
  Keyboard keyboard_{*connection_};
  X11Screens screens_{*connection_};
  X11Accessibility accessibility_{*connection_, [this] { return screens_.origin(); }};
  X11HotKeys hotKeys_{*connection_, keyboard_};
  X11KeyboardLayout keyboardLayout_{keyboard_};
  X11SystemBeep systemBeep_{*connection_};
  X11EventMonitors eventMonitors_{*connection_, keyboard_, screens_};
  XSettings xsettings_{*connection_};
};

}  // namespace tavorin::x11
