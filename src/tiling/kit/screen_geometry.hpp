#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/screens.hpp"
#include "tiling/core/geometry.hpp"

namespace tavorin {

// Between the two spaces window layout meets: screens and the pointer in screen space (origin
// at the bottom-left of the primary screen, y up) and windows and zones in the window space
// (origin at the top-left of the primary screen, y down). The primary screen is the first of
// the screen list.
class ScreenGeometry {
 public:
  explicit ScreenGeometry(Screens& screens) : screens_(screens) {}

  // The pointer in the window space.
  TPoint mouseAX() const;
  // The first screen whose frame holds the pointer, else the main screen; none without screens.
  std::optional<Screen> screenUnderMouse() const;
  // Converts a rectangle between the two spaces; the conversion is its own inverse.
  TRect flip(const TRect& rect) const;
  // The screen that shows most of `rect` (window space): the earlier screen wins a tie; the main
  // screen when no screen shows any of it; none without screens.
  std::optional<Screen> screen(const TRect& forAX) const;
  // Where a screen's zones go: its visible frame in the window space.
  TRect zoneArea(const Screen& screen) const;

  // The height of the primary screen, 0 without screens.
  double primaryHeight() const;

  static std::uint32_t displayID(const Screen& screen) { return screen.displayID; }
  // The key the screen's layout is stored under.
  static std::string tilingKey(const Screen& screen);

 private:
  Screens& screens_;
};

}  // namespace tavorin
