#include "tiling/kit/tiled_windows.hpp"

#include <algorithm>
#include <cmath>

#include "tiling/kit/ax_window.hpp"

namespace tavorin {

namespace {

bool differ(Size a, Size b) {
  return std::abs(a.width - b.width) > TiledWindows::tolerance ||
         std::abs(a.height - b.height) > TiledWindows::tolerance;
}

}  // namespace

void TiledWindows::didTile(const std::shared_ptr<AXWindow>& window, std::optional<TRect> from) {
  if (!window) return;
  auto now = window->frame();
  if (!now) return;
  const Size newSize{now->width, now->height};
  for (Entry& entry : entries_) {
    if (*entry.window == *window) {
      entry.tiledSize = newSize;
      return;
    }
  }
  if (!from) return;
  const Size previousSize{from->width, from->height};
  // A window that keeps its size when it is moved is not remembered.
  if (!differ(previousSize, newSize)) return;
  entries_.push_back({window, previousSize, newSize});
  if (entries_.size() > limit) {
    entries_.erase(entries_.begin(), entries_.begin() + (entries_.size() - limit));
  }
}

std::optional<Size> TiledWindows::takeRestoreSize(const AXWindow& window, Size currentSize) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& entry) { return *entry.window == window; });
  if (it == entries_.end()) return std::nullopt;
  const Entry entry = *it;
  entries_.erase(it);
  // The user resized the window since it was snapped: that size stays.
  if (differ(currentSize, entry.tiledSize)) return std::nullopt;
  return entry.originalSize;
}

std::optional<TPoint> TiledWindows::restoreIfTiled(const std::shared_ptr<AXWindow>& window,
                                                   const TRect& frame, TPoint mouseAX,
                                                   bool keepVerticalRatio) {
  if (!window) return std::nullopt;
  auto restored = takeRestoreSize(*window, Size{frame.width, frame.height});
  if (!restored) return std::nullopt;
  const double fx = frame.width == 0 ? 0.5 : (mouseAX.x - frame.x) / frame.width;
  const double dy = keepVerticalRatio && frame.height > 0
                        ? (mouseAX.y - frame.y) / frame.height * restored->height
                        : std::min(mouseAX.y - frame.y, std::max(restored->height - 10, 0.0));
  const TPoint origin{std::round(mouseAX.x - fx * restored->width), std::round(mouseAX.y - dy)};
  window->setSize(*restored);
  window->setPosition(origin);
  return origin;
}

}  // namespace tavorin
