#include "smartdock/core/dock_contact.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavorin {

namespace {

// The same area with a width and height of zero or more; nothing when a value is not a number.
std::optional<Rect> standardized(const Rect& rect) {
  if (std::isnan(rect.x) || std::isnan(rect.y) || std::isnan(rect.width) ||
      std::isnan(rect.height)) {
    return std::nullopt;
  }
  Rect result = rect;
  if (result.width < 0) {
    result.x += result.width;
    result.width = -result.width;
  }
  if (result.height < 0) {
    result.y += result.height;
    result.height = -result.height;
  }
  return result;
}

bool isEmpty(const std::optional<Rect>& rect) {
  return !rect || rect->width == 0 || rect->height == 0;
}

struct Edges {
  double minX, minY, maxX, maxY;
};

Edges edges(const Rect& rect, double grow) {
  return {rect.minX() - grow, rect.minY() - grow, rect.maxX() + grow, rect.maxY() + grow};
}

// Whether the rectangles overlap with a positive width and height. Works on edges, so that a
// very large distance cannot turn into infinity minus infinity.
bool overlapsWithArea(const Edges& a, const Edges& b) {
  const double width = std::min(a.maxX, b.maxX) - std::max(a.minX, b.minX);
  const double height = std::min(a.maxY, b.maxY) - std::max(a.minY, b.minY);
  return width > 0 && height > 0;
}

}  // namespace

bool DockContact::touches(const Rect& window, const Rect& dock, double distance) {
  const auto dockRect = standardized(dock);
  if (isEmpty(dockRect)) return false;
  const auto windowRect = standardized(window);
  if (isEmpty(windowRect)) return false;
  const double grow = distance >= 0 ? distance : 0.0;
  return overlapsWithArea(edges(*windowRect, 0), edges(*dockRect, grow));
}

bool DockContact::anyTouches(std::span<const Rect> windows, const Rect& dock, double distance) {
  return std::any_of(windows.begin(), windows.end(),
                     [&](const Rect& window) { return touches(window, dock, distance); });
}

}  // namespace tavorin
