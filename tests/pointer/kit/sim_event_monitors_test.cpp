#include "platform/sim/sim_event_monitors.hpp"

#include <gtest/gtest.h>

#include "platform/key_event.hpp"
#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

TEST(SimEventMonitorsTest, MasksCountersAndTheStateEventsLeave) {
  sim::SimDesktop desktop;
  sim::SimEventMonitors& events = desktop.eventMonitors;
  desktop.screens.setPointerLocation({12, 34});
  std::vector<InputEvent> seen;
  auto monitor = events.addGlobalMonitor(
      eventMasks::flagsChanged | eventMasks::mouseDown | eventMasks::mouseDragged,
      [&](const InputEvent& event) { seen.push_back(event); });
  ASSERT_TRUE(monitor);

  desktop.advance(0.5);
  events.flagsChanged(eventFlags::control);
  events.keyDown(8);
  events.mouseDown(mouseButtons::right);
  events.mouseDragged(mouseButtons::right);
  EXPECT_EQ(events.pressedMouseButtons(), 1u << mouseButtons::right);
  events.mouseDown(5);
  events.mouseUp(mouseButtons::right);
  EXPECT_EQ(events.pressedMouseButtons(), 1u << 5);
  events.postUnmonitored(events.make(EventType::scrollWheel));

  ASSERT_EQ(seen.size(), 4u) << "the key and the release are not in the mask";
  EXPECT_EQ(seen[0].type, EventType::flagsChanged);
  EXPECT_EQ(seen[0].timestamp, desktop.clock.uptime());
  EXPECT_EQ(seen[1].type, EventType::rightMouseDown);
  EXPECT_EQ(seen[1].modifierFlags, eventFlags::control) << "events carry the flags in force";
  EXPECT_EQ(seen[1].location, (Point{12, 34}));
  EXPECT_EQ(seen[2].type, EventType::rightMouseDragged);
  EXPECT_EQ(seen[3].type, EventType::otherMouseDown);
  EXPECT_EQ(seen[3].buttonNumber, 5);
  EXPECT_EQ(events.modifierFlags(), eventFlags::control);
  EXPECT_EQ(events.eventCount(EventType::keyDown), 1u);
  EXPECT_EQ(events.eventCount(EventType::scrollWheel), 1u);
  EXPECT_EQ(events.eventCount(EventType::otherMouseDown), 1u);
  EXPECT_EQ(eventMask(EventType::flagsChanged), 0x1000u);

  monitor.reset();
  events.flagsChanged(0);
  EXPECT_EQ(seen.size(), 4u);
}

TEST(SimEventMonitorsTest, LocalMonitorsChainAndMaySwallowOrRemoveThemselves) {
  sim::SimDesktop desktop;
  sim::SimEventMonitors& events = desktop.eventMonitors;
  int laterCalls = 0;
  Subscription later;
  auto first = events.addLocalMonitor(eventMasks::keyDown, [&](const InputEvent& event) {
    later.reset();  // removed while the event is on its way: not called any more
    if (event.keyCode == 53) return std::optional<InputEvent>();
    InputEvent changed = event;
    changed.keyCode = 1;
    return std::optional<InputEvent>(changed);
  });
  later = events.addLocalMonitor(eventMasks::keyDown, [&](const InputEvent& event) {
    ++laterCalls;
    return std::optional<InputEvent>(event);
  });
  InputEvent key = events.make(EventType::keyDown);
  key.keyCode = 0;
  ASSERT_TRUE(events.postToApplication(key));
  EXPECT_EQ(events.postToApplication(key)->keyCode, 1);
  EXPECT_EQ(laterCalls, 0);
  key.keyCode = 53;
  EXPECT_FALSE(events.postToApplication(key));
  EXPECT_EQ(events.eventCount(EventType::keyDown), 3u);
  EXPECT_EQ(events.localMonitorCount(), 1u);
}

}  // namespace
}  // namespace tavorin
