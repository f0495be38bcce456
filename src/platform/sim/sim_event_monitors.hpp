#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/clock.hpp"
#include "platform/event_monitors.hpp"
#include "platform/screens.hpp"

namespace tavorin::sim {

// The keyboard and mouse of the simulated desktop. A test posts events as they would happen:
// every posted event counts in the event counters and updates the held buttons and modifier
// flags, whether or not a monitor sees it.
class SimEventMonitors final : public EventMonitors {
 public:
  // Events made by the helpers below are stamped with `clock`'s uptime and placed at the
  // pointer of `screens`.
  SimEventMonitors(const Clock& clock, Screens& screens) : clock_(clock), screens_(screens) {}

  Subscription addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
  Subscription addLocalMonitor(EventMask mask, LocalHandler handler) override;
  std::uint64_t pressedMouseButtons() const override { return buttons_; }
  std::uint64_t modifierFlags() const override { return flags_; }
  std::uint64_t eventCount(EventType type) const override;

  // An event that goes to another application: the global monitors whose mask holds its type
  // see it, in the order they were added.
  void post(const InputEvent& event);
  // An event that goes to this program: it passes through the local monitors in the order
  // they were added, each getting what the one before passed on. Answers what is left of it.
  std::optional<InputEvent> postToApplication(const InputEvent& event);
  // An event no monitor sees (secure input, another session's grab); it still counts.
  void postUnmonitored(const InputEvent& event);
  // While true the platform refuses to create monitors.
  bool refusesMonitors = false;

  // An event of `type` now, at the pointer, with the current modifier flags.
  InputEvent make(EventType type) const;
  // Conveniences that post to other applications.
  void flagsChanged(std::uint64_t flags);
  void keyDown(std::uint16_t keyCode, bool isRepeat = false);
  void keyUp(std::uint16_t keyCode);
  void mouseDown(int buttonNumber = mouseButtons::left);
  void mouseUp(int buttonNumber = mouseButtons::left);
  void mouseDragged(int buttonNumber = mouseButtons::left);
  void scrollWheel();

  std::size_t globalMonitorCount() const;
  std::size_t localMonitorCount() const;

 private:
  struct Monitor {
    bool global = true;
    EventMask mask = 0;
    GlobalHandler globalHandler;
    LocalHandler localHandler;
    bool connected = true;
  };
  Subscription add(std::shared_ptr<Monitor> monitor);
  void record(const InputEvent& event);
  std::vector<std::shared_ptr<Monitor>> snapshot(bool global, EventType type) const;

  const Clock& clock_;
  Screens& screens_;
  std::uint64_t buttons_ = 0;
  std::uint64_t flags_ = 0;
  std::array<std::uint64_t, 32> counts_{};
  // Shared with the subscriptions, which may outlive the service.
  std::shared_ptr<std::vector<std::shared_ptr<Monitor>>> monitors_ =
      std::make_shared<std::vector<std::shared_ptr<Monitor>>>();
};

}  // namespace tavorin::sim
