#include "cutpaste/immediate_observer.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

TEST(ImmediateObserverTest, RunsAtOnceOnTheMainThreadAndQueuesFromOthers) {
  sim::SimDesktop desktop;
  int calls = 0;
  ImmediateObserver observer(desktop.runLoop, [&] {
    EXPECT_TRUE(desktop.runLoop.isMainThread());
    ++calls;
  });
  observer.observe(desktop.notifications, "com.example.changed");

  desktop.notifications.post("com.example.changed");
  EXPECT_EQ(calls, 1);

  std::thread([&] { observer.fire(); }).join();
  EXPECT_EQ(calls, 1);
  desktop.settle();
  EXPECT_EQ(calls, 2);
}

TEST(ImmediateObserverTest, DestroyingEndsRegistrationsAndDropsQueuedRuns) {
  sim::SimDesktop desktop;
  int calls = 0;
  std::optional<ImmediateObserver> observer;
  observer.emplace(desktop.runLoop, [&] { ++calls; });
  observer->observe(desktop.notifications, "changed", &desktop);
  Signal<> source;
  observer->observe([&](std::function<void()> callback) { return source.connect(callback); });

  desktop.notifications.post("changed", nullptr);  // another sender
  EXPECT_EQ(calls, 0);
  source.emit();
  EXPECT_EQ(calls, 1);

  std::thread([&] { source.emit(); }).join();
  observer.reset();
  desktop.settle();
  desktop.notifications.post("changed", &desktop);
  source.emit();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(source.empty());
}

}  // namespace
}  // namespace tavorin
