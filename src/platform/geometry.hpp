#pragma once

namespace tavorin {

// Plain geometry of the desktop services (CGPoint, CGSize, CGRect). Which space a value is in
// (top-left y-down for windows, bottom-left y-up for screens and the pointer) is stated by the
// service that hands it out.
struct Point {
  double x = 0;
  double y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  double width = 0;
  double height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double minX() const { return x; }
  double minY() const { return y; }
  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  Point origin() const { return {x, y}; }
  Size size() const { return {width, height}; }
  bool contains(Point p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }
  bool operator==(const Rect&) const = default;
};

}  // namespace tavorin
