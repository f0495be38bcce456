#pragma once

#include <optional>
#include <vector>

#include "platform/screens.hpp"
#include "platform/x11/x11_connection.hpp"

namespace tavorin::x11 {

// The screens as XRandR monitors (the primary one first), their visible frames without the
// panels' struts, their identity from EDID where the display has one, and the pointer. Changes
// are announced when the monitors, the outputs or the panels change what `screens` answers.
class X11Screens final : public Screens {
 public:
  explicit X11Screens(Connection& connection);

  std::vector<Screen> screens() override;
  Point pointerLocation() override;
  Subscription observeChanges(std::function<void()> onChange) override;

  // The primary screen's top-left corner in root window coordinates: the origin of the global
  // top-left space. Kept from the last look at the screens.
  Point origin() const { return origin_; }

  static constexpr double timeout = 2.0;

  // Reads a display's EDID block into `screen`: the manufacturer (big-endian) as vendor, the
  // product code and the serial number (little-endian) as model and serial, and the name from
  // the display descriptor, if any. A block that is too short or has no EDID header changes
  // nothing.
  static void describeFromEdid(const std::uint8_t* edid, std::size_t length, Screen& screen);

 private:
  struct Monitor {
    std::string name;
    std::uint32_t nameAtom = 0;
    bool primary = false;
    Rect rect;  // root coordinates
    std::vector<std::uint32_t> outputs;
  };
  std::optional<std::vector<Monitor>> monitors(Deadline deadline);
  std::vector<Rect> struts(const Rect& root, Deadline deadline);
  void describeDisplay(const Monitor& monitor, Screen& screen, Deadline deadline);
  void handle(const xcb_generic_event_t& event);

  Connection& connection_;
  bool monitorsSupported_ = false;
  std::uint8_t randrEventBase_ = 0;
  Point origin_;
  double primaryHeight_ = 0;
  std::vector<Screen> last_;
  Signal<> changed_;
  Subscription events_;
};

}  // namespace tavorin::x11
