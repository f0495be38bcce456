#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <utility>
#include <vector>

#include "tiling/core/geometry.hpp"

namespace tavorin {

// The direction of a split. `vertical`: the dividing line is vertical, the children lie side by
// side (child 0 left, the ratio is the share of the width). `horizontal`: the children are
// stacked (child 0 on top, the ratio is the share of the height).
enum class SplitAxis { vertical, horizontal };

// A node's address: the child indexes taken from the root; the root's path is empty.
using LayoutPath = std::vector<int>;

// The line between the two children of one split node.
struct LayoutDivider {
  LayoutPath path;  // the split node that owns the divider
  SplitAxis axis = SplitAxis::vertical;
  TRect parentRect;  // the split node's rectangle, without gap
  double position = 0;

  // Distance from `p` to the line; infinite when `p` lies beyond the line's ends.
  double distance(const TPoint& p) const;
  // The (unclamped) ratio that would put the line under `p`.
  double ratio(const TPoint& p) const;

  bool operator==(const LayoutDivider&) const = default;
};

// One node of a layout tree. The tree holds only split directions and ratios, never sizes, so
// one layout fits any area. A node is a split only when it has an axis and exactly two
// children; every other node is a leaf (one zone) and its children are ignored.
struct LayoutNode {
  struct Leaf {
    LayoutPath path;
    TRect rect;
    bool operator==(const Leaf&) const = default;
  };

  std::optional<SplitAxis> axis;
  double ratio = 0.5;
  std::vector<LayoutNode> children;

  // Nesting deeper than this is refused by the decoder (and such a tree is not saved, since it
  // could not be read back). The editor cannot come anywhere near it.
  static constexpr int maxDepth = 1000;

  static LayoutNode leaf() { return {}; }
  static LayoutNode split(SplitAxis axis, double ratio, LayoutNode first, LayoutNode second);

  bool isLeaf() const { return !axis || children.size() != 2; }

  static std::pair<TRect, TRect> childRects(const TRect& rect, SplitAxis axis, double ratio);

  // Leaves in zone order (depth first, child 0 before child 1) with their rectangles.
  std::vector<Leaf> leaves(const TRect& rect) const;
  std::vector<TRect> zoneRects(const TRect& rect) const;
  // Zone rectangles with `gap` points at the area's edges and between neighbouring zones.
  std::vector<TRect> frames(const TRect& area, double gap) const;
  int zoneCount() const;
  // Number of levels: 1 for a leaf.
  int depth() const;
  // Every ratio is finite and the nesting within `maxDepth`: the JSON form reads back.
  bool canBeSaved() const;

  std::optional<LayoutPath> leafPath(const TPoint& point, const TRect& rect) const;
  std::optional<TRect> rect(const LayoutPath& path, const TRect& rect) const;
  std::vector<LayoutDivider> dividers(const TRect& rect) const;
  const LayoutNode* node(const LayoutPath& path) const;

  // The editor's edits: each returns a new tree and leaves this one alone.
  LayoutNode replacing(const LayoutPath& path, const LayoutNode& with) const;
  // Nothing when the split is refused (not a leaf, too small, ratio not strictly inside 0..1).
  std::optional<LayoutNode> splitting(const LayoutPath& leafPath, SplitAxis axis, double ratio,
                                      const TRect& rect, double minSize) const;
  // The sibling takes the deleted zone's place; unchanged when refused.
  LayoutNode merging(const LayoutPath& leafPath) const;
  // Moves the divider of the split at `path`, keeping both sides at least `minSize`.
  LayoutNode settingRatio(double ratio, const LayoutPath& path, const TRect& parentRect,
                          double minSize) const;
  double minExtent(SplitAxis along, double minSize) const;

  bool operator==(const LayoutNode&) const = default;
};

const char* toString(SplitAxis axis);
std::optional<SplitAxis> splitAxisFromString(std::string_view text);

// JSON form: {"axis": "vertical"|"horizontal" (only for a split), "ratio": n, "children": [...]}.
// Decoding throws on a missing "ratio" or "children", an unknown axis or nesting deeper than
// `LayoutNode::maxDepth`.
void to_json(nlohmann::json& json, const LayoutNode& node);
void from_json(const nlohmann::json& json, LayoutNode& node);

}  // namespace tavorin
