#include "smartdock/core/dock_visibility_decider.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavorin {
namespace {

struct Observation {
  bool contact;
  Seconds now;
  std::optional<bool> decision;
};

void play(DockVisibilityDecider& decider, const std::vector<Observation>& observations,
          const std::string& name) {
  for (const auto& [contact, now, decision] : observations) {
    EXPECT_EQ(decider.update(contact, now), decision) << name << " at " << now;
  }
}

constexpr std::optional<bool> nothing = std::nullopt;
constexpr std::optional<bool> hide = true;
constexpr std::optional<bool> show = false;

TEST(DockVisibilityDeciderTest, DecisionsWaitForAnUninterruptedDelay) {
  struct Case {
    std::string name;
    Seconds hideDelay;
    Seconds showDelay;
    bool hidden;
    std::vector<Observation> observations;
  };
  const std::vector<Case> cases{
      {"hides once contact lasted exactly the delay",
       0.3,
       0.5,
       false,
       {{true, 0.0, nothing}, {true, 0.15, nothing}, {true, 0.30, hide}, {true, 0.45, nothing}}},
      {"a single observation without contact starts the wait again",
       0.3,
       0.5,
       false,
       {{true, 0.0, nothing},
        {false, 0.15, nothing},
        {true, 0.30, nothing},
        {true, 0.45, nothing},
        {true, 0.59, nothing},
        {true, 0.60, hide}}},
      {"a zero delay decides at once", 0, 0.5, false, {{true, 5.0, hide}}},
      {"shows once contact was absent for the show delay",
       0.3,
       0.5,
       true,
       {{false, 1.0, nothing}, {false, 1.4, nothing}, {false, 1.5, show}}},
      {"contact while hidden cancels a pending show",
       0.3,
       0.5,
       true,
       {{false, 1.0, nothing},
        {true, 1.3, nothing},
        {false, 1.4, nothing},
        {false, 1.8, nothing},
        {false, 1.9, show}}},
      {"the wanted state already holds",
       0.3,
       0.5,
       false,
       {{false, 0, nothing}, {false, 9, nothing}}},
      {"hide, then show, each after its own delay",
       0.3,
       0.5,
       false,
       {{true, 0, nothing}, {true, 0.3, hide}, {false, 0.5, nothing}, {false, 1.0, show}}},
  };
  for (const auto& [name, hideDelay, showDelay, hidden, observations] : cases) {
    DockVisibilityDecider decider(hideDelay, showDelay, hidden);
    play(decider, observations, name);
  }
}

TEST(DockVisibilityDeciderTest, ResetForgetsAPendingChange) {
  DockVisibilityDecider decider(0.3, 0.5, false);
  play(decider, {{true, 0.0, nothing}}, "pending hide");
  EXPECT_TRUE(decider.hasPendingChange());
  decider.reset(false);
  EXPECT_FALSE(decider.hasPendingChange());
  // The wait starts from the next contact, not from the forgotten one.
  play(decider,
       {{false, 0.1, nothing}, {true, 0.2, nothing}, {true, 0.4, nothing}, {true, 0.5, hide}},
       "after reset");

  decider.reset(false);
  EXPECT_FALSE(decider.isHidden());
}

TEST(DockVisibilityDeciderTest, NewDelaysApplyFromTheRecordedPendingTime) {
  DockVisibilityDecider decider(1.0, 0.5, false);
  play(decider, {{true, 0.0, nothing}, {true, 0.25, nothing}}, "slow hide pending");
  decider.hideDelay = 0.3;
  play(decider, {{true, 0.3, hide}}, "faster hide");
  EXPECT_TRUE(decider.isHidden());
  EXPECT_FALSE(decider.hasPendingChange());
}

}  // namespace
}  // namespace tavorin
