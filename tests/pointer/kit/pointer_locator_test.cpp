#include "pointer/kit/pointer_locator.hpp"

#include <gtest/gtest.h>

#include "platform/key_event.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "platform/system_log.hpp"

namespace tavorin {
namespace {

constexpr std::uint16_t keyC = 8;
constexpr std::uint32_t keyP = 35;
constexpr std::uint32_t controlOption = hotKeyModifiers::control | hotKeyModifiers::option;

class PointerLocatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop.screens.setScreens({sim::SimScreens::make(1, {0, 0, 1440, 900})});
    desktop.screens.setPointerLocation({500, 400});
    desktop.permissions.accessibilityTrusted = true;
    locator->onStateChange = [this] { ++stateChanges; };
  }

  // Presses and releases the key within a tenth of a second, then waits `gap` seconds.
  void tap(std::uint64_t flag = eventFlags::control, Seconds gap = 0.1) {
    events.flagsChanged(flag);
    desktop.advance(0.1);
    events.flagsChanged(0);
    desktop.advance(gap);
  }

  // Whether a highlight has been shown since the last look; hides it again.
  bool highlightShown() {
    const bool shown = locator->highlighter().isAnimating();
    desktop.advance(3);
    return shown;
  }

  void write(std::string_view key, std::string value) {
    desktop.standardDefaults.setString(key, std::move(value));
    desktop.settle();
  }

  sim::SimDesktop desktop;
  sim::SimEventMonitors& events = desktop.eventMonitors;
  std::shared_ptr<PointerLocator> locator = PointerLocator::create(desktop.platform());
  int stateChanges = 0;
};

TEST_F(PointerLocatorTest, ADoubleTapShowsTheHighlightOnceAndOtherInputVoidsIt) {
  locator->start(false);
  EXPECT_EQ(stateChanges, 1);
  EXPECT_EQ(events.globalMonitorCount(), 2u);
  EXPECT_EQ(events.localMonitorCount(), 2u);

  tap();
  EXPECT_FALSE(locator->highlighter().isAnimating());
  tap();
  ASSERT_TRUE(locator->highlighter().isAnimating());
  ASSERT_EQ(desktop.overlays.visiblePanels().size(), 1u);
  EXPECT_EQ(desktop.overlays.visiblePanels()[0]->frame(), (Rect{402, 302, 196, 196}));
  desktop.advance(3);
  EXPECT_TRUE(desktop.overlays.visiblePanels().empty());

  // ⌃C and then a quick tap: the C voids the press it was typed under, whether the key monitor
  // saw it or only the event counters did.
  for (bool seenByMonitors : {true, false}) {
    SCOPED_TRACE(seenByMonitors);
    events.flagsChanged(eventFlags::control);
    desktop.advance(0.05);
    InputEvent c = events.make(EventType::keyDown);
    c.keyCode = keyC;
    seenByMonitors ? events.post(c) : events.postUnmonitored(c);
    c.type = EventType::keyUp;
    seenByMonitors ? events.post(c) : events.postUnmonitored(c);
    desktop.advance(0.05);
    events.flagsChanged(0);
    desktop.advance(0.1);
    tap();
    EXPECT_FALSE(highlightShown());
  }

  // Clicks and scrolls between the taps end the sequence.
  for (auto input : {+[](sim::SimEventMonitors& e) { e.scrollWheel(); },
                     +[](sim::SimEventMonitors& e) {
                       e.mouseDown(mouseButtons::right);
                       e.mouseUp(mouseButtons::right);
                     }}) {
    tap();
    input(events);
    tap();
    EXPECT_FALSE(highlightShown());
  }

  // This program's own modifier events count as well, and pass on unchanged.
  const InputEvent press = [&] {
    InputEvent e = events.make(EventType::flagsChanged);
    e.modifierFlags = eventFlags::control;
    return e;
  }();
  EXPECT_EQ(events.postToApplication(press), press);
  desktop.advance(0.1);
  InputEvent release = events.make(EventType::flagsChanged);
  release.modifierFlags = 0;
  EXPECT_EQ(events.postToApplication(release), release);
  desktop.advance(0.1);
  tap();
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, TapsWhileAMouseButtonIsHeldNeverShowTheHighlight) {
  locator->start(false);
  events.mouseDown(mouseButtons::left);
  tap();
  tap();
  tap();
  EXPECT_FALSE(highlightShown());
  events.mouseUp(mouseButtons::left);
  tap();
  tap();
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, TheChosenKeyAndTriggerComeFromThePreferences) {
  locator->start(false);
  write("pointer.modifier", "option");
  write("pointer.trigger", "singleTap");
  EXPECT_EQ(locator->settings().modifier, ModifierKey::option);
  EXPECT_EQ(locator->detector().requiredTaps(), 1);
  tap(eventFlags::control);
  EXPECT_FALSE(highlightShown());
  tap(eventFlags::option | eventFlags::capsLock);
  EXPECT_TRUE(highlightShown());

  // Slow taps: a gap of half a second still continues a sequence.
  write("pointer.trigger", "doubleTap");
  write("pointer.speed", "slow");
  tap(eventFlags::option, 0.5);
  tap(eventFlags::option);
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, SwitchingToTheShortcutTradesTheMonitorsForTheHotKey) {
  locator->start(false);
  EXPECT_EQ(locator->monitorCount(), 4u);
  EXPECT_TRUE(locator->isWatchingPermission());
  const int before = stateChanges;

  write("pointer.trigger", "shortcut");
  EXPECT_EQ(stateChanges, before + 1);
  EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0u);
  EXPECT_FALSE(locator->isWatchingPermission());
  ASSERT_EQ(desktop.hotKeys.registered().size(), 1u);
  EXPECT_EQ(desktop.hotKeys.registered()[0].id, PointerHotKey::identifier);
  EXPECT_TRUE(locator->shortcutRegistered());
  tap();
  tap();
  EXPECT_FALSE(highlightShown());
  EXPECT_TRUE(desktop.hotKeys.press(keyP, controlOption));
  EXPECT_TRUE(highlightShown());

  write("pointer.trigger", "doubleTap");
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  EXPECT_EQ(locator->monitorCount(), 4u);
  EXPECT_TRUE(locator->isWatchingPermission());
  tap();
  tap();
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, ATakenShortcutIsReportedAndLogged) {
  std::vector<std::string> log;
  auto logged = SystemLog::observe([&](const LogEntry& entry) { log.push_back(entry.message); });
  std::vector<bool> reported;
  auto observed = locator->observeShortcutRegistered([&](bool r) { reported.push_back(r); });
  desktop.hotKeys.takeByOtherApplication(keyP, controlOption);
  desktop.standardDefaults.setString("pointer.trigger", "shortcut");
  locator->start(false);
  EXPECT_FALSE(locator->shortcutRegistered());
  EXPECT_EQ(reported, std::vector<bool>{false});
  EXPECT_EQ(log,
            std::vector<std::string>{"PointerLocator: kısayol kaydedilemedi (⌃⌥P, hata -9878)"});
  EXPECT_FALSE(locator->needsPermission()) << "the shortcut needs no permission";

  // Another shortcut works; the report follows.
  write("pointer.shortcut", R"({"keyCode":37,"carbonModifiers":6144,"displayString":"⌃⌥L"})");
  EXPECT_TRUE(locator->shortcutRegistered());
  EXPECT_EQ(reported, (std::vector<bool>{false, true}));
  EXPECT_TRUE(desktop.hotKeys.press(37, controlOption));
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, ASuspendedShortcutDoesNothingUntilTheSuspensionEnds) {
  desktop.standardDefaults.setString("pointer.trigger", "shortcut");
  locator->start(false);
  locator->setHotKeySuspended(true);
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  EXPECT_TRUE(locator->shortcutRegistered()) << "suspension is no failure";
  EXPECT_FALSE(desktop.hotKeys.press(keyP, controlOption));
  EXPECT_FALSE(highlightShown());
  locator->setHotKeySuspended(false);
  EXPECT_TRUE(desktop.hotKeys.press(keyP, controlOption));
  EXPECT_TRUE(highlightShown());

  // Stopped, a press finds nothing to run.
  locator->stop();
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  EXPECT_FALSE(desktop.hotKeys.press(keyP, controlOption));
}

TEST_F(PointerLocatorTest,
       RegisteringTheSameShortcutTwiceKeepsTheRegistrationAndTakesTheNewAction) {
  PointerHotKey hotKey(&desktop.hotKeys);
  int first = 0;
  int second = 0;
  ASSERT_TRUE(hotKey.registerShortcut(PointerShortcut::defaultShortcut(), [&] { ++first; }));
  ASSERT_TRUE(hotKey.registerShortcut(PointerShortcut::defaultShortcut(), [&] { ++second; }));
  EXPECT_EQ(desktop.hotKeys.registered().size(), 1u);
  EXPECT_EQ(desktop.hotKeys.handlerCount(), 1u);
  EXPECT_TRUE(desktop.hotKeys.press(keyP, controlOption));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  // A foreign hot key is passed on.
  EXPECT_FALSE(desktop.hotKeys.deliver({fourCharCode("TILE"), 1}));
  hotKey.unregister();
  EXPECT_FALSE(hotKey.isRegistered());
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
}

TEST_F(PointerLocatorTest, HighlightNowWorksWhileStoppedWithTheCurrentPreferences) {
  desktop.standardDefaults.setString("pointer.style", "spotlight");
  locator->highlightNow();
  EXPECT_FALSE(locator->isRunning());
  EXPECT_EQ(locator->settings().style, HighlightStyle::spotlight);
  EXPECT_EQ(locator->highlighter().spotPanelCount(), 1u);
  EXPECT_TRUE(highlightShown());
}

TEST_F(PointerLocatorTest, AnEqualPreferenceWriteChangesNothing) {
  locator->start(false);
  const int before = stateChanges;
  tap();
  // The first tap is counted; a write that leaves the settings equal must not reset it.
  desktop.standardDefaults.setDouble("pointer.size", 90);
  desktop.standardDefaults.setString("tavorin.somethingElse", "x");
  desktop.settle();
  EXPECT_EQ(stateChanges, before);
  EXPECT_EQ(locator->detector().taps(), 1);
  tap();
  EXPECT_TRUE(highlightShown());

  desktop.standardDefaults.setDouble("pointer.size", 120);
  desktop.settle();
  EXPECT_EQ(stateChanges, before + 1);
  EXPECT_EQ(locator->settings().size, 120);
}

TEST_F(PointerLocatorTest, WithoutPermissionTheMonitorsWaitForTheGrant) {
  desktop.permissions.accessibilityTrusted = false;
  locator->start(true);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);
  EXPECT_TRUE(locator->needsPermission());
  EXPECT_EQ(locator->monitorCount(), 4u) << "installed anyway";

  const int before = stateChanges;
  desktop.advance(2);
  EXPECT_EQ(stateChanges, before) << "nothing changed";
  desktop.permissions.accessibilityTrusted = true;
  desktop.advance(2);
  EXPECT_EQ(stateChanges, before + 1);
  EXPECT_FALSE(locator->needsPermission());
  EXPECT_EQ(locator->monitorCount(), 4u);
  tap();
  tap();
  EXPECT_TRUE(highlightShown());

  // Starting again without the prompt flag, or for the shortcut, never prompts.
  locator->stop();
  desktop.permissions.accessibilityTrusted = false;
  locator->start(false);
  locator->stop();
  desktop.standardDefaults.setString("pointer.trigger", "shortcut");
  locator->start(true);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);
}

TEST_F(PointerLocatorTest, StoppingRemovesEverythingAndRefusedMonitorsAreLeftOut) {
  locator->start(false);
  tap();
  tap();
  ASSERT_TRUE(locator->highlighter().isAnimating());
  locator->stop();
  locator->stop();
  EXPECT_EQ(stateChanges, 2);
  EXPECT_FALSE(locator->highlighter().isAnimating());
  EXPECT_TRUE(desktop.overlays.visiblePanels().empty());
  EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0u);
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 0u);
  tap();
  tap();
  EXPECT_FALSE(highlightShown());

  events.refusesMonitors = true;
  locator->start(false);
  EXPECT_EQ(locator->monitorCount(), 0u);
  tap();
  tap();
  EXPECT_FALSE(highlightShown());
}

TEST_F(PointerLocatorTest, NothingRunsOnceTheLocatorIsGone) {
  desktop.standardDefaults.setString("pointer.trigger", "shortcut");
  locator->start(false);
  locator.reset();
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  EXPECT_EQ(desktop.hotKeys.handlerCount(), 0u);
  desktop.standardDefaults.setString("pointer.trigger", "doubleTap");
  desktop.advance(3);
  EXPECT_EQ(events.globalMonitorCount(), 0u);
}

}  // namespace
}  // namespace tavorin
