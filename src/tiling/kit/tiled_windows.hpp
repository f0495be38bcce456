#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/geometry.hpp"
#include "tiling/core/geometry.hpp"

namespace tavorin {

class AXWindow;

// The sizes windows had before they were snapped, so that a window dragged out of its zone gets
// its old size back. Oldest entry first, at most `limit`; never stored.
class TiledWindows {
 public:
  static constexpr std::size_t limit = 200;
  // Sizes closer than this (in either dimension) count as the same.
  static constexpr double tolerance = 4;

  struct Entry {
    std::shared_ptr<AXWindow> window;
    Size originalSize;
    Size tiledSize;
  };

  // After a window was moved: records it when its size changed by more than the tolerance, or
  // refreshes the size it was snapped to when it is remembered already.
  void didTile(const std::shared_ptr<AXWindow>& window, std::optional<TRect> from);
  // The size to give the window back, when the user has not resized it since it was snapped.
  // Forgets the window in any case.
  std::optional<Size> takeRestoreSize(const AXWindow& window, Size currentSize);
  // Gives a snapped window its old size back under the pointer `mouseAX`, keeping the pointer's
  // place on the window: horizontally in proportion, vertically in proportion when
  // `keepVerticalRatio` and otherwise at the same distance below the top (but at least 10 points
  // above the restored bottom). Answers the window's new origin.
  std::optional<TPoint> restoreIfTiled(const std::shared_ptr<AXWindow>& window, const TRect& frame,
                                       TPoint mouseAX, bool keepVerticalRatio);

  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace tavorin
