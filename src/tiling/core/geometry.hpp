#pragma once

#include <cstddef>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "platform/geometry.hpp"

namespace tavorin {

// A point of the window layout space: global, origin at the top-left, y growing downward.
struct TPoint {
  double x = 0;
  double y = 0;

  double distance(const TPoint& other) const;

  static constexpr TPoint from(const Point& p) { return {p.x, p.y}; }
  constexpr Point toPoint() const { return {x, y}; }

  bool operator==(const TPoint&) const = default;
};

// A rectangle of the window layout space ("left" is smaller x, "top" is smaller y).
struct TRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  static constexpr TRect zero() { return {}; }
  static constexpr TRect from(const Rect& r) { return {r.x, r.y, r.width, r.height}; }
  constexpr Rect toRect() const { return {x, y, width, height}; }

  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  double midX() const { return x + width * 0.5; }
  double midY() const { return y + height * 0.5; }
  TPoint center() const { return {midX(), midY()}; }
  double area() const;

  // Shrunk by `d` on every side; width and height never go below 0.
  TRect insetBy(double d) const;
  // Half-open: the left and top edges are inside, the right and bottom edges outside.
  bool contains(const TPoint& p) const;
  // The area both rectangles cover, 0 when they only touch or lie apart.
  double intersectionArea(const TRect& other) const;
  // The smallest rectangle covering both.
  TRect unionWith(const TRect& other) const;

  // "(0.0, 25.0, 800.0×600.0)", for logs.
  std::string description() const;

  bool operator==(const TRect&) const = default;
};

// The shortest decimal text that reads back as the same double, with at least one decimal
// ("800.0", "0.3333333333333333").
std::string shortestDecimal(double value);

void to_json(nlohmann::json& json, const TPoint& point);
void from_json(const nlohmann::json& json, TPoint& point);
void to_json(nlohmann::json& json, const TRect& rect);
void from_json(const nlohmann::json& json, TRect& rect);

}  // namespace tavorin

template <>
struct std::hash<tavorin::TPoint> {
  std::size_t operator()(const tavorin::TPoint& p) const noexcept;
};

template <>
struct std::hash<tavorin::TRect> {
  std::size_t operator()(const tavorin::TRect& r) const noexcept;
};
