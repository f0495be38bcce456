#include "tiling/core/geometry.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "tiling/core/json_support.hpp"

namespace tavorin {

double TPoint::distance(const TPoint& other) const {
  const double dx = other.x - x;
  const double dy = other.y - y;
  return std::sqrt(dx * dx + dy * dy);
}

double TRect::area() const {
  return std::max(width, 0.0) * std::max(height, 0.0);
}

TRect TRect::insetBy(double d) const {
  return {x + d, y + d, std::max(width - 2 * d, 0.0), std::max(height - 2 * d, 0.0)};
}

bool TRect::contains(const TPoint& p) const {
  return x <= p.x && p.x < x + width && y <= p.y && p.y < y + height;
}

double TRect::intersectionArea(const TRect& other) const {
  const double w = std::min(maxX(), other.maxX()) - std::max(x, other.x);
  const double h = std::min(maxY(), other.maxY()) - std::max(y, other.y);
  if (!(w > 0 && h > 0)) return 0;
  return w * h;
}

TRect TRect::unionWith(const TRect& other) const {
  const double minX = std::min(x, other.x);
  const double minY = std::min(y, other.y);
  return {minX, minY, std::max(maxX(), other.maxX()) - minX, std::max(maxY(), other.maxY()) - minY};
}

std::string shortestDecimal(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string TRect::description() const {
  // Appended piece by piece: chained operator+ trips a false -Wrestrict in GCC 12 at -O3.
  std::string text = "(";
  text.append(shortestDecimal(x)).append(", ");
  text.append(shortestDecimal(y)).append(", ");
  text.append(shortestDecimal(width)).append("\u00D7");
  text.append(shortestDecimal(height)).append(")");
  return text;
}

void to_json(nlohmann::json& json, const TPoint& point) {
  json = nlohmann::json::object();
  json["x"] = point.x;
  json["y"] = point.y;
}

void from_json(const nlohmann::json& json, TPoint& point) {
  using namespace json_support;
  point = {number(required(json, "x")), number(required(json, "y"))};
}

void to_json(nlohmann::json& json, const TRect& rect) {
  json = nlohmann::json::object();
  json["x"] = rect.x;
  json["y"] = rect.y;
  json["width"] = rect.width;
  json["height"] = rect.height;
}

void from_json(const nlohmann::json& json, TRect& rect) {
  using namespace json_support;
  rect = {number(required(json, "x")), number(required(json, "y")), number(required(json, "width")),
          number(required(json, "height"))};
}

namespace {

std::size_t combine(std::size_t seed, double value) {
  // +0.0 and -0.0 are equal, so they must hash alike.
  const std::size_t h = std::hash<double>{}(value == 0 ? 0.0 : value);
  return seed ^ (h + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace

}  // namespace tavorin

std::size_t std::hash<tavorin::TPoint>::operator()(const tavorin::TPoint& p) const noexcept {
  return tavorin::combine(tavorin::combine(0, p.x), p.y);
}

std::size_t std::hash<tavorin::TRect>::operator()(const tavorin::TRect& r) const noexcept {
  using tavorin::combine;
  return combine(combine(combine(combine(0, r.x), r.y), r.width), r.height);
}
