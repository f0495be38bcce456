#include "platform/notification_center.hpp"

#include <gtest/gtest.h>

#include <optional>

namespace tavorin {
namespace {

TEST(NotificationCenterTest, DeliversByNameAndObjectUntilTheTokenIsGone) {
  NotificationCenter center;
  int fromAnyone = 0;
  int fromA = 0;
  const int a = 0;
  const int b = 0;
  auto any = center.addObserver("changed", nullptr, [&](const Notification&) { ++fromAnyone; });
  std::optional<Subscription> onlyA = center.addObserver("changed", &a, [&](const Notification& n) {
    EXPECT_EQ(n.object, &a);
    ++fromA;
  });

  center.post("changed", &a);
  center.post("changed", &b);
  center.post("other", &a);
  EXPECT_EQ(fromAnyone, 2);
  EXPECT_EQ(fromA, 1);

  onlyA.reset();
  center.post("changed", &a);
  EXPECT_EQ(fromA, 1);
  EXPECT_EQ(fromAnyone, 3);
}

TEST(NotificationCenterTest, ObserverRemovedDuringDeliveryIsNotCalledAgain) {
  NotificationCenter center;
  int second = 0;
  Subscription secondToken;
  auto first = center.addObserver("n", nullptr, [&](const Notification&) { secondToken.reset(); });
  secondToken = center.addObserver("n", nullptr, [&](const Notification&) { ++second; });
  center.post("n");
  EXPECT_EQ(second, 0);
}

TEST(NotificationCenterTest, TokenMayOutliveTheCenter) {
  Subscription token;
  {
    NotificationCenter center;
    token = center.addObserver("n", nullptr, [](const Notification&) {});
  }
  token.reset();  // must not touch the destroyed centre
  SUCCEED();
}

}  // namespace
}  // namespace tavorin
