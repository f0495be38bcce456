#include "platform/x11/qt/qt_run_loop.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <thread>

#include "tests/platform/qt_test_application.hpp"

namespace tavorin::qt {
namespace {

class QtRunLoopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtTestApplication(); }
  // Runs the Qt event loop until `done` holds, at most `milliseconds`.
  static bool runUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < milliseconds) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return done();
  }
  QtRunLoop loop;
};

TEST_F(QtRunLoopTest, OneShotTimersFireOnceAndCancelledOnesNever) {
  int fired = 0;
  int cancelled = 0;
  const TimerId once = loop.scheduleOnce(0.01, [&] { ++fired; });
  const TimerId never = loop.scheduleOnce(
      0.01, [&] { ++cancelled; }, 0.005);
  loop.cancel(never);
  EXPECT_TRUE(loop.isScheduled(once));
  EXPECT_TRUE(runUntil([&] { return fired == 1; }));
  EXPECT_FALSE(loop.isScheduled(once));
  runUntil([] { return false; }, 50);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(cancelled, 0);
}

TEST_F(QtRunLoopTest, RepeatingTimerMayCancelItself) {
  int count = 0;
  TimerId id = 0;
  id = loop.scheduleRepeating(0.005, [&] {
    if (++count == 3) loop.cancel(id);
  });
  EXPECT_TRUE(runUntil([&] { return !loop.isScheduled(id); }));
  runUntil([] { return false; }, 50);
  EXPECT_EQ(count, 3);
}

TEST_F(QtRunLoopTest, WorkPostedFromAnotherThreadRunsOnTheMainThread) {
  bool ranOnMain = false;
  bool ran = false;
  EXPECT_TRUE(loop.isMainThread());
  std::thread worker([&] {
    EXPECT_FALSE(loop.isMainThread());
    loop.post([&] {
      ranOnMain = loop.isMainThread();
      ran = true;
    });
  });
  worker.join();
  EXPECT_TRUE(runUntil([&] { return ran; }));
  EXPECT_TRUE(ranOnMain);
}

}  // namespace
}  // namespace tavorin::qt
