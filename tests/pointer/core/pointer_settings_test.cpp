#include <gtest/gtest.h>

#include <cmath>

#include "platform/sim/sim_desktop.hpp"
#include "pointer/core/pointer_locator_settings.hpp"
#include "pointer/core/pointer_settings_store.hpp"

namespace tavorin {
namespace {

TEST(PointerOptionsTest, RawValuesOrderAndTapTimings) {
  EXPECT_EQ(rawValue(allPointerTriggers[1]), "singleTap");
  EXPECT_EQ(displayName(PointerTrigger::singleTap), "Tap the key once (like Windows)");
  EXPECT_EQ(pointerTriggerFromRawValue("DoubleTap"), std::nullopt);
  EXPECT_EQ(highlightStyleFromRawValue("sonar"), HighlightStyle::sonar);
  EXPECT_EQ(displayName(HighlightStyle::sonar), "Spreading rings");
  struct Case {
    TapSpeed speed;
    std::string_view raw;
    Seconds gap;
    Seconds press;
  };
  const Case cases[] = {{TapSpeed::fast, "fast", 0.28, 0.28},
                        {TapSpeed::normal, "normal", 0.40, 0.35},
                        {TapSpeed::slow, "slow", 0.55, 0.45}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(allTapSpeeds[i], cases[i].speed);
    EXPECT_EQ(tapSpeedFromRawValue(cases[i].raw), cases[i].speed);
    EXPECT_EQ(maxGap(cases[i].speed), cases[i].gap);
    EXPECT_EQ(maxPressDuration(cases[i].speed), cases[i].press);
  }
}

class PointerSettingsTest : public ::testing::Test {
 protected:
  sim::SimDesktop desktop;
  InMemoryPreferenceStore& defaults = desktop.standardDefaults;
};

TEST_F(PointerSettingsTest, NothingStoredLoadsTheDefaults) {
  const auto settings = PointerLocatorSettings::load(defaults);
  EXPECT_EQ(settings, PointerLocatorSettings{});
  EXPECT_EQ(settings.trigger, PointerTrigger::doubleTap);
  EXPECT_EQ(settings.modifier, ModifierKey::control);
  EXPECT_EQ(settings.shortcut, PointerShortcut::defaultShortcut());
  EXPECT_EQ(settings.colorHex, "#FF9F0A");
  EXPECT_EQ(settings.size, 90);
  EXPECT_EQ(settings.duration, 0.7);
}

TEST_F(PointerSettingsTest, StoredValuesAreReadTolerantlyAndNothingIsWritten) {
  struct Case {
    std::string_view key;
    PreferenceValue stored;
    std::function<void(const PointerLocatorSettings&)> check;
  };
  const auto sizeIs = [](double size) {
    return [size](const PointerLocatorSettings& s) { EXPECT_EQ(s.size, size); };
  };
  const auto durationIs = [](double duration) {
    return [duration](const PointerLocatorSettings& s) { EXPECT_EQ(s.duration, duration); };
  };
  const auto colorIs = [](std::string hex) {
    return [hex](const PointerLocatorSettings& s) { EXPECT_EQ(s.colorHex, hex); };
  };
  const std::vector<Case> cases{
      {"pointer.size", std::string("120,5"), sizeIs(120.5)},
      {"pointer.size", std::string("+130.25"), sizeIs(130.25)},
      {"pointer.size", std::int64_t{10}, sizeIs(40)},
      {"pointer.size", 999.0, sizeIs(250)},
      {"pointer.size", std::string("1,000.5"), sizeIs(90)},
      {"pointer.size", std::string(" 120"), sizeIs(90)},
      {"pointer.size", std::string("nan"), sizeIs(90)},
      {"pointer.size", std::nan(""), sizeIs(90)},
      {"pointer.size", std::string("inf"), sizeIs(250)},
      {"pointer.size", true, sizeIs(90)},
      {"pointer.duration", 5.0, durationIs(2.0)},
      {"pointer.duration", std::string("0,1"), durationIs(0.3)},
      {"pointer.duration", StringList{"1"}, durationIs(0.7)},
      {"pointer.color", std::string(" #ff9f0a "), colorIs(" #ff9f0a ")},
      {"pointer.color", std::string("FF9F0A80"), colorIs("FF9F0A80")},
      {"pointer.color", std::string("#FFF"), colorIs("#FF9F0A")},
      {"pointer.color", std::int64_t{0xFF9F0A}, colorIs("#FF9F0A")},
      {"pointer.trigger", std::string("DoubleTap"),
       [](const auto& s) { EXPECT_EQ(s.trigger, PointerTrigger::doubleTap); }},
      {"pointer.trigger", std::string("shortcut"),
       [](const auto& s) { EXPECT_EQ(s.trigger, PointerTrigger::shortcut); }},
      {"pointer.speed", std::string("medium"),
       [](const auto& s) { EXPECT_EQ(s.speed, TapSpeed::normal); }},
      {"pointer.speed", std::string("slow"),
       [](const auto& s) { EXPECT_EQ(s.speed, TapSpeed::slow); }},
      {"pointer.modifier", std::string("option"),
       [](const auto& s) { EXPECT_EQ(s.modifier, ModifierKey::option); }},
      {"pointer.modifier", std::int64_t{2},
       [](const auto& s) { EXPECT_EQ(s.modifier, ModifierKey::control); }},
      {"pointer.style", std::string("spotlight"),
       [](const auto& s) { EXPECT_EQ(s.style, HighlightStyle::spotlight); }},
      {"pointer.shortcut", std::string("{not json"),
       [](const auto& s) { EXPECT_EQ(s.shortcut, PointerShortcut::defaultShortcut()); }},
      {"pointer.shortcut",
       std::string(R"({"keyCode":96,"carbonModifiers":0,"displayString":"F5"})"),
       [](const auto& s) {
         EXPECT_EQ(s.shortcut, (PointerShortcut{96, 0, "F5"}));
       }},
  };
  for (const auto& [key, stored, check] : cases) {
    SCOPED_TRACE(std::string(key) + " = " + ::testing::PrintToString(stored));
    defaults.set(key, stored);
    check(PointerLocatorSettings::load(defaults));
    // Printed, so that a stored value that is not a number compares too.
    EXPECT_EQ(::testing::PrintToString(*defaults.value(key)), ::testing::PrintToString(stored))
        << "loading never writes";
    defaults.remove(key);
  }
}

TEST_F(PointerSettingsTest, ColorFallsBackToTheSystemOrange) {
  PointerLocatorSettings settings;
  settings.colorHex = "FF9F0A80";
  EXPECT_NEAR(settings.color().alpha, 0.5, 0.002);
  settings.colorHex = "orange";
  EXPECT_EQ(settings.color(), SRGBColor::systemOrange());
}

TEST_F(PointerSettingsTest, StoreWritesAssignmentsAndFollowsOutsideChanges) {
  defaults.setString("pointer.speed", "slow");
  defaults.setString("pointer.color", "#00ff00");
  auto store = PointerSettingsStore::create(defaults, desktop.notifications, desktop.runLoop);
  EXPECT_EQ(store->speed(), "slow");
  EXPECT_EQ(store->trigger(), "doubleTap");
  EXPECT_EQ(store->shortcutStorage(), PointerShortcut::defaultShortcut().storageString());
  // Loading wrote nothing.
  EXPECT_FALSE(defaults.value("pointer.trigger"));

  int changes = 0;
  auto token = store->observe([&] { ++changes; });
  store->setSize(120);
  store->setTrigger("singleTap");
  EXPECT_EQ(defaults.getDouble("pointer.size"), 120);
  EXPECT_EQ(defaults.getString("pointer.trigger"), "singleTap");
  EXPECT_EQ(changes, 2);
  desktop.settle();
  EXPECT_EQ(changes, 2) << "reloading what was just written changes nothing";

  // Changes from elsewhere arrive after the main loop ran; a colour differing only in case and
  // a shortcut written in another member order are kept as they are.
  store->setColorHex("#00FF00");
  const std::string reordered = R"({"displayString":"⌃⌥P","carbonModifiers":6144,"keyCode":35})";
  store->setShortcutStorage(reordered);
  defaults.simulateExternalWrite("pointer.color", std::string("#00ff00"));
  defaults.simulateExternalWrite("pointer.size", std::string("7"));
  defaults.simulateExternalWrite("pointer.style", std::string("sonar"));
  EXPECT_EQ(store->style(), "shrink");
  desktop.settle();
  EXPECT_EQ(store->style(), "sonar");
  EXPECT_EQ(store->size(), 40);
  EXPECT_EQ(store->colorHex(), "#00FF00");
  EXPECT_EQ(store->shortcutStorage(), reordered);
  EXPECT_FALSE(store->isLoading());
  // What the reload copied in was not written back.
  EXPECT_EQ(defaults.getString("pointer.size"), "7");
  EXPECT_EQ(defaults.getString("pointer.style"), "sonar");

  // Unreadable text in the field is replaced by the shortcut in force, which is not written.
  store->setShortcutStorage("garbage");
  EXPECT_EQ(defaults.getString("pointer.shortcut"), "garbage");
  desktop.settle();
  EXPECT_EQ(store->shortcutStorage(), PointerShortcut::defaultShortcut().storageString());
  EXPECT_EQ(defaults.getString("pointer.shortcut"), "garbage");

  // Once the store is gone, changes reach nobody.
  store.reset();
  defaults.setString("pointer.style", "spotlight");
  desktop.settle();
}

}  // namespace
}  // namespace tavorin
