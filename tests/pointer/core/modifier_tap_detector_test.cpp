#include "pointer/core/modifier_tap_detector.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <unordered_set>
#include <vector>

#include "pointer/core/pointer_options.hpp"

namespace tavorin {
namespace {

const ModifierSet none;
const ModifierSet ctrl = ModifierSet::control;
const ModifierSet shift = ModifierSet::shift;
const ModifierSet ctrlShift{ModifierSet::control, ModifierSet::shift};

struct Step {
  ModifierSet state;
  Seconds time;
  bool completes = false;
};

// Feeds the steps and checks every answer.
void play(ModifierTapDetector& detector, const std::vector<Step>& steps, const std::string& name) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(detector.flagsChanged(steps[i].state, steps[i].time), steps[i].completes)
        << name << ", step " << i << " at " << steps[i].time;
  }
}

TEST(ModifierSetTest, SetAlgebraAndConversionFromEventFlags) {
  const ModifierSet ctrlOption{ModifierSet::control, ModifierSet::option};
  EXPECT_EQ(ctrlOption.rawValue(), 0x03);
  EXPECT_EQ((ctrlOption | shift).rawValue(), 0x0B);
  EXPECT_EQ(ctrlOption & ctrlShift, ctrl);
  EXPECT_EQ(ctrlOption - ctrl, ModifierSet::option);
  EXPECT_TRUE(ctrlOption.contains(ctrl));
  EXPECT_FALSE(ctrl.contains(ctrlOption));
  EXPECT_TRUE(none.isEmpty());
  EXPECT_TRUE((ctrl - ctrl).isEmpty());
  std::unordered_set<ModifierSet> sets{ctrl, ctrl, ctrlShift};
  EXPECT_EQ(sets.size(), 2u);

  EXPECT_EQ(ModifierSet::fromEventFlags(0x40000), ctrl);
  EXPECT_EQ(ModifierSet::fromEventFlags(0x1E0000).rawValue(), 0x0F);
  // Caps Lock, the function key, numeric pad, help and device-dependent bits are ignored.
  EXPECT_EQ(ModifierSet::fromEventFlags(0x40000 | 0x10000 | 0x800000 | 0x200000 | 0x400000 | 0x1),
            ctrl);
}

TEST(ModifierKeyTest, RawValuesDisplayNamesAndSets) {
  struct Case {
    ModifierKey key;
    std::string_view raw;
    std::string_view display;
    ModifierSet set;
  };
  const Case cases[] = {
      {ModifierKey::control, "control", "⌃ Control", ModifierSet::control},
      {ModifierKey::option, "option", "⌥ Option", ModifierSet::option},
      {ModifierKey::command, "command", "⌘ Command", ModifierSet::command},
      {ModifierKey::shift, "shift", "⇧ Shift", ModifierSet::shift},
  };
  std::size_t index = 0;
  for (const auto& [key, raw, display, set] : cases) {
    EXPECT_EQ(allModifierKeys[index++], key);
    EXPECT_EQ(rawValue(key), raw);
    EXPECT_EQ(modifierKeyFromRawValue(raw), key);
    EXPECT_EQ(displayName(key), display);
    EXPECT_EQ(modifierSet(key), set);
  }
  EXPECT_EQ(modifierKeyFromRawValue("Control"), std::nullopt);
  EXPECT_EQ(modifierKeyFromRawValue(""), std::nullopt);
}

TEST(ModifierTapDetectorTest, TapSequences) {
  struct Case {
    std::string name;
    int requiredTaps;
    std::vector<Step> steps;
  };
  // Control, presses up to 0.35 s, gaps up to 0.4 s.
  const std::vector<Case> cases{
      {"double tap", 2, {{ctrl, 0.00}, {none, 0.10}, {ctrl, 0.30}, {none, 0.40, true}}},
      {"gap too long starts a new sequence",
       2,
       {{ctrl, 0.00}, {none, 0.10}, {ctrl, 0.51}, {none, 0.60}, {ctrl, 0.80}, {none, 0.90, true}}},
      {"held second press clears the sequence",
       2,
       {{ctrl, 0.00}, {none, 0.10}, {ctrl, 0.20}, {none, 0.56}, {ctrl, 0.70}, {none, 0.80}}},
      {"another modifier added during the press",
       2,
       {{ctrl, 0.00}, {ctrlShift, 0.05}, {ctrl, 0.10}, {none, 0.15}, {ctrl, 0.20}, {none, 0.25}}},
      {"key alone only after another modifier was let go",
       1,
       {{shift, 0.00}, {ctrlShift, 0.05}, {ctrl, 0.10}, {none, 0.12}}},
      {"same state twice changes nothing",
       2,
       {{ctrl, 0.00}, {ctrl, 0.05}, {none, 0.10}, {ctrl, 0.30}, {ctrl, 0.31}, {none, 0.40, true}}},
      {"a release delivered twice changes nothing",
       2,
       {{ctrl, 0.00}, {none, 0.10}, {none, 0.10}, {ctrl, 0.30}, {none, 0.40, true}, {none, 0.40}}},
      {"single tap", 1, {{ctrl, 0.00}, {none, 0.20, true}}},
      {"three quick taps report once",
       2,
       {{ctrl, 0.0}, {none, 0.1}, {ctrl, 0.2}, {none, 0.3, true}, {ctrl, 0.4}, {none, 0.5}}},
      {"four quick taps report twice",
       2,
       {{ctrl, 0.0},
        {none, 0.1},
        {ctrl, 0.2},
        {none, 0.3, true},
        {ctrl, 0.4},
        {none, 0.5},
        {ctrl, 0.6},
        {none, 0.7, true}}},
      {"another key's taps do not count",
       1,
       {{shift, 0.0}, {none, 0.1}, {ModifierSet::command, 0.2}, {none, 0.3}}},
      {"a time stamp that is not a number never counts",
       1,
       {{ctrl, 0.0}, {none, std::numeric_limits<double>::quiet_NaN()}}},
  };
  for (const auto& [name, requiredTaps, steps] : cases) {
    ModifierTapDetector detector(ModifierKey::control, requiredTaps, 0.35, 0.4);
    play(detector, steps, name);
    // A sequence under way keeps its invariant; a completed one leaves nothing behind.
    if (!detector.lastRelease()) {
      EXPECT_EQ(detector.taps(), 0) << name;
    }
  }
}

TEST(ModifierTapDetectorTest, LimitsOfEachTapSpeedAreInclusive) {
  for (TapSpeed speed : allTapSpeeds) {
    const Seconds press = maxPressDuration(speed);
    const Seconds gap = maxGap(speed);
    struct Case {
      std::string name;
      std::vector<Step> steps;
    };
    // Times are chosen so that each measured interval is exactly the intended number.
    const std::vector<Case> cases{
        {"press at the limit",
         {{ctrl, 0}, {none, press}, {ctrl, press + 0.05}, {none, press + 0.1, true}}},
        {"press just inside",
         {{ctrl, 0}, {none, press - 0.01}, {ctrl, press + 0.05}, {none, press + 0.1, true}}},
        {"press just outside",
         {{ctrl, 0},
          {none, press + 0.01},
          {ctrl, press + 0.1},
          {none, press + 0.15},
          {ctrl, press + 0.2},
          {none, press + 0.25, true}}},
        {"gap at the limit", {{ctrl, -0.1}, {none, 0}, {ctrl, gap}, {none, gap + 0.1, true}}},
        {"gap just inside", {{ctrl, -0.1}, {none, 0}, {ctrl, gap - 0.01}, {none, gap, true}}},
        {"gap just outside",
         {{ctrl, -0.1},
          {none, 0},
          {ctrl, gap + 0.01},
          {none, gap + 0.1},
          {ctrl, gap + 0.2},
          {none, gap + 0.25, true}}},
    };
    for (const auto& [name, steps] : cases) {
      ModifierTapDetector detector(ModifierKey::control, 2, press, gap);
      play(detector, steps, std::string(rawValue(speed)) + ": " + name);
    }
  }
}

TEST(ModifierTapDetectorTest, InterruptVoidsThePressButTheNextCleanTapsCount) {
  ModifierTapDetector detector(ModifierKey::option, 2, 0.35, 0.4);
  const ModifierSet option = ModifierSet::option;
  EXPECT_FALSE(detector.flagsChanged(option, 0.0));
  EXPECT_TRUE(detector.isPressing());
  detector.interrupt();
  EXPECT_FALSE(detector.isPressing());
  EXPECT_EQ(detector.previous(), option);
  play(detector, {{none, 0.1}, {option, 0.2}, {none, 0.3}, {option, 0.4}, {none, 0.5, true}},
       "after interrupt");
}

TEST(ModifierTapDetectorTest, ConfigurationChanges) {
  // A tap count below 1 counts as 1.
  for (int taps : {0, -3}) {
    ModifierTapDetector detector(ModifierKey::shift, taps, 0.35, 0.4);
    EXPECT_EQ(detector.requiredTaps(), 1);
    play(detector, {{shift, 0.0}, {none, 0.1, true}}, "required " + std::to_string(taps));
  }

  // Changing the key while the old one is held resets: its release counts nothing.
  ModifierTapDetector detector(ModifierKey::control, 1, 0.35, 0.4);
  detector.flagsChanged(ctrl, 0.0);
  detector.setKey(ModifierKey::control);
  EXPECT_FALSE(detector.isPressing());
  EXPECT_FALSE(detector.flagsChanged(none, 0.1));

  // Changing the tap count ends an open sequence.
  detector.setRequiredTaps(2);
  play(detector, {{ctrl, 0.2}, {none, 0.3}}, "first tap");
  EXPECT_EQ(detector.taps(), 1);
  detector.setRequiredTaps(2);
  EXPECT_EQ(detector.taps(), 0);
  EXPECT_FALSE(detector.lastRelease());

  // New limits apply to a sequence under way.
  play(detector, {{ctrl, 1.0}, {none, 1.1}}, "first tap again");
  detector.setMaxGap(1.0);
  detector.setMaxPressDuration(0.5);
  play(detector, {{ctrl, 1.9}, {none, 2.3, true}}, "slow second tap");
}

}  // namespace
}  // namespace tavorin
