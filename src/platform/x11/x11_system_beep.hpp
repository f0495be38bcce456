#pragma once

#include "platform/system_beep.hpp"
#include "platform/x11/x11_connection.hpp"

namespace tavorin::x11 {

// The keyboard bell of the X server, at its configured volume.
class X11SystemBeep final : public SystemBeep {
 public:
  explicit X11SystemBeep(Connection& connection) : connection_(connection) {}
  void beep() override;

 private:
  Connection& connection_;
};

}  // namespace tavorin::x11
