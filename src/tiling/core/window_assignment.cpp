#include "tiling/core/window_assignment.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavorin {

namespace {

struct Pair {
  int w;
  int z;
  double overlap;
  double dist;
};

// Frames from the desktop could in principle hold NaN; the ranking must stay a strict order
// whatever they hold, so a NaN overlap ranks last and a NaN distance counts as infinitely far.
double rankable(double value, double ifNaN) {
  return std::isnan(value) ? ifNaN : value;
}

}  // namespace

std::vector<int> WindowAssignment::assign(const std::vector<TRect>& windows,
                                          const std::vector<TRect>& zones) {
  if (zones.empty()) return {};
  constexpr double infinity = std::numeric_limits<double>::infinity();
  std::vector<Pair> pairs;
  pairs.reserve(windows.size() * zones.size());
  for (std::size_t w = 0; w < windows.size(); ++w) {
    const TPoint center = windows[w].center();
    for (std::size_t z = 0; z < zones.size(); ++z) {
      pairs.push_back({static_cast<int>(w), static_cast<int>(z),
                       rankable(windows[w].intersectionArea(zones[z]), -infinity),
                       rankable(center.distance(zones[z].center()), infinity)});
    }
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
    if (a.overlap != b.overlap) return a.overlap > b.overlap;
    if (a.dist != b.dist) return a.dist < b.dist;
    if (a.w != b.w) return a.w < b.w;
    return a.z < b.z;
  });

  std::vector<int> result(windows.size(), -1);
  std::vector<bool> taken(zones.size(), false);
  std::size_t free = zones.size();
  for (const Pair& pair : pairs) {
    if (free == 0) break;
    if (result[static_cast<std::size_t>(pair.w)] != -1 || taken[static_cast<std::size_t>(pair.z)])
      continue;
    result[static_cast<std::size_t>(pair.w)] = pair.z;
    taken[static_cast<std::size_t>(pair.z)] = true;
    --free;
  }
  // Windows left over join their best-ranked zone, shared with the window already there.
  for (const Pair& pair : pairs) {
    auto& zone = result[static_cast<std::size_t>(pair.w)];
    if (zone == -1) zone = pair.z;
  }
  return result;
}

std::optional<int> WindowAssignment::bestZone(const TRect& rect, const std::vector<TRect>& zones) {
  if (zones.empty()) return std::nullopt;
  const TPoint center = rect.center();
  int best = 0;
  double bestOverlap = rect.intersectionArea(zones[0]);
  double bestDistance = center.distance(zones[0].center());
  for (std::size_t i = 1; i < zones.size(); ++i) {
    const double overlap = rect.intersectionArea(zones[i]);
    const double distance = center.distance(zones[i].center());
    if (overlap > bestOverlap || (overlap == bestOverlap && distance < bestDistance)) {
      best = static_cast<int>(i);
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace tavorin
