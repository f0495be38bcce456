#pragma once

#include <span>

#include "platform/geometry.hpp"

namespace tavorin {

// Whether windows touch the Dock. Rectangles are in one space (the test does not depend on the
// direction of y); a rectangle with a negative width or height stands for the same area as its
// standardized form.
struct DockContact {
  DockContact() = delete;

  // The window overlaps the Dock grown by `distance` points on every side with a positive area;
  // sharing an edge is not touching. A negative distance, or one that is not a number, counts as
  // 0. Empty rectangles (zero width or height, or values that are not numbers) touch nothing.
  static bool touches(const Rect& window, const Rect& dock, double distance);
  // At least one of the windows touches the Dock.
  static bool anyTouches(std::span<const Rect> windows, const Rect& dock, double distance);
};

}  // namespace tavorin
