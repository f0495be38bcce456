#pragma once

#include <variant>
#include <vector>

#include "platform/drawing.hpp"

namespace tavorin::testing {

struct Circle {
  Point centre;
  double radius = 0;
};

// The circles of a path, in order.
inline std::vector<Circle> circles(const Path& path) {
  std::vector<Circle> found;
  for (const Path::Element& element : path.elements()) {
    if (element.type != Path::ElementType::ellipse) continue;
    found.push_back(
        {{element.rect.x + element.rect.width / 2, element.rect.y + element.rect.height / 2},
         element.rect.width / 2});
  }
  return found;
}

template <typename Operation>
std::vector<Operation> operationsOf(const Drawing& drawing) {
  std::vector<Operation> found;
  for (const DrawOperation& operation : drawing.operations) {
    if (const auto* match = std::get_if<Operation>(&operation)) found.push_back(*match);
  }
  return found;
}

}  // namespace tavorin::testing
