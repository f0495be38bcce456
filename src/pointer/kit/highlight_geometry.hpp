#pragma once

#include <optional>

#include "platform/geometry.hpp"
#include "pointer/core/pointer_options.hpp"

namespace tavorin::highlight {

// The shapes and opacities of the pointer highlight as pure functions of the animation's
// progress p (elapsed time divided by the duration, 0…1) and the highlight size S in points.

// The side of the square ring panel: 2·S + 16.
double ringPanelSide(double size);
// Where the ring panel's bottom-left corner goes so that the panel is centred on the pointer,
// each coordinate rounded to a whole point (halves away from zero).
Point ringPanelOrigin(Point pointer, double side);

// Ease-in-out: 2g² for g < 0.5, else 1 − (2 − 2g)²/2.
double easeInOut(double g);
// Radius of a shrinking ring at its own progress g: from S down to 6.
double shrinkRadius(double size, double g);
// Radius of a spreading ring at its own progress g: from 6 out to S, fast at first.
double sonarRadius(double size, double g);
// The opacity of the one ring shown when the user asked for less motion: in over the first
// 20 %, out over the last 40 %.
double reduceMotionEnvelope(double p);

struct RingFrame {
  double opacity = 0;
  // Absent while the ring is outside its part of the animation (and invisible); otherwise the
  // circle's radius, at least half a point.
  std::optional<double> radius;
  bool operator==(const RingFrame&) const = default;
};
// Ring `ring` (0 or 1) at progress p. Ring 0 runs over the first three quarters, ring 1 starts a
// quarter later; with `reduceMotion` only ring 0 shows, at 0.6·S. Any style other than sonar
// shrinks.
RingFrame ringFrame(HighlightStyle style, double size, double p, int ring, bool reduceMotion);

// The spotlight's zoom, 0…1, complete after 40 % (always 1 with `reduceMotion`).
double spotlightZoom(double p, bool reduceMotion);
// The spotlight's opacity: in over the first 12 %, out over the last 30 %.
double spotlightOpacity(double p);
// The hole's radius: from 3·S at zoom 0 to S at zoom 1, at least half a point.
double spotlightHoleRadius(double size, double zoom);

// A point of screen space (bottom-left origin, y up) in the drawing coordinates of a panel with
// `frame` (the panel's top-left corner as origin, y down).
Point panelPoint(Point global, const Rect& frame);

}  // namespace tavorin::highlight
