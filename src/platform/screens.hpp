#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/geometry.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// One screen as the windowing system describes it. Rectangles are in screen space: origin at
// the bottom-left of the primary screen, y growing upward.
struct Screen {
  // The display identifier ("NSScreenNumber"); 0 when unknown.
  std::uint32_t displayID = 0;
  std::string localizedName;
  Rect frame;
  // The frame without what panels, the menu bar and the Dock cover.
  Rect visibleFrame;
  // The display's vendor, model and serial numbers; 0 where the display does not tell.
  std::uint32_t vendorNumber = 0;
  std::uint32_t modelNumber = 0;
  std::uint32_t serialNumber = 0;
  bool operator==(const Screen&) const = default;
};

// The screens of the windowing system and the pointer on them (NSScreen.screens with frame,
// visibleFrame, localizedName and deviceDescription; CGDisplayVendorNumber, CGDisplayModelNumber,
// CGDisplaySerialNumber; NSApplicationDidChangeScreenParametersNotification;
// NSEvent.mouseLocation).
class Screens {
 public:
  virtual ~Screens() = default;
  // Every screen, the primary one first; empty when there is none.
  virtual std::vector<Screen> screens() = 0;
  // The pointer's position in screen space.
  virtual Point pointerLocation() = 0;
  // Called on the main loop after screens were added, removed, moved or resized, or their
  // visible frames changed.
  [[nodiscard]] virtual Subscription observeChanges(std::function<void()> onChange) = 0;
};

}  // namespace tavorin
