#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/event_monitors.hpp"
#include "platform/x11/x11_connection.hpp"
#include "platform/x11/x11_keyboard.hpp"
#include "platform/x11/x11_screens.hpp"

namespace tavorin::x11 {

// Keyboard and mouse events of the whole desktop from XInput 2 raw events on the root window,
// which arrive for every client's input, also while another client holds a grab.
//
// Raw key events become flag changes for the modifier keys (by their level-one key symbols:
// Shift, Control, Alt, Meta, AltGr and Mode_switch as option, Super as command, Caps Lock) and
// key downs and ups for every other key. The stream is noisier than a person's typing: a release
// can come twice (synthetic input sends some twice) and one Control key can press the other as
// well. So the set of keys held is kept, a press of a key already held counts as a repeat, a
// release of a key not held is ignored, and a flag change is reported only when the flags really
// change. Buttons 4 to 7 are scroll steps; 1, 3 and 2 are the left, right and middle buttons
// (the buttons as raw events number them, before any left-handed mapping). Motion is asked of the
// server only while a monitor wants moved or dragged events, and one that another motion follows
// in the queue is skipped. Locations come from the pointer's position, read when an event is
// handed to a monitor.
//
// Time stamps: the server counts milliseconds in 32 bits; they are widened across the wrap and,
// at the first event, placed next to this process's monotonic clock, which a local server counts
// on as well, so they agree with `Clock::uptime` of the native clock.
//
// Local monitors: the raw events already hold this program's own input, so local monitors are
// accepted but never called; every event reaches the global monitors exactly once.
//
// The counters count from the raw events since this object was made.
class X11EventMonitors final : public EventMonitors {
 public:
  X11EventMonitors(Connection& connection, Keyboard& keyboard, X11Screens& screens);
  ~X11EventMonitors() override;
  X11EventMonitors(const X11EventMonitors&) = delete;
  X11EventMonitors& operator=(const X11EventMonitors&) = delete;

  // False when the server has no XInput 2.2; monitors are refused then.
  bool isAvailable() const { return opcode_ != 0; }

  Subscription addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
  Subscription addLocalMonitor(EventMask mask, LocalHandler handler) override;
  std::uint64_t pressedMouseButtons() const override { return buttons_; }
  std::uint64_t modifierFlags() const override;
  std::uint64_t eventCount(EventType type) const override;

  static constexpr double timeout = 2.0;
  // Presses of one button closer than this in time and distance make a double click.
  static constexpr Seconds doubleClickInterval = 0.5;
  static constexpr double doubleClickDistance = 4;

 private:
  enum class KeyRole : std::uint8_t { other, shift, control, option, command, capsLock };
  struct KeyInfo {
    KeyRole role = KeyRole::other;
    std::uint16_t virtualKeyCode = InputEvent::unknownKeyCode;
  };
  struct Monitor {
    EventMask mask = 0;
    GlobalHandler handler;
    bool connected = true;
  };

  void readKeymap();
  void readInitialState();
  void updateSelection();
  void handle(const xcb_generic_event_t& event);
  void keyPressed(xcb_keycode_t keycode, xcb_timestamp_t time, bool repeatFlag);
  void keyReleased(xcb_keycode_t keycode, xcb_timestamp_t time);
  void buttonPressed(std::uint32_t button, xcb_timestamp_t time);
  void buttonReleased(std::uint32_t button, xcb_timestamp_t time);
  void moved(xcb_timestamp_t time);
  std::uint64_t heldModifierFlags() const;
  Seconds timestamp(xcb_timestamp_t time);
  void count(EventType type);
  bool wanted(EventType type) const;
  void deliver(InputEvent event);

  Connection& connection_;
  Keyboard& keyboard_;
  X11Screens& screens_;
  std::uint8_t opcode_ = 0;
  bool motionSelected_ = false;
  std::array<KeyInfo, 256> keys_{};
  std::bitset<256> held_;
  bool capsLocked_ = false;
  std::uint64_t reportedFlags_ = 0;
  std::uint64_t buttons_ = 0;
  std::array<std::uint64_t, 32> counts_{};
  bool timeAnchored_ = false;
  xcb_timestamp_t lastServerTime_ = 0;
  std::int64_t lastMilliseconds_ = 0;
  // The press that the next one may make a double click with.
  int lastClickButton_ = -1;
  Seconds lastClickTime_ = 0;
  Point lastClickLocation_;
  int clickCount_ = 0;
  std::shared_ptr<std::vector<std::shared_ptr<Monitor>>> monitors_ =
      std::make_shared<std::vector<std::shared_ptr<Monitor>>>();
  // Lets the monitors' subscriptions reach the service while it lives.
  std::shared_ptr<X11EventMonitors*> self_ = std::make_shared<X11EventMonitors*>(this);
  Subscription events_;
  Subscription keymap_;
};

}  // namespace tavorin::x11
