#include "pointer/kit/highlight_geometry.hpp"

#include <algorithm>
#include <cmath>

namespace tavorin::highlight {

double ringPanelSide(double size) {
  return 2 * size + 16;
}

Point ringPanelOrigin(Point pointer, double side) {
  return {std::round(pointer.x - side / 2), std::round(pointer.y - side / 2)};
}

double easeInOut(double g) {
  if (g < 0.5) return 2 * g * g;
  const double rest = 2 - 2 * g;
  return 1 - rest * rest / 2;
}

double shrinkRadius(double size, double g) {
  return size - (size - 6) * easeInOut(g);
}

double sonarRadius(double size, double g) {
  const double rest = 1 - g;
  return (size - 6) * (1 - rest * rest * rest) + 6;
}

double reduceMotionEnvelope(double p) {
  if (p <= 0 || p >= 1) return 0;
  if (p < 0.2) return p / 0.2;
  if (p <= 0.6) return 1;
  return (1 - p) / 0.4;
}

namespace {

double shrinkOpacity(double g) {
  if (g < 0.15) return g / 0.15;
  if (g <= 0.75) return 1;
  return (1 - g) * 4;
}

double sonarOpacity(double g) {
  if (g < 0.05) return g / 0.05;
  // The end of the plateau is the double nearest to 1 − 0.7, not 0.3.
  if (g <= 1 - 0.7) return 1;
  return (1 - g) / 0.7;
}

}  // namespace

RingFrame ringFrame(HighlightStyle style, double size, double p, int ring, bool reduceMotion) {
  if (reduceMotion) {
    if (ring != 0) return {};
    return {reduceMotionEnvelope(p), std::max(0.6 * size, 0.5)};
  }
  const double g = (p - 0.25 * ring) / 0.75;
  // Written so that a progress that is not a number shows nothing.
  if (!(g > 0 && g < 1)) return {};
  if (style == HighlightStyle::sonar) {
    return {sonarOpacity(g), std::max(sonarRadius(size, g), 0.5)};
  }
  return {shrinkOpacity(g), std::max(shrinkRadius(size, g), 0.5)};
}

double spotlightZoom(double p, bool reduceMotion) {
  if (reduceMotion) return 1;
  const double rest = 1 - std::min(p / 0.4, 1.0);
  return 1 - rest * rest * rest;
}

double spotlightOpacity(double p) {
  if (p <= 0 || p >= 1) return 0;
  if (p < 0.12) return p / 0.12;
  if (p <= 0.7) return 1;
  return (1 - p) / 0.3;
}

double spotlightHoleRadius(double size, double zoom) {
  return std::max(3 * size - 2 * size * zoom, 0.5);
}

Point panelPoint(Point global, const Rect& frame) {
  return {global.x - frame.x, frame.maxY() - global.y};
}

}  // namespace tavorin::highlight
