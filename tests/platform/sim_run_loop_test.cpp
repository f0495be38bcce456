#include "platform/sim/sim_run_loop.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tavorin::sim {
namespace {

struct RunLoopTest : ::testing::Test {
  VirtualClock clock;
  SimRunLoop loop{clock};
  std::vector<std::string> fired;
};

TEST_F(RunLoopTest, TimersFireInTimeOrderAndOnlyWhenTimeAdvances) {
  loop.scheduleOnce(0.3, [&] { fired.push_back("c@" + std::to_string(clock.uptime() - 1000)); });
  loop.scheduleOnce(0.1, [&] { fired.push_back("a"); });
  loop.scheduleOnce(0.1, [&] { fired.push_back("b"); });  // same time: scheduling order
  loop.runPending();
  EXPECT_TRUE(fired.empty());

  loop.advance(0.2);
  EXPECT_EQ(fired, (std::vector<std::string>{"a", "b"}));
  loop.advance(0.1);
  ASSERT_EQ(fired.size(), 3u);
  EXPECT_EQ(fired[2].substr(0, 5), "c@0.3");
}

TEST_F(RunLoopTest, TimerScheduledByAFiringTimerFiresInTheSameAdvanceWhenDue) {
  loop.scheduleOnce(0.1, [&] {
    fired.push_back("first");
    loop.scheduleOnce(0.1, [&] { fired.push_back("second"); });
    loop.scheduleOnce(1.0, [&] { fired.push_back("too late"); });
  });
  loop.advance(0.25);
  EXPECT_EQ(fired, (std::vector<std::string>{"first", "second"}));
  EXPECT_DOUBLE_EQ(clock.uptime(), 1000.25);
}

TEST_F(RunLoopTest, RepeatingTimerKeepsFiringUntilCancelledEvenFromItsOwnTask) {
  int count = 0;
  TimerId id = 0;
  id = loop.scheduleRepeating(0.15, [&] {
    if (++count == 4) loop.cancel(id);
  });
  loop.advance(0.31);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(loop.isScheduled(id));
  loop.advance(10);
  EXPECT_EQ(count, 4);
  EXPECT_FALSE(loop.isScheduled(id));
}

TEST_F(RunLoopTest, TimerHandleCancelsWhenDestroyed) {
  {
    Timer timer(loop, loop.scheduleOnce(1, [&] { fired.push_back("x"); }));
    EXPECT_TRUE(timer.isScheduled());
  }
  loop.advance(5);
  EXPECT_TRUE(fired.empty());
}

TEST_F(RunLoopTest, WorkPostedFromAnotherThreadRunsOnTheLoop) {
  std::thread worker(
      [&] { loop.post([&] { fired.push_back(loop.isMainThread() ? "main" : "?"); }); });
  worker.join();
  EXPECT_TRUE(loop.waitAndRunPending(std::chrono::seconds(5)));
  EXPECT_EQ(fired, (std::vector<std::string>{"main"}));
}

}  // namespace
}  // namespace tavorin::sim
