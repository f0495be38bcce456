#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/geometry.hpp"

namespace tavorin {

// Vector drawing for overlay panels (shape layers, paths and text of the original platform),
// as a display list: controllers describe what to draw, the backend paints it, and tests read
// it back. Coordinates are the panel's own, in points, origin top-left, y growing downward.

struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  Color withAlpha(double a) const { return {red, green, blue, a}; }
  bool operator==(const Color&) const = default;

  static Color black() { return {0, 0, 0, 1}; }
  static Color white() { return {1, 1, 1, 1}; }
};

// A path made of subpaths (`CGPath`).
class Path {
 public:
  enum class ElementType { moveTo, lineTo, close, rectangle, roundedRectangle, ellipse };
  struct Element {
    ElementType type;
    Point point;        // moveTo, lineTo
    Rect rect;          // rectangle, roundedRectangle, ellipse (the bounding box)
    double radius = 0;  // roundedRectangle
    bool operator==(const Element&) const = default;
  };

  Path& moveTo(Point p) { return add({ElementType::moveTo, p, {}, 0}); }
  Path& lineTo(Point p) { return add({ElementType::lineTo, p, {}, 0}); }
  Path& close() { return add({ElementType::close, {}, {}, 0}); }
  Path& addRect(Rect r) { return add({ElementType::rectangle, {}, r, 0}); }
  Path& addRoundedRect(Rect r, double radius) {
    return add({ElementType::roundedRectangle, {}, r, radius});
  }
  Path& addEllipse(Rect boundingBox) { return add({ElementType::ellipse, {}, boundingBox, 0}); }
  Path& addCircle(Point centre, double radius) {
    return addEllipse({centre.x - radius, centre.y - radius, 2 * radius, 2 * radius});
  }

  const std::vector<Element>& elements() const { return elements_; }
  bool empty() const { return elements_.empty(); }
  bool operator==(const Path&) const = default;

 private:
  Path& add(Element element) {
    elements_.push_back(element);
    return *this;
  }
  std::vector<Element> elements_;
};

enum class FillRule { nonZero, evenOdd };

struct FillPath {
  Path path;
  Color color;
  FillRule rule = FillRule::nonZero;
  bool operator==(const FillPath&) const = default;
};

struct StrokePath {
  Path path;
  Color color;
  double lineWidth = 1;
  // Lengths of dashes and gaps, alternating; empty for a solid line.
  std::vector<double> dash;
  bool operator==(const StrokePath&) const = default;
};

enum class FontWeight { regular, medium, semibold, bold };
enum class TextAlignment { leading, center, trailing };

struct TextShadow {
  Color color;
  Size offset;
  double blurRadius = 0;
  bool operator==(const TextShadow&) const = default;
};

// One line of text laid out in `box` (vertically centred, elided in the middle when too long).
struct DrawText {
  std::string text;
  Rect box;
  double fontSize = 13;
  FontWeight weight = FontWeight::regular;
  Color color;
  TextAlignment alignment = TextAlignment::center;
  std::optional<TextShadow> shadow;
  bool operator==(const DrawText&) const = default;
};

using DrawOperation = std::variant<FillPath, StrokePath, DrawText>;

// Everything a panel shows, painted in order.
struct Drawing {
  std::vector<DrawOperation> operations;

  Drawing& fill(Path path, Color color, FillRule rule = FillRule::nonZero) {
    operations.emplace_back(FillPath{std::move(path), color, rule});
    return *this;
  }
  Drawing& stroke(Path path, Color color, double lineWidth, std::vector<double> dash = {}) {
    operations.emplace_back(StrokePath{std::move(path), color, lineWidth, std::move(dash)});
    return *this;
  }
  Drawing& text(DrawText text) {
    operations.emplace_back(std::move(text));
    return *this;
  }
  bool operator==(const Drawing&) const = default;
};

}  // namespace tavorin
