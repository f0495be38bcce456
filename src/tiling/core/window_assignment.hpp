#pragma once

#include <optional>
#include <vector>

#include "tiling/core/geometry.hpp"

namespace tavorin {

// Which zone each window goes to when a screen's windows are arranged into its layout, and
// which zone a single window belongs to.
struct WindowAssignment {
  // One zone index per window. Window–zone pairs are served by largest overlap, then nearest
  // centres, then lower window and zone index; every zone is filled before a window shares one,
  // and windows left over join their best-ranked zone. Empty when there are no zones.
  static std::vector<int> assign(const std::vector<TRect>& windows,
                                 const std::vector<TRect>& zones);
  // The zone with the largest overlap with `rect`, then the nearest centre; the earlier zone on
  // a tie. Nothing without zones.
  static std::optional<int> bestZone(const TRect& rect, const std::vector<TRect>& zones);
};

}  // namespace tavorin
