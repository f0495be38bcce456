#include "tiling/core/layout_node.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tiling/core/json_support.hpp"

namespace tavorin {

double LayoutDivider::distance(const TPoint& p) const {
  if (axis == SplitAxis::horizontal) {
    if (parentRect.x <= p.x && p.x <= parentRect.maxX()) return std::abs(p.y - position);
    return std::numeric_limits<double>::infinity();
  }
  if (parentRect.y <= p.y && p.y <= parentRect.maxY()) return std::abs(p.x - position);
  return std::numeric_limits<double>::infinity();
}

double LayoutDivider::ratio(const TPoint& p) const {
  if (axis == SplitAxis::horizontal) {
    return parentRect.height > 0 ? (p.y - parentRect.y) / parentRect.height : 0.5;
  }
  return parentRect.width > 0 ? (p.x - parentRect.x) / parentRect.width : 0.5;
}

LayoutNode LayoutNode::split(SplitAxis axis, double ratio, LayoutNode first, LayoutNode second) {
  LayoutNode node;
  node.axis = axis;
  node.ratio = ratio;
  node.children.reserve(2);
  node.children.push_back(std::move(first));
  node.children.push_back(std::move(second));
  return node;
}

std::pair<TRect, TRect> LayoutNode::childRects(const TRect& r, SplitAxis axis, double ratio) {
  // The second extent is extent − extent·ratio (not extent·(1 − ratio)) on every route, so
  // rectangles derived in different ways stay bit-identical.
  if (axis == SplitAxis::vertical) {
    const double first = r.width * ratio;
    return {{r.x, r.y, first, r.height}, {r.x + first, r.y, r.width - first, r.height}};
  }
  const double first = r.height * ratio;
  return {{r.x, r.y, r.width, first}, {r.x, r.y + first, r.width, r.height - first}};
}

namespace {

void collectLeaves(const LayoutNode& node, const TRect& rect, LayoutPath& path,
                   std::vector<LayoutNode::Leaf>& out) {
  if (node.isLeaf()) {
    out.push_back({path, rect});
    return;
  }
  const auto [first, second] = LayoutNode::childRects(rect, *node.axis, node.ratio);
  path.push_back(0);
  collectLeaves(node.children[0], first, path, out);
  path.back() = 1;
  collectLeaves(node.children[1], second, path, out);
  path.pop_back();
}

void collectDividers(const LayoutNode& node, const TRect& rect, LayoutPath& path,
                     std::vector<LayoutDivider>& out) {
  if (node.isLeaf()) return;
  const SplitAxis axis = *node.axis;
  const double position = axis == SplitAxis::horizontal ? rect.y + rect.height * node.ratio
                                                        : rect.x + rect.width * node.ratio;
  out.push_back({path, axis, rect, position});
  const auto [first, second] = LayoutNode::childRects(rect, axis, node.ratio);
  path.push_back(0);
  collectDividers(node.children[0], first, path, out);
  path.back() = 1;
  collectDividers(node.children[1], second, path, out);
  path.pop_back();
}

bool isChildIndex(int index) {
  return index == 0 || index == 1;
}

}  // namespace

std::vector<LayoutNode::Leaf> LayoutNode::leaves(const TRect& rect) const {
  std::vector<Leaf> out;
  LayoutPath path;
  collectLeaves(*this, rect, path, out);
  return out;
}

std::vector<TRect> LayoutNode::zoneRects(const TRect& rect) const {
  std::vector<TRect> out;
  for (auto& leaf : leaves(rect))
    out.push_back(leaf.rect);
  return out;
}

std::vector<TRect> LayoutNode::frames(const TRect& area, double gap) const {
  const double g = std::max(gap, 0.0);
  const double half = g * 0.5;
  const double full = half + half;
  const TRect inner{area.x + half, area.y + half, std::max(area.width - full, 0.0),
                    std::max(area.height - full, 0.0)};
  std::vector<TRect> out = zoneRects(inner);
  for (auto& z : out) {
    z = {z.x + half, z.y + half, std::max(z.width - full, 0.0), std::max(z.height - full, 0.0)};
  }
  return out;
}

int LayoutNode::zoneCount() const {
  if (isLeaf()) return 1;
  return children[0].zoneCount() + children[1].zoneCount();
}

int LayoutNode::depth() const {
  if (isLeaf()) return 1;
  return 1 + std::max(children[0].depth(), children[1].depth());
}

std::optional<LayoutPath> LayoutNode::leafPath(const TPoint& point, const TRect& rect) const {
  for (auto& leaf : leaves(rect)) {
    if (leaf.rect.contains(point)) return std::move(leaf.path);
  }
  return std::nullopt;
}

std::optional<TRect> LayoutNode::rect(const LayoutPath& path, const TRect& rect) const {
  const LayoutNode* current = this;
  TRect r = rect;
  for (int index : path) {
    if (current->isLeaf() || !isChildIndex(index)) return std::nullopt;
    const auto [first, second] = childRects(r, *current->axis, current->ratio);
    r = index == 0 ? first : second;
    current = &current->children[static_cast<std::size_t>(index)];
  }
  return r;
}

std::vector<LayoutDivider> LayoutNode::dividers(const TRect& rect) const {
  std::vector<LayoutDivider> out;
  LayoutPath path;
  collectDividers(*this, rect, path, out);
  return out;
}

const LayoutNode* LayoutNode::node(const LayoutPath& path) const {
  const LayoutNode* current = this;
  for (int index : path) {
    if (current->isLeaf() || !isChildIndex(index)) return nullptr;
    current = &current->children[static_cast<std::size_t>(index)];
  }
  return current;
}

namespace {

LayoutNode replacingFrom(const LayoutNode& node, const LayoutPath& path, std::size_t from,
                         const LayoutNode& with) {
  if (from == path.size()) return with;
  const int index = path[from];
  if (node.isLeaf() || !isChildIndex(index)) return node;
  LayoutNode copy = node;
  auto& child = copy.children[static_cast<std::size_t>(index)];
  child = replacingFrom(child, path, from + 1, with);
  return copy;
}

}  // namespace

LayoutNode LayoutNode::replacing(const LayoutPath& path, const LayoutNode& with) const {
  return replacingFrom(*this, path, 0, with);
}

std::optional<LayoutNode> LayoutNode::splitting(const LayoutPath& leafPath, SplitAxis axis,
                                                double ratio, const TRect& rect,
                                                double minSize) const {
  const LayoutNode* target = node(leafPath);
  if (target == nullptr || !target->isLeaf()) return std::nullopt;
  const auto zone = this->rect(leafPath, rect);
  if (!zone) return std::nullopt;
  const double extent = axis == SplitAxis::vertical ? zone->width : zone->height;
  const bool fits = extent > 0 && minSize <= ratio * extent && minSize <= extent - ratio * extent &&
                    0 < ratio && ratio < 1;
  if (!fits) return std::nullopt;
  return replacing(leafPath, split(axis, ratio, leaf(), leaf()));
}

LayoutNode LayoutNode::merging(const LayoutPath& leafPath) const {
  if (leafPath.empty()) return *this;
  const LayoutNode* target = node(leafPath);
  if (target == nullptr || !target->isLeaf()) return *this;
  const LayoutPath parentPath(leafPath.begin(), leafPath.end() - 1);
  const LayoutNode* parent = node(parentPath);
  if (parent == nullptr || parent->isLeaf()) return *this;
  const int sibling = 1 - leafPath.back();
  // Copy the sibling before `replacing` builds the new tree out of this one.
  const LayoutNode survivor = parent->children[static_cast<std::size_t>(sibling)];
  return replacing(parentPath, survivor);
}

LayoutNode LayoutNode::settingRatio(double ratio, const LayoutPath& path, const TRect& parentRect,
                                    double minSize) const {
  const LayoutNode* target = node(path);
  if (target == nullptr || target->isLeaf()) return *this;
  const SplitAxis axis = *target->axis;
  const double extent = axis == SplitAxis::horizontal ? parentRect.height : parentRect.width;
  double lower = 0.02;
  double upper = 0.98;
  LayoutNode changed = *target;
  if (extent > 0 && minSize > 0) {
    lower = std::max(target->children[0].minExtent(axis, minSize) / extent, 0.02);
    upper = std::min(1 - target->children[1].minExtent(axis, minSize) / extent, 0.98);
    if (lower > upper) {
      // Both sides cannot keep the minimum: share the space evenly.
      changed.ratio = 0.5;
      return replacing(path, changed);
    }
  }
  double clamped = ratio >= lower ? ratio : lower;  // a NaN request lands on the lower bound
  clamped = std::min(clamped, upper);
  changed.ratio = clamped;
  return replacing(path, changed);
}

double LayoutNode::minExtent(SplitAxis along, double minSize) const {
  if (isLeaf()) return minSize;
  const double first = children[0].minExtent(along, minSize);
  const double second = children[1].minExtent(along, minSize);
  return *axis == along ? first + second : std::max(first, second);
}

const char* toString(SplitAxis axis) {
  return axis == SplitAxis::vertical ? "vertical" : "horizontal";
}

std::optional<SplitAxis> splitAxisFromString(std::string_view text) {
  if (text == "vertical") return SplitAxis::vertical;
  if (text == "horizontal") return SplitAxis::horizontal;
  return std::nullopt;
}

namespace {

nlohmann::json encodeNode(const LayoutNode& node) {
  nlohmann::json json = nlohmann::json::object();
  if (node.axis) json["axis"] = toString(*node.axis);
  json["ratio"] = node.ratio;
  nlohmann::json children = nlohmann::json::array();
  for (const auto& child : node.children)
    children.push_back(encodeNode(child));
  json["children"] = std::move(children);
  return json;
}

bool savable(const LayoutNode& node, int depth) {
  if (depth > LayoutNode::maxDepth || !std::isfinite(node.ratio)) return false;
  for (const auto& child : node.children) {
    if (!savable(child, depth + 1)) return false;
  }
  return true;
}

LayoutNode decodeNode(const nlohmann::json& json, int depth) {
  using namespace json_support;
  if (depth > LayoutNode::maxDepth) fail("a layout tree is nested too deeply");
  LayoutNode node;
  if (const auto* axis = optional(json, "axis")) {
    node.axis = splitAxisFromString(string(*axis));
    if (!node.axis) fail("unknown split axis");
  }
  node.ratio = number(required(json, "ratio"));
  const auto& children = array(required(json, "children"));
  node.children.reserve(children.size());
  for (const auto& child : children)
    node.children.push_back(decodeNode(child, depth + 1));
  return node;
}

}  // namespace

bool LayoutNode::canBeSaved() const {
  return savable(*this, 1);
}

void to_json(nlohmann::json& json, const LayoutNode& node) {
  json = encodeNode(node);
}

void from_json(const nlohmann::json& json, LayoutNode& node) {
  node = decodeNode(json, 1);
}

}  // namespace tavorin
