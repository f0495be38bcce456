#include "cutpaste/shortcut_storage.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

constexpr std::string_view cutKey = "cutpaste.cutShortcut";
constexpr std::string_view pasteKey = "cutpaste.pasteShortcut";

Bytes bytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

TEST(CutPasteShortcutStorageTest, StoredFormIsCompactJsonWithTheCharacterOnlyWhenPresent) {
  EXPECT_EQ(CutPasteShortcut::defaultCut().json(),
            R"({"keyCode":7,"character":"x","modifiers":1048576,"displayString":"⌘X"})");
  const CutPasteShortcut recorded{96, std::nullopt, CutPasteShortcut::shift, "⇧F5"};
  EXPECT_EQ(recorded.json(), R"({"keyCode":96,"modifiers":131072,"displayString":"⇧F5"})");
  for (const auto& shortcut : {CutPasteShortcut::defaultPaste(), recorded}) {
    EXPECT_EQ(CutPasteShortcut::decode(shortcut.encoded()), shortcut);
  }
}

TEST(CutPasteShortcutStorageTest, DecodingIsStrictAboutRequiredMembersAndTheirTypes) {
  const CutPasteShortcut commandK{40, std::nullopt, CutPasteShortcut::command, "⌘K"};
  struct Case {
    std::string_view json;
    std::optional<CutPasteShortcut> expected;
  };
  const Case cases[] = {
      {R"({"displayString":"⌘K","modifiers":1048576,"keyCode":40})", commandK},
      {R"({"keyCode":40,"modifiers":1048576,"displayString":"⌘K","character":null})", commandK},
      {R"({"keyCode":40.0,"modifiers":1048576,"displayString":"⌘K","extra":[1]})", commandK},
      // Caps Lock and other bits are dropped.
      {R"({"keyCode":40,"modifiers":1114112,"displayString":"⌘K"})", commandK},
      {R"({"keyCode":7,"character":"x","modifiers":1048576,"displayString":"⌘X"})",
       CutPasteShortcut::defaultCut()},
      {R"({"modifiers":1048576,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":40,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":40,"modifiers":1048576})", std::nullopt},
      {R"({"keyCode":65536,"modifiers":0,"displayString":"K"})", std::nullopt},
      {R"({"keyCode":-1,"modifiers":0,"displayString":"K"})", std::nullopt},
      {R"({"keyCode":4.5,"modifiers":0,"displayString":"K"})", std::nullopt},
      {R"({"keyCode":"40","modifiers":0,"displayString":"K"})", std::nullopt},
      {R"({"keyCode":40,"modifiers":-1048576,"displayString":"K"})", std::nullopt},
      {R"({"keyCode":40,"modifiers":0,"displayString":7})", std::nullopt},
      {R"({"keyCode":40,"modifiers":0,"displayString":"K","character":7})", std::nullopt},
      {R"([40,1048576,"⌘K"])", std::nullopt},
      {"", std::nullopt},
      {"{\"keyCode\":40,\"modifiers\":0,\"displayString\":\"\xff\"}", std::nullopt},
      {R"({"keyCode":40,"modifiers":1048576,"displayString":"⌘K"} trailing)", std::nullopt},
  };
  for (const auto& [json, expected] : cases) {
    EXPECT_EQ(CutPasteShortcut::decode(bytes(json)), expected) << json;
  }
}

class StoredShortcutsTest : public ::testing::Test {
 protected:
  sim::SimDesktop desktop;
  InMemoryPreferenceStore& defaults = desktop.standardDefaults;
  KeyboardLayout layout{&desktop.keyboardLayout, desktop.runLoop};
};

TEST_F(StoredShortcutsTest, NothingStoredGivesTheDefaultsAndWritesNothing) {
  StoredCutPasteShortcuts shortcuts(defaults, layout);
  EXPECT_EQ(shortcuts.cut(), CutPasteShortcut::defaultCut());
  EXPECT_EQ(shortcuts.paste(), CutPasteShortcut::defaultPaste());
  EXPECT_FALSE(defaults.value(cutKey));
  EXPECT_FALSE(defaults.value(pasteKey));
}

TEST_F(StoredShortcutsTest, DecodedShortcutsAreLoadedAndWrittenBackUnreadableOnesLeftAlone) {
  defaults.setBytes(cutKey, bytes(R"({"displayString":"⌃⌘K","modifiers":1310720,"keyCode":40})"));
  defaults.setBytes(pasteKey, bytes("not json"));
  StoredCutPasteShortcuts shortcuts(defaults, layout);
  const CutPasteShortcut controlCommandK{40, std::nullopt, 0x140000, "⌃⌘K"};
  EXPECT_EQ(shortcuts.cut(), controlCommandK);
  EXPECT_EQ(shortcuts.paste(), CutPasteShortcut::defaultPaste());
  EXPECT_EQ(defaults.getBytes(cutKey), controlCommandK.encoded());
  EXPECT_EQ(defaults.getBytes(pasteKey), bytes("not json"));

  // A value of another type is unreadable too, and stays.
  defaults.setString(pasteKey, CutPasteShortcut::defaultPaste().json());
  StoredCutPasteShortcuts again(defaults, layout);
  EXPECT_EQ(again.paste(), CutPasteShortcut::defaultPaste());
  EXPECT_EQ(defaults.getString(pasteKey), CutPasteShortcut::defaultPaste().json());
}

TEST_F(StoredShortcutsTest, AStoredPairThatFailsValidationIsReplacedByTheDefaults) {
  const CutPasteShortcut commandX{7, std::nullopt, CutPasteShortcut::command, "⌘X"};
  defaults.setBytes(cutKey, commandX.encoded());
  defaults.setBytes(pasteKey, commandX.encoded());
  StoredCutPasteShortcuts shortcuts(defaults, layout);
  EXPECT_EQ(shortcuts.cut(), CutPasteShortcut::defaultCut());
  EXPECT_EQ(shortcuts.paste(), CutPasteShortcut::defaultPaste());
  EXPECT_EQ(defaults.getBytes(cutKey), CutPasteShortcut::defaultCut().encoded());
  EXPECT_EQ(defaults.getBytes(pasteKey), CutPasteShortcut::defaultPaste().encoded());
}

TEST_F(StoredShortcutsTest, ChangesAreStoredAtOnceAndAnnouncedToObservers) {
  StoredCutPasteShortcuts shortcuts(defaults, layout);
  const CutPasteShortcut f5{96, std::nullopt, 0, "F5"};
  shortcuts.setPaste(f5);
  EXPECT_EQ(CutPasteShortcut::decode(*defaults.getBytes(pasteKey)), f5);
  EXPECT_EQ(StoredCutPasteShortcuts(defaults, layout).paste(), f5);

  shortcuts.reset();
  EXPECT_EQ(shortcuts.paste(), CutPasteShortcut::defaultPaste());
  EXPECT_EQ(defaults.getBytes(pasteKey), CutPasteShortcut::defaultPaste().encoded());

  const int controller = 0;
  int seen = 0;
  auto token = desktop.notifications.addObserver(std::string(cutPasteShortcutsDidChange),
                                                 &controller, [&](const Notification&) { ++seen; });
  postCutPasteShortcutsDidChange(desktop.notifications, &controller);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(cutPasteShortcutsDidChange, "CutPasteShortcutsDidChange");
}

}  // namespace
}  // namespace tavorin
