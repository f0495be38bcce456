#include "tiling/core/layout_node.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

namespace tavorin {
namespace {

using enum SplitAxis;
const LayoutNode leaf = LayoutNode::leaf();
const TRect screen{0, 0, 1000, 800};

LayoutNode twoColumns() {
  return LayoutNode::split(vertical, 0.5, leaf, leaf);
}

struct FramesCase {
  const char* name;
  LayoutNode root;
  TRect area;
  double gap;
  std::vector<TRect> expected;
};

TEST(LayoutNodeTest, FramesKeepTheGapAtEdgesAndBetweenZones) {
  const LayoutNode mainAndStack =
      LayoutNode::split(vertical, 0.6, leaf, LayoutNode::split(horizontal, 0.5, leaf, leaf));
  const std::vector<FramesCase> cases = {
      {"single leaf", leaf, screen, 8, {{8, 8, 984, 784}}},
      {"two columns", twoColumns(), screen, 8, {{8, 8, 488, 784}, {504, 8, 488, 784}}},
      {"negative gap is no gap", twoColumns(), screen, -5, {{0, 0, 500, 800}, {500, 0, 500, 800}}},
      {"gap wider than the area",
       twoColumns(),
       screen,
       2000,
       {{2000, 2000, 0, 0}, {2000, 2000, 0, 0}}},
      {"nested, offset area",
       mainAndStack,
       {100, 50, 1000, 800},
       10,
       {{110, 60, 584, 780}, {704, 60, 386, 385}, {704, 455, 386, 385}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.root.frames(c.area, c.gap), c.expected) << c.name;
  }
}

TEST(LayoutNodeTest, MalformedSplitsCountAsOneZone) {
  LayoutNode oneChild{vertical, 0.5, {leaf}};
  LayoutNode threeChildren{horizontal, 0.5, {leaf, leaf, leaf}};
  LayoutNode noAxis{std::nullopt, 0.5, {leaf, leaf}};
  for (const auto& node : {oneChild, threeChildren, noAxis}) {
    EXPECT_TRUE(node.isLeaf());
    EXPECT_EQ(node.zoneCount(), 1);
    EXPECT_EQ(node.zoneRects(screen), std::vector<TRect>{screen});
    EXPECT_TRUE(node.dividers(screen).empty());
  }
}

TEST(LayoutNodeTest, LeafOrderIsDepthFirstAndDefinesZoneNumbers) {
  const auto quad = LayoutNode::split(horizontal, 0.5, twoColumns(), twoColumns());
  const auto leaves = quad.leaves(screen);
  ASSERT_EQ(leaves.size(), 4u);
  EXPECT_EQ(quad.zoneCount(), 4);
  EXPECT_EQ(leaves[0], (LayoutNode::Leaf{{0, 0}, {0, 0, 500, 400}}));
  EXPECT_EQ(leaves[1], (LayoutNode::Leaf{{0, 1}, {500, 0, 500, 400}}));
  EXPECT_EQ(leaves[2], (LayoutNode::Leaf{{1, 0}, {0, 400, 500, 400}}));
  EXPECT_EQ(leaves[3], (LayoutNode::Leaf{{1, 1}, {500, 400, 500, 400}}));
}

TEST(LayoutNodeTest, SecondChildExtentIsExtentMinusFirst) {
  // w − w·r and w·(1 − r) differ in the last bit for this ratio.
  const double w = 1000, r = 0.7;
  ASSERT_NE(w - w * r, w * (1 - r));
  const auto [first, second] = LayoutNode::childRects({0, 0, w, 10}, vertical, r);
  EXPECT_EQ(second.width, w - w * r);
  EXPECT_EQ(second.x, first.width);
}

TEST(LayoutNodeTest, HitTestAndPathLookup) {
  const auto columns = twoColumns();
  EXPECT_EQ(columns.leafPath({500, 400}, screen), LayoutPath{1});
  EXPECT_EQ(columns.leafPath({499.9, 400}, screen), LayoutPath{0});
  EXPECT_EQ(columns.leafPath({1000, 400}, screen), std::nullopt);
  EXPECT_EQ(columns.leafPath({-1, 400}, screen), std::nullopt);

  EXPECT_EQ(columns.rect({1}, screen), (TRect{500, 0, 500, 800}));
  EXPECT_EQ(columns.rect({}, screen), screen);
  EXPECT_EQ(columns.rect({0, 1}, screen), std::nullopt);  // child 0 is a leaf
  EXPECT_EQ(columns.rect({2}, screen), std::nullopt);
  EXPECT_EQ(columns.node({1}), &columns.children[1]);
  EXPECT_EQ(columns.node({-1}), nullptr);
  EXPECT_EQ(columns.node({0, 0}), nullptr);
}

TEST(LayoutNodeTest, DividersInPreOrderWithDistanceAndRatio) {
  const auto tree =
      LayoutNode::split(vertical, 0.25, leaf, LayoutNode::split(horizontal, 0.5, leaf, leaf));
  const auto dividers = tree.dividers(screen);
  ASSERT_EQ(dividers.size(), 2u);  // n − 1 for n zones
  EXPECT_EQ(dividers[0], (LayoutDivider{{}, vertical, screen, 250}));
  EXPECT_EQ(dividers[1], (LayoutDivider{{1}, horizontal, {250, 0, 750, 800}, 400}));

  const auto& h = dividers[1];
  EXPECT_EQ(h.distance({600, 410}), 10);
  EXPECT_EQ(h.distance({250, 390}), 10);            // both ends inclusive
  EXPECT_TRUE(std::isinf(h.distance({100, 400})));  // beyond its left end
  EXPECT_EQ(dividers[0].distance({240, 800}), 10);
  EXPECT_TRUE(std::isinf(dividers[0].distance({240, 801})));

  EXPECT_EQ(h.ratio({500, 200}), 0.25);
  EXPECT_EQ(h.ratio({500, 1200}), 1.5);  // not clamped here
  EXPECT_EQ((LayoutDivider{{}, vertical, {0, 0, 0, 10}, 0}.ratio({5, 5})), 0.5);
}

TEST(LayoutNodeTest, SplittingRefusesWhatTheEditorCannotDraw) {
  // Zone 0 is 150 points wide, zone 1 is 200.
  const auto tree = LayoutNode::split(vertical, 150.0 / 350.0, leaf, leaf);
  const TRect area{0, 0, 350, 600};
  EXPECT_EQ(tree.splitting({0}, vertical, 0.5, area, 80), std::nullopt);  // 75 < 80
  EXPECT_EQ(tree.splitting({1}, vertical, 0.5, area, 80),
            LayoutNode::split(vertical, 150.0 / 350.0, leaf, twoColumns()));
  for (double ratio : {0.0, 1.0, -0.1, 1.1, double(NAN)}) {
    EXPECT_EQ(tree.splitting({1}, horizontal, ratio, area, 0), std::nullopt) << ratio;
  }
  EXPECT_EQ(tree.splitting({}, vertical, 0.5, area, 0), std::nullopt);  // a split, not a leaf
  EXPECT_EQ(tree.splitting({0, 0}, vertical, 0.5, area, 0), std::nullopt);
  EXPECT_EQ((LayoutNode::split(vertical, 0, leaf, leaf).splitting({0}, vertical, 0.5, area, 0)),
            std::nullopt);  // zero extent
}

TEST(LayoutNodeTest, SplitZoneKeepsItsNumberAndPushesLaterOnes) {
  const auto tree = twoColumns().splitting({0}, horizontal, 0.5, screen, 80);
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->zoneRects(screen),
            (std::vector<TRect>{{0, 0, 500, 400}, {0, 400, 500, 400}, {500, 0, 500, 800}}));
}

TEST(LayoutNodeTest, MergingGivesTheSiblingTheWholeRect) {
  const LayoutNode a = leaf;
  const LayoutNode b{std::nullopt, 0.1, {}};  // distinguishable leaves
  const LayoutNode c{std::nullopt, 0.9, {}};
  const auto tree = LayoutNode::split(vertical, 0.3, a, LayoutNode::split(horizontal, 0.6, b, c));
  EXPECT_EQ(tree.merging({1, 0}), LayoutNode::split(vertical, 0.3, a, c));
  EXPECT_EQ(tree.merging({0}), LayoutNode::split(horizontal, 0.6, b, c));
  EXPECT_EQ(tree.merging({}), tree);
  EXPECT_EQ(tree.merging({1}), tree);  // a split, not a leaf
  EXPECT_EQ(tree.merging({0, 1}), tree);
  EXPECT_EQ(leaf.merging({}), leaf);
}

TEST(LayoutNodeTest, SettingRatioClampsToKeepBothSidesUsable) {
  const auto tree = LayoutNode::split(vertical, 0.5, leaf, twoColumns());
  auto ratioAfter = [&](double requested, double width, double minSize) {
    return tree.settingRatio(requested, {}, {0, 0, width, 100}, minSize).ratio;
  };
  EXPECT_EQ(ratioAfter(0.9, 400, 80), 0.6);  // 1 − 160/400
  EXPECT_EQ(ratioAfter(0.1, 400, 80), 0.2);
  EXPECT_EQ(ratioAfter(0.9, 150, 80), 0.5);  // cannot keep both: even split
  EXPECT_EQ(ratioAfter(0.999, 400, 0), 0.98);
  EXPECT_EQ(ratioAfter(0.0, 0, 80), 0.02);
  EXPECT_EQ(ratioAfter(NAN, 400, 80), 0.2);

  EXPECT_EQ(tree.settingRatio(0.3, {1}, {500, 0, 500, 100}, 80).children[1].ratio, 0.3);
  EXPECT_EQ(tree.settingRatio(0.3, {0}, screen, 80), tree);  // a leaf: unchanged
  EXPECT_EQ(tree.settingRatio(0.3, {7}, screen, 80), tree);
}

TEST(LayoutNodeTest, MinExtentAddsAlongAndMaxesAcross) {
  const auto tree = LayoutNode::split(vertical, 0.5, leaf,
                                      LayoutNode::split(horizontal, 0.5, twoColumns(), leaf));
  EXPECT_EQ(tree.minExtent(vertical, 80), 240);
  EXPECT_EQ(tree.minExtent(horizontal, 80), 160);
  EXPECT_EQ(leaf.minExtent(horizontal, 80), 80);
}

TEST(LayoutNodeTest, ReplacingIgnoresPathsThatLeadNowhere) {
  const auto tree = twoColumns();
  EXPECT_EQ(tree.replacing({}, leaf), leaf);
  EXPECT_EQ(tree.replacing({1}, twoColumns()),
            LayoutNode::split(vertical, 0.5, leaf, twoColumns()));
  EXPECT_EQ(tree.replacing({0, 1}, twoColumns()), tree);
  EXPECT_EQ(tree.replacing({3}, twoColumns()), tree);
}

// --- JSON ---

LayoutNode nested(int depth) {
  LayoutNode node = leaf;
  for (int i = 1; i < depth; ++i)
    node = LayoutNode::split(horizontal, 0.5, std::move(node), leaf);
  return node;
}

TEST(LayoutNodeJsonTest, RoundTripWritesAxisOnlyForSplits) {
  const auto tree =
      LayoutNode::split(vertical, 1.0 / 3.0, leaf, LayoutNode{horizontal, 0.5, {leaf}});
  const nlohmann::json json = tree;
  EXPECT_EQ(json["axis"], "vertical");
  EXPECT_FALSE(json["children"][0].contains("axis"));
  EXPECT_EQ(json["children"][0]["children"], nlohmann::json::array());
  EXPECT_EQ(json["children"][1]["axis"], "horizontal");
  EXPECT_EQ(json.get<LayoutNode>(), tree);
  EXPECT_NE(json.dump().find("0.3333333333333333"), std::string::npos);
}

TEST(LayoutNodeJsonTest, MalformedNodesFailTheWholeDocument) {
  const char* bad[] = {
      R"({"children": []})",
      R"({"ratio": 0.5})",
      R"({"axis": "diagonal", "ratio": 0.5, "children": []})",
      R"({"ratio": "0.5", "children": []})",
      R"({"axis": "vertical", "ratio": 0.5, "children": [{"ratio": 0.5}, {"ratio": 0.5, "children": []}]})",
      R"([])",
  };
  for (const char* text : bad) {
    EXPECT_THROW(nlohmann::json::parse(text).get<LayoutNode>(), std::exception) << text;
  }
  // A missing or null axis reads as a leaf.
  EXPECT_EQ(
      nlohmann::json::parse(R"({"axis": null, "ratio": 0.5, "children": []})").get<LayoutNode>(),
      leaf);
}

TEST(LayoutNodeJsonTest, NestingIsBoundedBothWays) {
  const nlohmann::json deepest = nested(LayoutNode::maxDepth);
  EXPECT_EQ(deepest.get<LayoutNode>().depth(), LayoutNode::maxDepth);
  // A tree that could not be read back is not written either.
  EXPECT_TRUE(nested(LayoutNode::maxDepth).canBeSaved());
  EXPECT_FALSE(nested(LayoutNode::maxDepth + 1).canBeSaved());
  EXPECT_FALSE(LayoutNode::split(vertical, NAN, leaf, leaf).canBeSaved());

  // A hostile document far deeper than any stack: refused, not a crash.
  std::string text;
  const int levels = 100000;
  for (int i = 0; i < levels; ++i)
    text += R"({"ratio":0.5,"children":[)";
  for (int i = 0; i < levels; ++i)
    text += "]}";
  const auto json = nlohmann::json::parse(text);
  EXPECT_THROW(json.get<LayoutNode>(), std::exception);
}

}  // namespace
}  // namespace tavorin
