#include "tiling/core/templates.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tavorin {
namespace {

const TRect screen{0, 0, 1200, 800};

TEST(LayoutTemplateTest, BuiltInTemplatesInMenuOrder) {
  const auto templates = LayoutTemplate::defaults();
  ASSERT_EQ(templates.size(), 5u);
  const char* names[] = {"İki sütun", "Üç sütun", "Ana + yan yığın", "Dörtlü ızgara",
                         "Geniş ekran (25/50/25)"};
  for (std::size_t i = 0; i < templates.size(); ++i) {
    EXPECT_EQ(templates[i].name, names[i]);
    EXPECT_EQ(templates[i].id.text(),
              "6F1C1D40-0000-4000-8000-00000000000" + std::to_string(i + 1));
  }
  using V = std::vector<TRect>;
  EXPECT_EQ(templates[0].frames(screen, 0), (V{{0, 0, 600, 800}, {600, 0, 600, 800}}));
  EXPECT_EQ(templates[1].frames(screen, 0),
            (V{{0, 0, 400, 800}, {400, 0, 400, 800}, {800, 0, 400, 800}}));
  EXPECT_EQ(templates[2].frames(screen, 0),
            (V{{0, 0, 720, 800}, {720, 0, 480, 400}, {720, 400, 480, 400}}));
  EXPECT_EQ(templates[3].frames(screen, 8),
            (V{{8, 8, 588, 388}, {604, 8, 588, 388}, {8, 404, 588, 388}, {604, 404, 588, 388}}));
  EXPECT_EQ(templates[4].frames(screen, 0),
            (V{{0, 0, 300, 800}, {300, 0, 600, 800}, {900, 0, 300, 800}}));
  // One third and two thirds are stored as the nearest doubles.
  EXPECT_EQ(templates[1].root.ratio, 0.3333333333333333);
  EXPECT_EQ(templates[4].root.children[1].ratio, 0.6666666666666666);
}

TEST(LayoutTemplateTest, JsonRequiresEveryKeyAndReadsIdsInAnyCase) {
  const auto first = LayoutTemplate::defaults()[0];
  const nlohmann::json json = first;
  EXPECT_EQ(json["id"], "6F1C1D40-0000-4000-8000-000000000001");
  EXPECT_EQ(json.get<LayoutTemplate>(), first);

  auto lower = json;
  lower["id"] = "6f1c1d40-0000-4000-8000-000000000001";
  EXPECT_EQ(lower.get<LayoutTemplate>(), first);

  for (const char* key : {"id", "name", "root"}) {
    auto missing = json;
    missing.erase(key);
    EXPECT_THROW(missing.get<LayoutTemplate>(), std::exception) << key;
  }
  for (const char* id :
       {"6F1C1D40-0000-4000-8000-00000000000", "6F1C1D40+0000-4000-8000-000000000001",
        "6F1C1D40-0000-4000-8000-00000000000G", "{6F1C1D40-0000-4000-8000-0000000001}"}) {
    auto bad = json;
    bad["id"] = id;
    EXPECT_THROW(bad.get<LayoutTemplate>(), std::exception) << id;
  }
}

TEST(UuidTest, RandomIdsAreVersion4AndDistinct) {
  const auto a = Uuid::random();
  const auto b = Uuid::random();
  EXPECT_NE(a, b);
  EXPECT_EQ(a.text()[14], '4');
  EXPECT_EQ(Uuid::parse(a.text()), a);
}

TEST(KeyComboTest, DefaultZoneShortcutsAndJsonForm) {
  const auto shortcuts = defaultZoneShortcuts();
  ASSERT_EQ(shortcuts.size(), 9u);
  EXPECT_EQ(shortcuts.at("1"), (KeyCombo{18, 6144, "⌃⌥1"}));
  EXPECT_EQ(shortcuts.at("5"), (KeyCombo{23, 6144, "⌃⌥5"}));
  EXPECT_EQ(shortcuts.at("9"), (KeyCombo{25, 6144, "⌃⌥9"}));

  const KeyCombo combo{123, KeyCombo::commandKey | KeyCombo::shiftKey, "⇧⌘←"};
  const nlohmann::json json = combo;
  EXPECT_EQ(json,
            nlohmann::json::parse(R"({"keyCode":123,"carbonModifiers":768,"display":"⇧⌘←"})"));
  EXPECT_EQ(json.get<KeyCombo>(), combo);
  for (const char* text : {R"({"keyCode":1,"carbonModifiers":0})",
                           R"({"keyCode":-1,"carbonModifiers":0,"display":""})",
                           R"({"keyCode":4294967296,"carbonModifiers":0,"display":""})",
                           R"({"keyCode":1.5,"carbonModifiers":0,"display":""})",
                           R"({"keyCode":"1","carbonModifiers":0,"display":""})"}) {
    EXPECT_THROW(nlohmann::json::parse(text).get<KeyCombo>(), std::exception) << text;
  }
}

TEST(DragModifierTest, StoredAndDisplayForms) {
  const char* stored[] = {"shift", "option", "control", "command"};
  const char* shown[] = {"Shift ⇧", "Option ⌥", "Control ⌃", "Command ⌘"};
  for (std::size_t i = 0; i < allDragModifiers.size(); ++i) {
    EXPECT_STREQ(toString(allDragModifiers[i]), stored[i]);
    EXPECT_STREQ(displayName(allDragModifiers[i]), shown[i]);
    EXPECT_EQ(dragModifierFromString(stored[i]), allDragModifiers[i]);
  }
  EXPECT_EQ(dragModifierFromString("Shift"), std::nullopt);
}

TEST(TilingSettingsTest, LenientDecoding) {
  const TilingSettings defaults;
  auto decode = [](const char* text) { return nlohmann::json::parse(text).get<TilingSettings>(); };

  auto onlyGap = defaults;
  onlyGap.gap = 12;
  EXPECT_EQ(decode(R"({"gap": 12})"), onlyGap);
  EXPECT_EQ(decode("{}"), defaults);

  // Unreadable modifiers and shortcut maps fall back to their defaults.
  auto spanCommand = defaults;
  spanCommand.spanModifier = DragModifier::command;
  EXPECT_EQ(decode(R"({"dragModifier": "hyper", "spanModifier": "command"})"), spanCommand);
  EXPECT_EQ(decode(R"({"dragModifier": 3})"), defaults);
  EXPECT_EQ(decode(R"({"zoneShortcuts": {"1": {"keyCode": 18}}})"), defaults);
  EXPECT_EQ(decode(R"({"zoneShortcuts": [1, 2]})"), defaults);

  auto custom = decode(
      R"({"zoneShortcuts": {"12": {"keyCode": 7, "carbonModifiers": 256, "display": "⌘X"}}})");
  EXPECT_EQ(custom.zoneShortcuts.size(), 1u);
  EXPECT_EQ(custom.zoneShortcut(12), (KeyCombo{7, 256, "⌘X"}));
  EXPECT_EQ(custom.zoneShortcut(1), std::nullopt);

  // Anything else of the wrong type spoils the document.
  for (const char* text : {R"({"dragSnapEnabled": "yes"})", R"({"gap": "8"})",
                           R"({"restoreSizeOnUnsnap": 1})", R"([])"}) {
    EXPECT_THROW(decode(text), std::exception) << text;
  }
}

TEST(TilingSettingsTest, JsonRoundTripWithEveryField) {
  TilingSettings s;
  s.gap = 3.5;
  s.dragModifier = DragModifier::shift;
  s.snapAssistantOpenImmediately = true;
  s.snapAssistantTriggerDistance = 500;  // beyond the offered range: kept as it is
  s.restoreSizeOnUnsnap = false;
  s.zoneShortcuts.erase("9");
  const nlohmann::json json = s;
  EXPECT_EQ(json.size(), 12u);
  EXPECT_EQ(json.get<TilingSettings>(), s);
}

TEST(TilingStateTest, DecodingFillsMissingPartsAndRejectsBrokenOnes) {
  const auto empty = decodeTilingState("{}");
  ASSERT_TRUE(empty);
  EXPECT_EQ(*empty, TilingState{});

  const auto assigned = decodeTilingState(
      R"({"assignments": {"1-2-id3": "6f1c1d40-0000-4000-8000-000000000002"}, "templates": []})");
  ASSERT_TRUE(assigned);
  EXPECT_TRUE(assigned->templates.empty());  // the store puts the built-in ones back
  EXPECT_EQ(assigned->assignments.at("1-2-id3"), LayoutTemplate::defaults()[1].id);

  for (
      const char* text :
      {"", "not json", "[]", R"({"assignments": {"a": "nope"}})",
       R"({"templates": [{"id": "6F1C1D40-0000-4000-8000-000000000001", "root": {"ratio": 0.5, "children": []}}]})",
       R"({"settings": {"dragSnapEnabled": "true"}})", R"({"templates": {}})"}) {
    EXPECT_EQ(decodeTilingState(text), std::nullopt) << text;
  }
}

TEST(ScreenKeyTest, Forms) {
  EXPECT_EQ(screenKey(0, 0, 55, 3, "Built-in Display"), "Built-in Display");
  EXPECT_EQ(screenKey(1, 2, 0, 3, "X"), "1-2-id3");
  EXPECT_EQ(screenKey(1552, 41001, 4294967295u, 3, "X"), "1552-41001-4294967295");
  EXPECT_EQ(screenKey(0, 7, 0, 9, "X"), "0-7-id9");
}

}  // namespace
}  // namespace tavorin
