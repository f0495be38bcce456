#include "tiling/core/backup_format.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <nlohmann/json.hpp>

namespace tavorin {
namespace {

using enum SplitAxis;
using ImportError = TilingShellFormat::ImportError;
const LayoutNode leaf = LayoutNode::leaf();
const TRect unit{0, 0, 1, 1};

const char* const invalidText = "Dosya Tiling Shell şablon formatında değil.";

std::vector<LayoutTemplate> imported(const std::string& text) {
  auto result = TilingShellFormat::importJSON(text);
  if (auto* error = std::get_if<ImportError>(&result)) {
    ADD_FAILURE() << error->description() << " for " << text;
    return {};
  }
  return std::get<std::vector<LayoutTemplate>>(std::move(result));
}

std::string importErrorText(const std::string& text) {
  auto result = TilingShellFormat::importJSON(text);
  if (auto* error = std::get_if<ImportError>(&result)) return error->description();
  return "<imported>";
}

std::string tile(double x, double y, double w, double h) {
  return nlohmann::json{{"x", x}, {"y", y}, {"width", w}, {"height", h}, {"groups", {1}}}.dump();
}

// Four tiles around a centre square, none spanning the area: no straight cut exists.
std::vector<TRect> pinwheel(const TRect& a) {
  auto at = [&](double x, double y, double w, double h) {
    return TRect{a.x + x * a.width, a.y + y * a.height, w * a.width, h * a.height};
  };
  return {at(0, 0, 0.6, 0.4), at(0.6, 0, 0.4, 0.6), at(0.4, 0.6, 0.6, 0.4), at(0, 0.4, 0.4, 0.6),
          at(0.4, 0.4, 0.2, 0.2)};
}

std::string layoutJson(const std::string& id, const std::vector<TRect>& rects) {
  std::string tiles;
  for (const auto& r : rects)
    tiles += (tiles.empty() ? "" : ",") + tile(r.x, r.y, r.width, r.height);
  return R"({"id": ")" + id + R"(", "tiles": [)" + tiles + "]}";
}

TEST(TilingShellBuildTest, GuillotineCutsPreferVerticalAndLeftmost) {
  EXPECT_EQ(TilingShellFormat::build({{0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}}, unit),
            LayoutNode::split(vertical, 0.5, leaf, leaf));
  EXPECT_EQ(
      TilingShellFormat::build({{0, 0, 0.5, 1}, {0.5, 0, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}}, unit),
      LayoutNode::split(vertical, 0.5, leaf, LayoutNode::split(horizontal, 0.5, leaf, leaf)));
  // A quad grid is cut vertically first.
  EXPECT_EQ(
      TilingShellFormat::build(
          {{0, 0, 0.5, 0.5}, {0.5, 0, 0.5, 0.5}, {0, 0.5, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}}, unit),
      LayoutNode::split(vertical, 0.5, LayoutNode::split(horizontal, 0.5, leaf, leaf),
                        LayoutNode::split(horizontal, 0.5, leaf, leaf)));
  // The order of the tiles does not matter for the tree, only for nothing else.
  EXPECT_EQ(TilingShellFormat::build({{0.5, 0, 0.5, 1}, {0, 0, 0.5, 1}}, unit),
            LayoutNode::split(vertical, 0.5, leaf, leaf));
  EXPECT_EQ(TilingShellFormat::build({{0.2, 0.2, 0.1, 0.1}}, unit), leaf);  // size not compared
  EXPECT_EQ(TilingShellFormat::build({}, unit), std::nullopt);
}

TEST(TilingShellBuildTest, ToleranceAcceptsRealWorldRoundingOnly) {
  // Widths adding up to 0.999, and a slight overlap: within 0.002 the cut still passes.
  EXPECT_EQ(
      TilingShellFormat::build({{0, 0, 0.333, 1}, {0.333, 0, 0.333, 1}, {0.666, 0, 0.333, 1}}, unit)
          ->zoneCount(),
      3);
  EXPECT_TRUE(TilingShellFormat::build({{0, 0, 0.501, 1}, {0.5, 0, 0.5, 1}}, unit));
  // An overlap of 0.01 is a tile the cut would run through.
  EXPECT_EQ(TilingShellFormat::build({{0, 0, 0.51, 1}, {0.5, 0, 0.5, 1}}, unit), std::nullopt);
}

TEST(TilingShellBuildTest, UncuttableAndOversizedLayoutsFailQuickly) {
  EXPECT_EQ(TilingShellFormat::build(pinwheel(unit), unit), std::nullopt);

  // Fifty strips above a pinwheel: trying every cut with backtracking would take about 2^50
  // steps; the work budget ends it at once.
  std::vector<TRect> strips;
  for (int i = 0; i < 50; ++i)
    strips.push_back({0, i * 0.01, 1, 0.01});
  for (const auto& r : pinwheel({0, 0.5, 1, 0.5}))
    strips.push_back(r);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TilingShellFormat::build(strips, unit), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  // More tiles than any screen holds, or a tree deeper than the state file accepts.
  std::vector<TRect> many;
  for (std::size_t i = 0; i <= TilingShellFormat::maxTiles; ++i) {
    many.push_back({0, 0, 1, 1.0 / static_cast<double>(TilingShellFormat::maxTiles + 1)});
  }
  EXPECT_EQ(TilingShellFormat::build(many, unit), std::nullopt);
  std::vector<TRect> deep;
  const int count = LayoutNode::maxDepth + 1;
  for (int i = 0; i < count; ++i)
    deep.push_back({i / double(count), 0, 1 / double(count), 1});
  EXPECT_EQ(TilingShellFormat::build(deep, unit), std::nullopt);
}

TEST(TilingShellBuildTest, SixtyFourTilesBuildWithinTheBudget) {
  std::vector<TRect> grid;
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 8; ++column)
      grid.push_back({column / 8.0, row / 8.0, 0.125, 0.125});
  }
  const auto tree = TilingShellFormat::build(grid, unit);
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->zoneCount(), 64);
  EXPECT_EQ(tree->zoneRects(unit)[9], (TRect{0.125, 0.125, 0.125, 0.125}));
}

TEST(TilingShellImportTest, ArraysAndSingleObjects) {
  const std::string twoColumns = layoutJson("Halves", {{0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}});
  const std::string stack =
      layoutJson("Main and stack", {{0, 0, 0.5, 1}, {0.5, 0, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}});

  const auto both = imported("[" + twoColumns + "," + stack + "]");
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].name, "Halves");
  EXPECT_EQ(both[0].root, LayoutNode::split(vertical, 0.5, leaf, leaf));
  EXPECT_EQ(both[1].name, "Main and stack");
  EXPECT_EQ(both[1].root.zoneCount(), 3);
  EXPECT_NE(both[0].id, both[1].id);

  const auto single = imported(stack);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].root, both[1].root);
  EXPECT_NE(single[0].id, both[1].id);  // a new id on every import

  EXPECT_TRUE(imported("[]").empty());

  // Tiles of older files have no "groups"; it is not needed.
  EXPECT_EQ(imported(R"([{"id": "Old", "tiles": [{"x": 0, "y": 0, "width": 1, "height": 1}]}])")
                .at(0)
                .root,
            leaf);
}

TEST(TilingShellImportTest, Errors) {
  const std::string pinwheelLayout = layoutJson("Pinwheel", pinwheel(unit));
  const std::string good = layoutJson("Halves", {{0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}});
  const std::string notGuillotine =
      "“Pinwheel” şablonu düz çizgilerle bölünebilecek bir yapıda değil.";
  EXPECT_EQ(importErrorText("[" + good + "," + pinwheelLayout + "]"), notGuillotine);
  EXPECT_EQ(importErrorText(R"({"id": "Pinwheel", "tiles": []})"), notGuillotine);

  const char* invalid[] = {
      "",
      "{",
      "42",
      R"({"tiles": []})",
      R"([{"id": 7, "tiles": []}])",
      R"({"id": "A", "tiles": [{"y": 0, "width": 1, "height": 1, "groups": []}]})",
      R"({"id": "A", "tiles": [{"x": "0", "y": 0, "width": 1, "height": 1, "groups": []}]})",
      R"({"id": "A", "tiles": [{"x": 0, "y": 0, "width": 1, "height": 1, "groups": "one"}]})",
      R"([{"id": "A", "tiles": []}, 3])",
  };
  for (const char* text : invalid)
    EXPECT_EQ(importErrorText(text), invalidText) << text;

  auto result = TilingShellFormat::importJSON(pinwheelLayout);
  ASSERT_TRUE(std::holds_alternative<ImportError>(result));
  EXPECT_EQ(std::get<ImportError>(result), ImportError::notGuillotine("Pinwheel"));
}

TEST(TilingShellImportTest, DeeplyNestedJsonIsRefused) {
  const std::string deep = std::string(200000, '[') + std::string(200000, ']');
  EXPECT_EQ(importErrorText(deep), invalidText);
}

// --- Backup ---

WindowLayoutBackup sampleBackup() {
  TilingSettings settings;
  settings.gap = 14;
  settings.spanModifier = DragModifier::shift;
  settings.zoneShortcuts["12"] = KeyCombo{111, 4096, "⌃F12"};
  auto templates = LayoutTemplate::defaults();
  templates.resize(2);
  return WindowLayoutBackup(templates, settings);
}

TEST(WindowLayoutBackupTest, EncodedRoundTripWithSortedKeys) {
  const auto backup = sampleBackup();
  EXPECT_EQ(backup.format, "Tavorin.WindowLayout");
  EXPECT_EQ(backup.version, 1);
  const auto bytes = backup.encoded();
  ASSERT_TRUE(bytes);
  const auto format = bytes->find("\"format\"");
  const auto settings = bytes->find("\"settings\"");
  const auto templates = bytes->find("\"templates\"");
  const auto version = bytes->find("\"version\": 1");
  EXPECT_LT(format, settings);
  EXPECT_LT(settings, templates);
  EXPECT_LT(templates, version);
  EXPECT_NE(version, std::string::npos);
  EXPECT_EQ(bytes->find("assignments"), std::string::npos);

  auto read = WindowLayoutBackup::read(*bytes);
  ASSERT_TRUE(std::holds_alternative<WindowLayoutBackup::Contents>(read));
  const auto& contents = std::get<WindowLayoutBackup::Contents>(read);
  ASSERT_NE(contents.backup(), nullptr);
  EXPECT_EQ(*contents.backup(), backup);
  EXPECT_EQ(contents.templates().size(), 2u);
}

TEST(WindowLayoutBackupTest, OtherVersionsAndLenientSettingsAreAccepted) {
  auto json = nlohmann::json::parse(*sampleBackup().encoded());
  json["version"] = 2;
  json["settings"] = nlohmann::json{{"gap", 3}, {"dragModifier", "hyper"}};
  auto read = WindowLayoutBackup::read(json.dump());
  ASSERT_TRUE(std::holds_alternative<WindowLayoutBackup::Contents>(read));
  const auto* backup = std::get<WindowLayoutBackup::Contents>(read).backup();
  ASSERT_NE(backup, nullptr);
  EXPECT_EQ(backup->settings.gap, 3);
  EXPECT_EQ(backup->settings.dragModifier, DragModifier::control);
}

TEST(WindowLayoutBackupTest, NotABackupFallsThroughToTheImport) {
  const auto sample = nlohmann::json::parse(*sampleBackup().encoded());
  auto foreign = sample;
  foreign["format"] = "Tavorin.WindowLayout2";
  auto noSettings = sample;
  noSettings.erase("settings");
  auto badVersion = sample;
  badVersion["version"] = "1";
  for (const auto& json : {foreign, noSettings, badVersion}) {
    auto read = WindowLayoutBackup::read(json.dump());
    ASSERT_TRUE(std::holds_alternative<ImportError>(read));
    EXPECT_EQ(std::get<ImportError>(read).description(), invalidText);
  }

  auto shell = WindowLayoutBackup::read(layoutJson("Halves", {{0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}}));
  ASSERT_TRUE(std::holds_alternative<WindowLayoutBackup::Contents>(shell));
  const auto& contents = std::get<WindowLayoutBackup::Contents>(shell);
  EXPECT_EQ(contents.backup(), nullptr);
  ASSERT_EQ(contents.templates().size(), 1u);
  EXPECT_EQ(contents.templates()[0].name, "Halves");
}

TEST(WindowLayoutBackupTest, UnwritableContentsAreAnErrorNotABrokenFile) {
  auto backup = sampleBackup();
  backup.templates[0].root.ratio = NAN;
  std::string error;
  EXPECT_EQ(backup.encoded(&error), std::nullopt);
  EXPECT_NE(error.find("İki sütun"), std::string::npos);

  backup = sampleBackup();
  backup.templates[0].name = "\xff\xfe";
  EXPECT_EQ(backup.encoded(&error), std::nullopt);
}

}  // namespace
}  // namespace tavorin
