#include "tiling/kit/screen_geometry.hpp"

#include "tiling/core/templates.hpp"

namespace tavorin {

namespace {

double heightOfFirst(const std::vector<Screen>& screens) {
  return screens.empty() ? 0 : screens.front().frame.height;
}

TRect flipped(const TRect& r, double height) {
  return {r.x, height - r.maxY(), r.width, r.height};
}

// Whether a point lies in a rectangle of the bottom-up space: the left and top edges belong to
// it, the right and bottom edges do not.
bool containsUnflipped(const Rect& r, Point p) {
  return p.x >= r.minX() && p.x < r.maxX() && p.y > r.minY() && p.y <= r.maxY();
}

}  // namespace

double ScreenGeometry::primaryHeight() const {
  return heightOfFirst(screens_.screens());
}

TPoint ScreenGeometry::mouseAX() const {
  const Point pointer = screens_.pointerLocation();
  return {pointer.x, primaryHeight() - pointer.y};
}

std::optional<Screen> ScreenGeometry::screenUnderMouse() const {
  const auto screens = screens_.screens();
  if (screens.empty()) return std::nullopt;
  const Point pointer = screens_.pointerLocation();
  for (const Screen& screen : screens) {
    if (containsUnflipped(screen.frame, pointer)) return screen;
  }
  return screens.front();
}

TRect ScreenGeometry::flip(const TRect& rect) const {
  return flipped(rect, primaryHeight());
}

std::optional<Screen> ScreenGeometry::screen(const TRect& forAX) const {
  const auto screens = screens_.screens();
  if (screens.empty()) return std::nullopt;
  const TRect rect = flipped(forAX, heightOfFirst(screens));
  const Screen* best = nullptr;
  double bestArea = 0;
  for (const Screen& screen : screens) {
    const double area = rect.intersectionArea(TRect::from(screen.frame));
    // A later screen must show strictly more.
    if (area > bestArea) {
      best = &screen;
      bestArea = area;
    }
  }
  return best != nullptr ? *best : screens.front();
}

TRect ScreenGeometry::zoneArea(const Screen& screen) const {
  return flip(TRect::from(screen.visibleFrame));
}

std::string ScreenGeometry::tilingKey(const Screen& screen) {
  return screenKey(screen.vendorNumber, screen.modelNumber, screen.serialNumber, screen.displayID,
                   screen.localizedName);
}

}  // namespace tavorin
