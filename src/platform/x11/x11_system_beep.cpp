#include "platform/x11/x11_system_beep.hpp"

namespace tavorin::x11 {

void X11SystemBeep::beep() {
  // 0: the base volume the user set (`xset b`).
  xcb_bell(connection_.xcb(), 0);
  connection_.flush();
}

}  // namespace tavorin::x11
