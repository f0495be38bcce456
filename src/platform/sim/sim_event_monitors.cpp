#include "platform/sim/sim_event_monitors.hpp"

#include <algorithm>

namespace tavorin::sim {

namespace {

EventType buttonEvent(int buttonNumber, EventType left, EventType right, EventType other) {
  if (buttonNumber == mouseButtons::left) return left;
  if (buttonNumber == mouseButtons::right) return right;
  return other;
}

bool isMouseDown(EventType type) {
  return type == EventType::leftMouseDown || type == EventType::rightMouseDown ||
         type == EventType::otherMouseDown;
}

bool isMouseUp(EventType type) {
  return type == EventType::leftMouseUp || type == EventType::rightMouseUp ||
         type == EventType::otherMouseUp;
}

}  // namespace

Subscription SimEventMonitors::add(std::shared_ptr<Monitor> monitor) {
  if (refusesMonitors) return {};
  monitors_->push_back(monitor);
  return Subscription([weakList = std::weak_ptr(monitors_), weak = std::weak_ptr(monitor)] {
    auto monitor = weak.lock();
    if (!monitor) return;
    monitor->connected = false;
    if (auto list = weakList.lock()) std::erase(*list, monitor);
  });
}

Subscription SimEventMonitors::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
  auto monitor = std::make_shared<Monitor>();
  monitor->global = true;
  monitor->mask = mask;
  monitor->globalHandler = std::move(handler);
  return add(std::move(monitor));
}

Subscription SimEventMonitors::addLocalMonitor(EventMask mask, LocalHandler handler) {
  auto monitor = std::make_shared<Monitor>();
  monitor->global = false;
  monitor->mask = mask;
  monitor->localHandler = std::move(handler);
  return add(std::move(monitor));
}

std::uint64_t SimEventMonitors::eventCount(EventType type) const {
  const auto index = static_cast<std::size_t>(type);
  return index < counts_.size() ? counts_[index] : 0;
}

void SimEventMonitors::record(const InputEvent& event) {
  const auto index = static_cast<std::size_t>(event.type);
  if (index < counts_.size()) ++counts_[index];
  flags_ = event.modifierFlags;
  if (event.buttonNumber >= 0 && event.buttonNumber < 64) {
    const std::uint64_t bit = std::uint64_t{1} << event.buttonNumber;
    if (isMouseDown(event.type)) buttons_ |= bit;
    if (isMouseUp(event.type)) buttons_ &= ~bit;
  }
}

std::vector<std::shared_ptr<SimEventMonitors::Monitor>> SimEventMonitors::snapshot(
    bool global, EventType type) const {
  std::vector<std::shared_ptr<Monitor>> matching;
  for (const auto& monitor : *monitors_) {
    if (monitor->global == global && (monitor->mask & eventMask(type)) != 0) {
      matching.push_back(monitor);
    }
  }
  return matching;
}

void SimEventMonitors::post(const InputEvent& event) {
  record(event);
  // A handler may add or remove monitors; the ones removed on the way are skipped.
  for (const auto& monitor : snapshot(true, event.type)) {
    if (monitor->connected && monitor->globalHandler) monitor->globalHandler(event);
  }
}

std::optional<InputEvent> SimEventMonitors::postToApplication(const InputEvent& event) {
  record(event);
  std::optional<InputEvent> passed = event;
  for (const auto& monitor : snapshot(false, event.type)) {
    if (!passed) break;
    if (monitor->connected && monitor->localHandler) passed = monitor->localHandler(*passed);
  }
  return passed;
}

void SimEventMonitors::postUnmonitored(const InputEvent& event) {
  record(event);
}

InputEvent SimEventMonitors::make(EventType type) const {
  InputEvent event;
  event.type = type;
  event.timestamp = clock_.uptime();
  event.modifierFlags = flags_;
  event.location = screens_.pointerLocation();
  return event;
}

void SimEventMonitors::flagsChanged(std::uint64_t flags) {
  InputEvent event = make(EventType::flagsChanged);
  event.modifierFlags = flags;
  post(event);
}

void SimEventMonitors::keyDown(std::uint16_t keyCode, bool isRepeat) {
  InputEvent event = make(EventType::keyDown);
  event.keyCode = keyCode;
  event.isRepeat = isRepeat;
  post(event);
}

void SimEventMonitors::keyUp(std::uint16_t keyCode) {
  InputEvent event = make(EventType::keyUp);
  event.keyCode = keyCode;
  post(event);
}

void SimEventMonitors::mouseDown(int buttonNumber) {
  InputEvent event = make(buttonEvent(buttonNumber, EventType::leftMouseDown,
                                      EventType::rightMouseDown, EventType::otherMouseDown));
  event.buttonNumber = buttonNumber;
  event.clickCount = 1;
  post(event);
}

void SimEventMonitors::mouseUp(int buttonNumber) {
  InputEvent event = make(buttonEvent(buttonNumber, EventType::leftMouseUp, EventType::rightMouseUp,
                                      EventType::otherMouseUp));
  event.buttonNumber = buttonNumber;
  event.clickCount = 1;
  post(event);
}

void SimEventMonitors::mouseDragged(int buttonNumber) {
  InputEvent event = make(buttonEvent(buttonNumber, EventType::leftMouseDragged,
                                      EventType::rightMouseDragged, EventType::otherMouseDragged));
  event.buttonNumber = buttonNumber;
  post(event);
}

void SimEventMonitors::scrollWheel() {
  post(make(EventType::scrollWheel));
}

std::size_t SimEventMonitors::globalMonitorCount() const {
  return static_cast<std::size_t>(
      std::count_if(monitors_->begin(), monitors_->end(), [](const auto& m) { return m->global; }));
}

std::size_t SimEventMonitors::localMonitorCount() const {
  return monitors_->size() - globalMonitorCount();
}

}  // namespace tavorin::sim
