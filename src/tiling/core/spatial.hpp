#pragma once

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "tiling/core/geometry.hpp"

namespace tavorin {

// Up means towards smaller y.
enum class Direction { left, right, up, down };

inline constexpr std::array<Direction, 4> allDirections{Direction::left, Direction::right,
                                                        Direction::up, Direction::down};

// Keyboard movement between the zones of a layout.
struct ZoneNavigation {
  // The zone next to zone `of` in `direction`: among the zones whose centre lies beyond the
  // source's edge, one that shares an edge span with it beats any that does not, then the
  // nearest wins; the earlier zone on a tie. Nothing when no zone lies that way.
  static std::optional<int> neighbor(int of, Direction direction, const std::vector<TRect>& zones);
  // The smallest rectangle covering both.
  static TRect span(const TRect& a, const TRect& b) { return a.unionWith(b); }
};

// Snapping a dragged window to a screen's edges and corners.
struct EdgeSnap {
  enum class Region { leftHalf, rightHalf, maximize, topLeft, topRight, bottomLeft, bottomRight };

  static constexpr std::array<Region, 7> allRegions{
      Region::leftHalf, Region::rightHalf,  Region::maximize,   Region::topLeft,
      Region::topRight, Region::bottomLeft, Region::bottomRight};

  // The region a pointer within `threshold` of an edge points at; `corner` is how far the
  // corner regions reach along an edge. Nothing away from the edges and at the bottom middle.
  static std::optional<Region> region(const TPoint& at, const TRect& screen, double threshold,
                                      double corner);
  // The region's part of `in`, with `gap` at the edges and between neighbouring regions.
  static TRect frame(Region region, const TRect& in, double gap);
  // The regions that fill the rest of the screen.
  static std::vector<Region> complementaryRegions(Region region);
};

// Neighbouring windows that follow when the user resizes a window they touch.
struct SmartResize {
  // Index in `others` → that window's new frame; windows that need no change are absent. A
  // window follows an edge that moved by more than a point when it lay at that edge (gap
  // between −2 and `tolerance`) and shares more than 10 points of it, and only while it stays
  // at least `minSize` along that direction.
  static std::map<int, TRect> adjustments(const TRect& oldRect, const TRect& newRect,
                                          const std::vector<TRect>& others, double tolerance,
                                          double minSize);
};

// Zones that no window covers yet.
struct EmptyZones {
  // A zone is occupied by a window covering at least `threshold` of the smaller of the two
  // areas. Ascending indexes of the zones nothing occupies.
  static std::vector<int> indices(const std::vector<TRect>& zones,
                                  const std::vector<TRect>& occupiedBy, double threshold);
};

}  // namespace tavorin
