#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/event_monitors.hpp"
#include "platform/platform.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"
#include "pointer/core/modifier_tap_detector.hpp"
#include "pointer/core/pointer_locator_settings.hpp"
#include "pointer/kit/pointer_highlighter.hpp"
#include "pointer/kit/pointer_hot_key.hpp"

namespace tavorin {

// The pointer locator feature: listens to the modifier keys of the whole desktop (or to a
// global shortcut), recognises the chosen tap gesture, vetoes taps that were part of other
// input, and shows the highlight around the pointer. It follows the preferences, watches the
// Accessibility permission that listening to other programs' keys needs, and reports every
// change the application should reflect through `onStateChange`. Made once by whoever wires the
// program; main loop only. Monitors, timers, the hot key and the preference observation hold it
// weakly and do nothing once it is gone.
class PointerLocator : public std::enable_shared_from_this<PointerLocator> {
 public:
  // Seconds between looks at the Accessibility permission while a tap trigger runs.
  static constexpr Seconds permissionPollInterval = 2.0;
  // Modifier flag changes.
  static constexpr EventMask flagsMask = eventMasks::flagsChanged;
  // Input that voids a tap: left, right and other mouse down and dragged, key down, scrolling.
  static constexpr EventMask interruptingMask =
      eventMask(EventType::leftMouseDown) | eventMask(EventType::rightMouseDown) |
      eventMask(EventType::leftMouseDragged) | eventMask(EventType::rightMouseDragged) |
      eventMask(EventType::keyDown) | eventMask(EventType::scrollWheel) |
      eventMask(EventType::otherMouseDown) | eventMask(EventType::otherMouseDragged);

  // Loads the settings from the standard preferences and follows every preference change.
  static std::shared_ptr<PointerLocator> create(Platform& platform);
  PointerLocator(const PointerLocator&) = delete;
  PointerLocator& operator=(const PointerLocator&) = delete;

  // With `promptForPermission` the system's Accessibility request is shown when a tap trigger
  // needs the permission and the program does not have it.
  void start(bool promptForPermission);
  void stop();
  // Shows the highlight at once with the current preferences, also while stopped.
  void highlightNow();
  // While true the shortcut stays unregistered (a new one is being recorded).
  void setHotKeySuspended(bool suspended);

  bool isRunning() const { return isRunning_; }
  const PointerLocatorSettings& settings() const { return settings_; }
  // A tap trigger is chosen and the program may not listen to other programs' keys.
  bool needsPermission() const;
  // Whether the shortcut could be registered; true whenever the trigger is not the shortcut.
  bool shortcutRegistered() const { return shortcutRegistered_; }
  // Called with the new value whenever `shortcutRegistered` changes.
  [[nodiscard]] Subscription observeShortcutRegistered(std::function<void(bool)> onChange);
  bool hotKeySuspended() const { return hotKeySuspended_; }

  const ModifierTapDetector& detector() const { return detector_; }
  const PointerHighlighter& highlighter() const { return *highlighter_; }
  const PointerHotKey& hotKey() const { return hotKey_; }
  // How many event monitors are installed, and whether the permission watch runs.
  std::size_t monitorCount() const { return monitors_.size(); }
  bool isWatchingPermission() const { return permissionTimer_.isScheduled(); }

  // Called after every change the application should reflect (menu, icon, settings).
  std::function<void()> onStateChange;

 private:
  explicit PointerLocator(Platform& platform);
  void reloadSettings();
  void applySettings();
  void installMonitorsIfNeeded();
  void removeMonitors();
  void startPermissionWatch();
  void permissionTick();
  void handleFlagsChanged(const InputEvent& event);
  void setShortcutRegistered(bool registered);
  bool isTrusted() const;
  std::uint64_t otherInputCount() const;
  void notifyStateChange();

  Platform& platform_;
  bool isRunning_ = false;
  PointerLocatorSettings settings_;
  ModifierTapDetector detector_{ModifierKey::control, 2, 0.35, 0.4};
  std::shared_ptr<PointerHighlighter> highlighter_;
  PointerHotKey hotKey_;
  std::vector<Subscription> monitors_;
  bool monitorsTrusted_ = false;
  Timer permissionTimer_;
  Subscription defaultsObserver_;
  std::optional<std::uint64_t> countersAtPress_;
  bool hotKeySuspended_ = false;
  bool shortcutRegistered_ = true;
  Signal<bool> shortcutRegisteredChanged_;
};

}  // namespace tavorin
