#include "tiling/core/spatial.hpp"

#include <algorithm>
#include <cmath>

namespace tavorin {

std::optional<int> ZoneNavigation::neighbor(int of, Direction direction,
                                            const std::vector<TRect>& zones) {
  if (of < 0 || static_cast<std::size_t>(of) >= zones.size()) return std::nullopt;
  const TRect& s = zones[static_cast<std::size_t>(of)];
  std::optional<int> best;
  double bestScore = 0;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    if (static_cast<int>(i) == of) continue;
    const TRect& c = zones[i];
    bool beyond = false;
    double d = 0;
    double overlap = 0;
    switch (direction) {
      case Direction::left:
        beyond = c.midX() < s.x;
        d = std::max(s.x - c.maxX(), 0.0);
        break;
      case Direction::right:
        beyond = s.maxX() < c.midX();
        d = std::max(c.x - s.maxX(), 0.0);
        break;
      case Direction::up:
        beyond = c.midY() < s.y;
        d = std::max(s.y - c.maxY(), 0.0);
        break;
      case Direction::down:
        beyond = s.maxY() < c.midY();
        d = std::max(c.y - s.maxY(), 0.0);
        break;
    }
    if (!beyond) continue;
    if (direction == Direction::left || direction == Direction::right) {
      overlap = std::min(s.maxY(), c.maxY()) - std::max(s.y, c.y);
    } else {
      overlap = std::min(s.maxX(), c.maxX()) - std::max(s.x, c.x);
    }
    const double score = (overlap > 0 ? 0.0 : 100000.0) + s.center().distance(c.center()) + d * 10;
    if (!best || score < bestScore) {
      best = static_cast<int>(i);
      bestScore = score;
    }
  }
  return best;
}

std::optional<EdgeSnap::Region> EdgeSnap::region(const TPoint& p, const TRect& s, double t,
                                                 double c) {
  const double maxX = s.x + s.width;
  const double maxY = s.y + s.height;
  if (p.x < s.x - 1 || p.x > maxX + 1 || p.y < s.y - 1 || p.y > maxY + 1) return std::nullopt;
  // The right and bottom bands are measured from the last pixel, so all four are t + 1 wide.
  if (p.x <= s.x + t) {
    if (p.y <= s.y + c) return Region::topLeft;
    if (p.y >= maxY - c) return Region::bottomLeft;
    return Region::leftHalf;
  }
  if (p.x >= maxX - t - 1) {
    if (p.y <= s.y + c) return Region::topRight;
    if (p.y >= maxY - c) return Region::bottomRight;
    return Region::rightHalf;
  }
  if (p.y <= s.y + t) {
    if (p.x <= s.x + c) return Region::topLeft;
    if (p.x >= maxX - c) return Region::topRight;
    return Region::maximize;
  }
  if (p.y >= maxY - t - 1) {
    if (p.x <= s.x + c) return Region::bottomLeft;
    if (p.x >= maxX - c) return Region::bottomRight;
    return std::nullopt;
  }
  return std::nullopt;
}

TRect EdgeSnap::frame(Region region, const TRect& r, double gap) {
  const double half = gap * 0.5;
  const double ix = r.x + half;
  const double iy = r.y + half;
  const double iw = std::max(r.width - 2 * half, 0.0);
  const double ih = std::max(r.height - 2 * half, 0.0);
  TRect part;
  switch (region) {
    case Region::leftHalf:
      part = {ix, iy, iw / 2, ih};
      break;
    case Region::rightHalf:
      part = {ix + iw / 2, iy, iw / 2, ih};
      break;
    case Region::maximize:
      part = {ix, iy, iw, ih};
      break;
    case Region::topLeft:
      part = {ix, iy, iw / 2, ih / 2};
      break;
    case Region::topRight:
      part = {ix + iw / 2, iy, iw / 2, ih / 2};
      break;
    case Region::bottomLeft:
      part = {ix, iy + ih / 2, iw / 2, ih / 2};
      break;
    case Region::bottomRight:
      part = {ix + iw / 2, iy + ih / 2, iw / 2, ih / 2};
      break;
  }
  return {part.x + half, part.y + half, std::max(part.width - 2 * half, 0.0),
          std::max(part.height - 2 * half, 0.0)};
}

std::vector<EdgeSnap::Region> EdgeSnap::complementaryRegions(Region region) {
  switch (region) {
    case Region::leftHalf:
      return {Region::rightHalf};
    case Region::rightHalf:
      return {Region::leftHalf};
    case Region::maximize:
      return {};
    case Region::topLeft:
    case Region::topRight:
    case Region::bottomLeft:
    case Region::bottomRight: {
      std::vector<Region> others;
      for (auto quarter :
           {Region::topLeft, Region::topRight, Region::bottomLeft, Region::bottomRight}) {
        if (quarter != region) others.push_back(quarter);
      }
      return others;
    }
  }
  return {};
}

std::map<int, TRect> SmartResize::adjustments(const TRect& oldRect, const TRect& newRect,
                                              const std::vector<TRect>& others, double tolerance,
                                              double minSize) {
  const bool rightMoved = std::abs(newRect.maxX() - oldRect.maxX()) > 1;
  const bool leftMoved = std::abs(newRect.x - oldRect.x) > 1;
  const bool bottomMoved = std::abs(newRect.maxY() - oldRect.maxY()) > 1;
  const bool topMoved = std::abs(newRect.y - oldRect.y) > 1;
  auto touching = [&](double d) { return -2 <= d && d <= tolerance; };

  std::map<int, TRect> result;
  for (std::size_t i = 0; i < others.size(); ++i) {
    const TRect& o = others[i];
    TRect r = o;
    bool applied = false;
    const double vo = std::min(o.maxY(), oldRect.maxY()) - std::max(o.y, oldRect.y);
    const double ho = std::min(o.maxX(), oldRect.maxX()) - std::max(o.x, oldRect.x);

    if (rightMoved && vo > 10) {
      const double d = o.x - oldRect.maxX();
      if (touching(d)) {
        const double x = newRect.maxX() + d;  // the gap between the two stays
        const double width = r.maxX() - x;
        if (width >= minSize) {
          r.x = x;
          r.width = width;
          applied = true;
        }
      }
    }
    if (leftMoved && vo > 10) {
      const double d = oldRect.x - o.maxX();
      if (touching(d)) {
        const double width = newRect.x - d - r.x;
        if (width >= minSize) {
          r.width = width;
          applied = true;
        }
      }
    }
    if (bottomMoved && ho > 10) {
      const double d = o.y - oldRect.maxY();
      if (touching(d)) {
        const double y = newRect.maxY() + d;
        const double height = r.maxY() - y;
        if (height >= minSize) {
          r.y = y;
          r.height = height;
          applied = true;
        }
      }
    }
    if (topMoved && ho > 10) {
      const double d = oldRect.y - o.maxY();
      if (touching(d)) {
        const double height = newRect.y - d - r.y;
        if (height >= minSize) {
          r.height = height;
          applied = true;
        }
      }
    }
    if (applied) result[static_cast<int>(i)] = r;
  }
  return result;
}

std::vector<int> EmptyZones::indices(const std::vector<TRect>& zones,
                                     const std::vector<TRect>& occupiedBy, double threshold) {
  std::vector<int> empty;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    const TRect& zone = zones[i];
    const double zoneArea = zone.area();
    bool occupied = false;
    if (zoneArea > 0) {
      for (const TRect& window : occupiedBy) {
        const double windowArea = window.area();
        // A window without area covers nothing, just as a zone without area is never covered.
        if (windowArea <= 0) continue;
        if (zone.intersectionArea(window) >= threshold * std::min(zoneArea, windowArea)) {
          occupied = true;
          break;
        }
      }
    }
    if (!occupied) empty.push_back(static_cast<int>(i));
  }
  return empty;
}

}  // namespace tavorin
