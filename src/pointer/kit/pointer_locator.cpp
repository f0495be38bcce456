#include "pointer/kit/pointer_locator.hpp"

namespace tavorin {

PointerLocator::PointerLocator(Platform& platform)
    : platform_(platform),
      settings_(PointerLocatorSettings::load(platform.standardDefaults)),
      highlighter_(PointerHighlighter::create(platform)),
      hotKey_(platform.hotKeys) {}

std::shared_ptr<PointerLocator> PointerLocator::create(Platform& platform) {
  std::shared_ptr<PointerLocator> locator(new PointerLocator(platform));
  // Every store's changes, from this process or another: the settings are read afresh on the
  // main loop after each.
  locator->defaultsObserver_ = platform.notifications.addObserver(
      std::string(PreferenceStore::didChangeNotification), nullptr,
      [weak = std::weak_ptr<PointerLocator>(locator),
       &loop = platform.runLoop](const Notification&) {
        loop.post([weak] {
          if (auto self = weak.lock()) self->reloadSettings();
        });
      });
  return locator;
}

void PointerLocator::start(bool promptForPermission) {
  if (isRunning_) return;
  isRunning_ = true;
  settings_ = PointerLocatorSettings::load(platform_.standardDefaults);
  if (settings_.trigger != PointerTrigger::shortcut && !isTrusted() && promptForPermission) {
    if (platform_.permissions != nullptr) {
      platform_.permissions->requestAccessibility();
    } else if (platform_.accessibility != nullptr) {
      platform_.accessibility->isProcessTrustedWithPrompt();
    }
  }
  applySettings();
  notifyStateChange();
}

void PointerLocator::stop() {
  if (!isRunning_) return;
  isRunning_ = false;
  removeMonitors();
  hotKey_.unregister();
  permissionTimer_.cancel();
  countersAtPress_.reset();
  detector_.reset();
  highlighter_->hide();
  notifyStateChange();
}

void PointerLocator::highlightNow() {
  reloadSettings();
  highlighter_->show(settings_);
}

void PointerLocator::setHotKeySuspended(bool suspended) {
  hotKeySuspended_ = suspended;
  if (isRunning_) applySettings();
}

bool PointerLocator::needsPermission() const {
  return settings_.trigger != PointerTrigger::shortcut && !isTrusted();
}

Subscription PointerLocator::observeShortcutRegistered(std::function<void(bool)> onChange) {
  return shortcutRegisteredChanged_.connect(std::move(onChange));
}

void PointerLocator::reloadSettings() {
  PointerLocatorSettings fresh = PointerLocatorSettings::load(platform_.standardDefaults);
  if (fresh == settings_) return;
  settings_ = std::move(fresh);
  if (isRunning_) applySettings();
  notifyStateChange();
}

void PointerLocator::applySettings() {
  detector_.setKey(settings_.modifier);
  detector_.setRequiredTaps(settings_.trigger == PointerTrigger::singleTap ? 1 : 2);
  detector_.setMaxGap(maxGap(settings_.speed));
  detector_.setMaxPressDuration(maxPressDuration(settings_.speed));

  if (settings_.trigger == PointerTrigger::shortcut) {
    removeMonitors();
    permissionTimer_.cancel();
    if (hotKeySuspended_) {
      hotKey_.unregister();
      return;
    }
    const bool registered = hotKey_.registerShortcut(settings_.shortcut, [weak = weak_from_this()] {
      auto self = weak.lock();
      if (self && self->isRunning_) self->highlighter_->show(self->settings_);
    });
    setShortcutRegistered(registered);
    return;
  }

  hotKey_.unregister();
  setShortcutRegistered(true);
  installMonitorsIfNeeded();
  startPermissionWatch();
}

void PointerLocator::installMonitorsIfNeeded() {
  const bool trusted = isTrusted();
  if (!monitors_.empty() && trusted == monitorsTrusted_) return;
  removeMonitors();
  monitorsTrusted_ = trusted;
  EventMonitors* events = platform_.eventMonitors;
  if (events == nullptr) return;

  const std::weak_ptr<PointerLocator> weak = weak_from_this();
  auto onFlags = [weak](const InputEvent& event) {
    if (auto self = weak.lock()) self->handleFlagsChanged(event);
  };
  auto onOtherInput = [weak](const InputEvent&) {
    if (auto self = weak.lock()) self->detector_.interrupt();
  };
  Subscription added[] = {
      events->addGlobalMonitor(flagsMask, onFlags),
      // This program's own input is only looked at, never swallowed.
      events->addLocalMonitor(flagsMask,
                              [onFlags](const InputEvent& event) -> std::optional<InputEvent> {
                                onFlags(event);
                                return event;
                              }),
      events->addGlobalMonitor(interruptingMask, onOtherInput),
      events->addLocalMonitor(interruptingMask,
                              [onOtherInput](const InputEvent& event) -> std::optional<InputEvent> {
                                onOtherInput(event);
                                return event;
                              }),
  };
  for (Subscription& monitor : added) {
    // A monitor the platform refused is left out.
    if (monitor) monitors_.push_back(std::move(monitor));
  }
}

void PointerLocator::removeMonitors() {
  monitors_.clear();
}

void PointerLocator::startPermissionWatch() {
  if (permissionTimer_.isScheduled()) return;
  permissionTimer_ =
      Timer(platform_.runLoop,
            platform_.runLoop.scheduleRepeating(permissionPollInterval, [weak = weak_from_this()] {
              if (auto self = weak.lock()) self->permissionTick();
            }));
}

void PointerLocator::permissionTick() {
  if (!isRunning_ || settings_.trigger == PointerTrigger::shortcut) return;
  if (isTrusted() == monitorsTrusted_) return;
  installMonitorsIfNeeded();
  notifyStateChange();
}

void PointerLocator::handleFlagsChanged(const InputEvent& event) {
  if (!isRunning_ || settings_.trigger == PointerTrigger::shortcut) return;
  const ModifierSet modifiers = ModifierSet::fromEventFlags(event.modifierFlags);
  const std::uint64_t buttons =
      platform_.eventMonitors != nullptr ? platform_.eventMonitors->pressedMouseButtons() : 0;
  const ModifierSet chosen = modifierSet(settings_.modifier);

  if (modifiers == chosen) {
    if (!detector_.isPressing()) countersAtPress_ = otherInputCount();
  } else if (modifiers.isEmpty()) {
    // A key, click or scroll while the key was held that no monitor reported still voids it.
    if (detector_.isPressing() && countersAtPress_ && otherInputCount() != *countersAtPress_) {
      detector_.interrupt();
    }
  }
  if (modifiers != chosen) countersAtPress_.reset();

  const bool completed = detector_.flagsChanged(modifiers, event.timestamp);
  if (buttons != 0) {
    // A tap made while a button is down (a drag) never shows the highlight.
    detector_.interrupt();
    return;
  }
  if (completed && isRunning_) highlighter_->show(settings_);
}

void PointerLocator::setShortcutRegistered(bool registered) {
  if (shortcutRegistered_ == registered) return;
  shortcutRegistered_ = registered;
  shortcutRegisteredChanged_.emit(registered);
}

bool PointerLocator::isTrusted() const {
  if (platform_.permissions != nullptr) return platform_.permissions->isAccessibilityTrusted();
  if (platform_.accessibility != nullptr) return platform_.accessibility->isProcessTrusted();
  return true;
}

std::uint64_t PointerLocator::otherInputCount() const {
  const EventMonitors* events = platform_.eventMonitors;
  if (events == nullptr) return 0;
  std::uint64_t sum = 0;
  for (EventType type : {EventType::keyDown, EventType::leftMouseDown, EventType::rightMouseDown,
                         EventType::otherMouseDown, EventType::scrollWheel}) {
    sum += events->eventCount(type);
  }
  return sum;
}

void PointerLocator::notifyStateChange() {
  if (onStateChange) onStateChange();
}

}  // namespace tavorin
