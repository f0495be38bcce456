#include "pointer/core/pointer_shortcut.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "pointer/core/srgb_color.hpp"

namespace tavorin {
namespace {

constexpr std::uint64_t ctrl = eventFlags::control;
constexpr std::uint64_t opt = eventFlags::option;
constexpr std::uint64_t cmd = eventFlags::command;
constexpr std::uint64_t shift = eventFlags::shift;

KeyEvent keyDown(std::uint16_t keyCode, std::uint64_t flags, std::string characters) {
  return KeyEvent{KeyEventType::keyDown, keyCode, flags, std::move(characters)};
}

TEST(PointerShortcutTest, RecordingBuildsMaskAndDisplayInFixedOrder) {
  const PointerShortcut::RecordError needsModifier = PointerShortcut::RecordError::needsModifier;
  struct Case {
    KeyEvent event;
    std::variant<PointerShortcut, PointerShortcut::RecordError> expected;
  };
  const Case cases[] = {
      {keyDown(35, ctrl | opt, "p"), PointerShortcut{35, 0x1800, "⌃⌥P"}},
      {keyDown(40, shift | cmd, "k"), PointerShortcut{40, 0x300, "⇧⌘K"}},
      {keyDown(96, 0, ""), PointerShortcut{96, 0, "F5"}},
      {keyDown(96, shift, ""), PointerShortcut{96, 0x200, "⇧F5"}},
      {keyDown(34, opt, "i"), PointerShortcut{34, 0x800, "⌥İ"}},
      {keyDown(49, ctrl | opt | shift | cmd, " "), PointerShortcut{49, 0x1B00, "⌃⌥⇧⌘Space"}},
      {keyDown(123, ctrl, "\x1c"), PointerShortcut{123, 0x1000, "⌃←"}},
      {keyDown(10, cmd, ""), PointerShortcut{10, 0x100, "⌘?"}},
      {keyDown(35, ctrl | eventFlags::capsLock, "p"), PointerShortcut{35, 0x1000, "⌃P"}},
      {keyDown(0, shift, "a"), needsModifier},
      {keyDown(0, 0, "a"), needsModifier},
      {keyDown(36, eventFlags::capsLock | eventFlags::function, "\r"), needsModifier},
  };
  for (const auto& [event, expected] : cases) {
    EXPECT_EQ(PointerShortcut::from(event), expected)
        << event.keyCode << " " << event.modifierFlags;
  }
  EXPECT_EQ(PointerShortcut::message(needsModifier),
            "Needs at least one modifier key (⌘, ⌥ or ⌃); only F keys work on their own.");
}

TEST(PointerShortcutTest, StorageStringRoundTripsAndRejectsAnythingElse) {
  EXPECT_EQ(PointerShortcut::defaultShortcut().storageString(),
            R"({"keyCode":35,"carbonModifiers":6144,"displayString":"⌃⌥P"})");
  const PointerShortcut f12{111, 0, "F12"};
  EXPECT_EQ(PointerShortcut::fromStorage(f12.storageString()), f12);

  struct Case {
    std::string_view storage;
    std::optional<PointerShortcut> expected;
  };
  const Case cases[] = {
      {R"({"displayString":"⌘K","carbonModifiers":256,"keyCode":40})",
       PointerShortcut{40, 256, "⌘K"}},
      {R"({"keyCode":40,"carbonModifiers":256,"displayString":"⌘K","more":true})",
       PointerShortcut{40, 256, "⌘K"}},
      {R"({"keyCode":40,"carbonModifiers":256})", std::nullopt},
      {R"({"keyCode":40,"displayString":"⌘K"})", std::nullopt},
      {R"({"carbonModifiers":256,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":-40,"carbonModifiers":256,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":4294967296,"carbonModifiers":256,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":"40","carbonModifiers":256,"displayString":"⌘K"})", std::nullopt},
      {R"({"keyCode":40,"carbonModifiers":256,"displayString":null})", std::nullopt},
      {"not json", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [storage, expected] : cases) {
    EXPECT_EQ(PointerShortcut::fromStorage(storage), expected) << storage;
  }
}

TEST(SRGBColorTest, HexTextParsesSixOrEightDigits) {
  struct Case {
    std::string_view text;
    std::optional<SRGBColor> expected;
  };
  const SRGBColor orange{1.0, 159 / 255.0, 10 / 255.0, 1.0};
  const Case cases[] = {
      {"#FF9F0A", orange},
      {" #ff9f0a ", orange},
      {"\tFF9F0A\n", orange},
      {"FF9F0A80", SRGBColor{1.0, 159 / 255.0, 10 / 255.0, 128 / 255.0}},
      {"#FFF", std::nullopt},
      {"##FF9F0A", std::nullopt},
      {"#FF9F0G", std::nullopt},
      {"0xFF9F0A", std::nullopt},
      {"#FF9F0A8", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(SRGBColor::fromHex(text), expected) << text;
  }
}

TEST(SRGBColorTest, HexStringRoundsClampsAndAddsOpacityOnlyWhenTranslucent) {
  EXPECT_EQ((SRGBColor{1.0, 0.6235, 0.0392, 1.0}.hexString()), "#FF9F0A");
  EXPECT_EQ((SRGBColor{1.0, 0.6235, 0.0392, 0.5}.hexString()), "#FF9F0A80");
  EXPECT_EQ((SRGBColor{1.5, -0.2, 0.5, 0.9995}.hexString()), "#FF0080");
  EXPECT_EQ((SRGBColor{std::nan(""), 0, 0, 0.998}.hexString()), "#000000FE");
  EXPECT_EQ(SRGBColor::fromHex("#12345678")->hexString(), "#12345678");
}

}  // namespace
}  // namespace tavorin
