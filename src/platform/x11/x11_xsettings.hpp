#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/x11/x11_connection.hpp"

namespace tavorin::x11 {

// The settings a desktop's settings daemon publishes to every client through the XSETTINGS
// protocol: the owner of the selection `_XSETTINGS_S<screen>` keeps them in the property
// `_XSETTINGS_SETTINGS` of its window. GNOME, Xfce, MATE and Cinnamon run such a daemon; a bare
// window manager usually does not, and then there are no settings.
class XSettings {
 public:
  explicit XSettings(Connection& connection) : connection_(connection) {}

  // The integer setting `name`; nothing without a settings daemon, without the setting, or when
  // the published block cannot be read.
  std::optional<std::int32_t> integer(std::string_view name);
  // The user turned animations off ("Gtk/EnableAnimations" is 0). False when the desktop does
  // not say, which is all that can be known then.
  bool shouldReduceMotion();

  // Looks up an integer setting in a published block.
  static std::optional<std::int32_t> findInteger(const std::uint8_t* data, std::size_t length,
                                                 std::string_view name);

  static constexpr double timeout = 1.0;

 private:
  Connection& connection_;
};

}  // namespace tavorin::x11
