#include "platform/x11/x11_event_monitors.hpp"

#include <xcb/xinput.h>

#include <chrono>
#include <cmath>

#include "platform/key_event.hpp"
#include "platform/x11/key_table.hpp"

namespace tavorin::x11 {

namespace {

constexpr std::uint32_t keyAndButtonEvents =
    XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE |
    XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;

constexpr EventMask motionEvents = eventMasks::mouseMoved | eventMasks::mouseDragged;

// The button number of an X button (1 left, 2 middle, 3 right, 8 and up further buttons).
int buttonNumber(std::uint32_t button) {
  switch (button) {
    case 1:
      return mouseButtons::left;
    case 2:
      return mouseButtons::middle;
    case 3:
      return mouseButtons::right;
    default:
      return static_cast<int>(button) - 5;
  }
}

bool isScrollButton(std::uint32_t button) {
  return button >= 4 && button <= 7;
}

// Only a change of x or y (valuators 0 and 1) moves the pointer; smooth scrolling moves other
// valuators and arrives as buttons 4 to 7 as well.
bool movesPointer(const xcb_input_raw_motion_event_t& motion) {
  const int words = xcb_input_raw_button_press_valuator_mask_length(&motion);
  const std::uint32_t* valuators = xcb_input_raw_button_press_valuator_mask(&motion);
  return words >= 1 && (valuators[0] & 0x3u) != 0;
}

EventType byButton(int number, EventType left, EventType right, EventType other) {
  if (number == mouseButtons::left) return left;
  if (number == mouseButtons::right) return right;
  return other;
}

}  // namespace

X11EventMonitors::X11EventMonitors(Connection& connection, Keyboard& keyboard, X11Screens& screens)
    : connection_(connection), keyboard_(keyboard), screens_(screens) {
  const auto* extension = xcb_get_extension_data(connection_.xcb(), &xcb_input_id);
  if (extension == nullptr || extension->present == 0) return;
  // Announcing 2.2 is what makes the server send raw events while another client holds a grab.
  auto cookie = xcb_input_xi_query_version(connection_.xcb(), 2, 2);
  auto version =
      connection_.reply<xcb_input_xi_query_version_reply_t>(cookie.sequence, deadlineIn(timeout));
  if (!version || version->major_version < 2 ||
      (version->major_version == 2 && version->minor_version < 2)) {
    return;
  }
  opcode_ = extension->major_opcode;
  readKeymap();
  readInitialState();
  updateSelection();
  events_ =
      connection_.addEventHandler([this](const xcb_generic_event_t& event) { handle(event); });
  keymap_ = keyboard_.observeKeymap([this] { readKeymap(); });
}

X11EventMonitors::~X11EventMonitors() {
  *self_ = nullptr;
  if (isAvailable() && !connection_.isBroken()) {
    struct {
      xcb_input_event_mask_t head;
      std::uint32_t bits;
    } none{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, 0};
    xcb_input_xi_select_events(connection_.xcb(), connection_.root(), 1, &none.head);
    connection_.flush();
  }
}

void X11EventMonitors::readKeymap() {
  keys_.fill({});
  xkb_keymap* keymap = keyboard_.keymap();
  if (keymap == nullptr) return;
  for (xkb_keycode_t keycode = 8; keycode < keys_.size(); ++keycode) {
    KeyInfo& info = keys_[keycode];
    if (auto name = keyboard_.keyName(keycode)) {
      if (auto code = virtualKeyCode(*name))
        info.virtualKeyCode = static_cast<std::uint16_t>(*code);
    }
    const xkb_keysym_t* symbols = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &symbols);
    for (int i = 0; i < count && info.role == KeyRole::other; ++i) {
      switch (symbols[i]) {
        case XKB_KEY_Shift_L:
        case XKB_KEY_Shift_R:
          info.role = KeyRole::shift;
          break;
        case XKB_KEY_Control_L:
        case XKB_KEY_Control_R:
          info.role = KeyRole::control;
          break;
        case XKB_KEY_Alt_L:
        case XKB_KEY_Alt_R:
        case XKB_KEY_Meta_L:
        case XKB_KEY_Meta_R:
        case XKB_KEY_ISO_Level3_Shift:
        case XKB_KEY_Mode_switch:
          info.role = KeyRole::option;
          break;
        case XKB_KEY_Super_L:
        case XKB_KEY_Super_R:
          info.role = KeyRole::command;
          break;
        case XKB_KEY_Caps_Lock:
          info.role = KeyRole::capsLock;
          break;
        default:
          break;
      }
    }
  }
}

void X11EventMonitors::readInitialState() {
  // Keys and buttons already down when listening begins are released later like any other.
  auto keymapCookie = xcb_query_keymap(connection_.xcb());
  auto pointerCookie = xcb_query_pointer(connection_.xcb(), connection_.root());
  const Deadline deadline = deadlineIn(timeout);
  if (auto keymap = connection_.reply<xcb_query_keymap_reply_t>(keymapCookie.sequence, deadline)) {
    for (std::size_t keycode = 0; keycode < held_.size(); ++keycode) {
      if ((keymap->keys[keycode / 8] >> (keycode % 8)) & 1) held_.set(keycode);
    }
  }
  if (auto pointer =
          connection_.reply<xcb_query_pointer_reply_t>(pointerCookie.sequence, deadline)) {
    capsLocked_ = (pointer->mask & XCB_MOD_MASK_LOCK) != 0;
    const std::pair<std::uint16_t, int> buttons[] = {{XCB_BUTTON_MASK_1, mouseButtons::left},
                                                     {XCB_BUTTON_MASK_2, mouseButtons::middle},
                                                     {XCB_BUTTON_MASK_3, mouseButtons::right}};
    for (const auto& [mask, number] : buttons) {
      if ((pointer->mask & mask) != 0) buttons_ |= std::uint64_t{1} << number;
    }
  }
  reportedFlags_ = modifierFlags();
}

void X11EventMonitors::updateSelection() {
  bool wantsMotion = false;
  for (const auto& monitor : *monitors_) {
    if ((monitor->mask & motionEvents) != 0) wantsMotion = true;
  }
  if (wantsMotion == motionSelected_ && events_) return;
  motionSelected_ = wantsMotion;
  struct {
    xcb_input_event_mask_t head;
    std::uint32_t bits;
  } mask{
      {XCB_INPUT_DEVICE_ALL_MASTER, 1},
      keyAndButtonEvents | (wantsMotion ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_MOTION} : 0u)};
  xcb_input_xi_select_events(connection_.xcb(), connection_.root(), 1, &mask.head);
  connection_.flush();
}

Subscription X11EventMonitors::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
  if (!isAvailable()) return {};
  auto monitor = std::make_shared<Monitor>();
  monitor->mask = mask;
  monitor->handler = std::move(handler);
  monitors_->push_back(monitor);
  updateSelection();
  return Subscription([weakSelf = std::weak_ptr(self_), weakMonitor = std::weak_ptr(monitor)] {
    auto monitor = weakMonitor.lock();
    if (!monitor) return;
    monitor->connected = false;
    auto self = weakSelf.lock();
    if (!self || *self == nullptr) return;
    std::erase((*(*self)->monitors_), monitor);
    (*self)->updateSelection();
  });
}

Subscription X11EventMonitors::addLocalMonitor(EventMask, LocalHandler) {
  if (!isAvailable()) return {};
  // The global monitors already see this program's input; see the class comment.
  return Subscription([] {});
}

std::uint64_t X11EventMonitors::heldModifierFlags() const {
  std::uint64_t flags = 0;
  for (std::size_t keycode = 0; keycode < keys_.size(); ++keycode) {
    if (!held_.test(keycode)) continue;
    switch (keys_[keycode].role) {
      case KeyRole::shift:
        flags |= eventFlags::shift;
        break;
      case KeyRole::control:
        flags |= eventFlags::control;
        break;
      case KeyRole::option:
        flags |= eventFlags::option;
        break;
      case KeyRole::command:
        flags |= eventFlags::command;
        break;
      case KeyRole::other:
      case KeyRole::capsLock:
        break;
    }
  }
  return flags;
}

std::uint64_t X11EventMonitors::modifierFlags() const {
  return heldModifierFlags() | (capsLocked_ ? eventFlags::capsLock : 0);
}

std::uint64_t X11EventMonitors::eventCount(EventType type) const {
  const auto index = static_cast<std::size_t>(type);
  return index < counts_.size() ? counts_[index] : 0;
}

void X11EventMonitors::count(EventType type) {
  ++counts_[static_cast<std::size_t>(type)];
}

Seconds X11EventMonitors::timestamp(xcb_timestamp_t time) {
  if (!timeAnchored_) {
    using namespace std::chrono;
    const std::int64_t now =
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    constexpr std::int64_t wrap = std::int64_t{1} << 32;
    std::int64_t full = (now - (now % wrap)) + time;
    if (full - now > wrap / 2) full -= wrap;
    if (now - full > wrap / 2) full += wrap;
    lastMilliseconds_ = full;
    timeAnchored_ = true;
  } else {
    // The difference in 32 bits, signed: right across the wrap and for a slightly older event.
    lastMilliseconds_ += static_cast<std::int32_t>(time - lastServerTime_);
  }
  lastServerTime_ = time;
  return static_cast<double>(lastMilliseconds_) / 1000.0;
}

bool X11EventMonitors::wanted(EventType type) const {
  for (const auto& monitor : *monitors_) {
    if ((monitor->mask & eventMask(type)) != 0) return true;
  }
  return false;
}

void X11EventMonitors::deliver(InputEvent event) {
  if (!wanted(event.type)) return;
  event.location = screens_.pointerLocation();
  // A handler may add or remove monitors; the ones removed on the way are skipped.
  std::vector<std::shared_ptr<Monitor>> matching;
  for (const auto& monitor : *monitors_) {
    if ((monitor->mask & eventMask(event.type)) != 0) matching.push_back(monitor);
  }
  for (const auto& monitor : matching) {
    if (monitor->connected && monitor->handler) monitor->handler(event);
  }
}

void X11EventMonitors::handle(const xcb_generic_event_t& generic) {
  if ((generic.response_type & 0x7f) == XCB_GE_GENERIC) {
    const auto& event = reinterpret_cast<const xcb_ge_generic_event_t&>(generic);
    if (event.extension != opcode_) return;
    const auto& raw = reinterpret_cast<const xcb_input_raw_key_press_event_t&>(generic);
    switch (event.event_type) {
      case XCB_INPUT_RAW_KEY_PRESS:
        keyPressed(static_cast<xcb_keycode_t>(raw.detail), raw.time,
                   (raw.flags & XCB_INPUT_KEY_EVENT_FLAGS_KEY_REPEAT) != 0);
        return;
      case XCB_INPUT_RAW_KEY_RELEASE:
        keyReleased(static_cast<xcb_keycode_t>(raw.detail), raw.time);
        return;
      case XCB_INPUT_RAW_BUTTON_PRESS:
        buttonPressed(raw.detail, raw.time);
        return;
      case XCB_INPUT_RAW_BUTTON_RELEASE:
        buttonReleased(raw.detail, raw.time);
        return;
      case XCB_INPUT_RAW_MOTION: {
        const auto& motion = reinterpret_cast<const xcb_input_raw_motion_event_t&>(generic);
        if (movesPointer(motion)) moved(motion.time);
        return;
      }
      default:
        return;
    }
  }
}

void X11EventMonitors::keyPressed(xcb_keycode_t keycode, xcb_timestamp_t time, bool repeatFlag) {
  const KeyInfo& key = keys_[keycode];
  const bool repeat = repeatFlag || held_.test(keycode);
  held_.set(keycode);
  if (key.role == KeyRole::other) {
    count(EventType::keyDown);
    InputEvent event;
    event.type = EventType::keyDown;
    event.timestamp = timestamp(time);
    event.modifierFlags = modifierFlags();
    event.keyCode = key.virtualKeyCode;
    event.isRepeat = repeat;
    deliver(event);
    return;
  }
  if (repeat) return;
  if (key.role == KeyRole::capsLock) capsLocked_ = !capsLocked_;
  const std::uint64_t flags = modifierFlags();
  if (flags == reportedFlags_) return;
  reportedFlags_ = flags;
  count(EventType::flagsChanged);
  InputEvent event;
  event.type = EventType::flagsChanged;
  event.timestamp = timestamp(time);
  event.modifierFlags = flags;
  event.keyCode = key.virtualKeyCode;
  deliver(event);
}

void X11EventMonitors::keyReleased(xcb_keycode_t keycode, xcb_timestamp_t time) {
  if (!held_.test(keycode)) return;
  held_.reset(keycode);
  const KeyInfo& key = keys_[keycode];
  InputEvent event;
  event.timestamp = timestamp(time);
  event.keyCode = key.virtualKeyCode;
  if (key.role == KeyRole::other) {
    count(EventType::keyUp);
    event.type = EventType::keyUp;
    event.modifierFlags = modifierFlags();
    deliver(event);
    return;
  }
  const std::uint64_t flags = modifierFlags();
  if (flags == reportedFlags_) return;
  reportedFlags_ = flags;
  count(EventType::flagsChanged);
  event.type = EventType::flagsChanged;
  event.modifierFlags = flags;
  deliver(event);
}

void X11EventMonitors::buttonPressed(std::uint32_t button, xcb_timestamp_t time) {
  if (isScrollButton(button)) {
    count(EventType::scrollWheel);
    InputEvent event;
    event.type = EventType::scrollWheel;
    event.timestamp = timestamp(time);
    event.modifierFlags = modifierFlags();
    deliver(event);
    return;
  }
  const int number = buttonNumber(button);
  if (number < 0 || number >= 64) return;
  const std::uint64_t bit = std::uint64_t{1} << number;
  if ((buttons_ & bit) != 0) return;
  buttons_ |= bit;
  const EventType type = byButton(number, EventType::leftMouseDown, EventType::rightMouseDown,
                                  EventType::otherMouseDown);
  count(type);
  InputEvent event;
  event.type = type;
  event.timestamp = timestamp(time);
  event.modifierFlags = modifierFlags();
  event.buttonNumber = number;
  if (!wanted(type)) {
    lastClickButton_ = -1;
    return;
  }
  // Where the press is decides the click count, so it is read here and passed on as it is.
  const Point location = screens_.pointerLocation();
  const bool again = lastClickButton_ == number &&
                     event.timestamp - lastClickTime_ <= doubleClickInterval &&
                     std::abs(location.x - lastClickLocation_.x) <= doubleClickDistance &&
                     std::abs(location.y - lastClickLocation_.y) <= doubleClickDistance;
  clickCount_ = again ? clickCount_ + 1 : 1;
  lastClickButton_ = number;
  lastClickTime_ = event.timestamp;
  lastClickLocation_ = location;
  event.clickCount = clickCount_;
  deliver(event);
}

void X11EventMonitors::buttonReleased(std::uint32_t button, xcb_timestamp_t time) {
  if (isScrollButton(button)) return;
  const int number = buttonNumber(button);
  if (number < 0 || number >= 64) return;
  const std::uint64_t bit = std::uint64_t{1} << number;
  if ((buttons_ & bit) == 0) return;
  buttons_ &= ~bit;
  const EventType type =
      byButton(number, EventType::leftMouseUp, EventType::rightMouseUp, EventType::otherMouseUp);
  count(type);
  InputEvent event;
  event.type = type;
  event.timestamp = timestamp(time);
  event.modifierFlags = modifierFlags();
  event.buttonNumber = number;
  event.clickCount = lastClickButton_ == number ? clickCount_ : 1;
  deliver(event);
}

void X11EventMonitors::moved(xcb_timestamp_t time) {
  EventType type = EventType::mouseMoved;
  int number = 0;
  if ((buttons_ & (1u << mouseButtons::left)) != 0) {
    type = EventType::leftMouseDragged;
    number = mouseButtons::left;
  } else if ((buttons_ & (1u << mouseButtons::right)) != 0) {
    type = EventType::rightMouseDragged;
    number = mouseButtons::right;
  } else if (buttons_ != 0) {
    type = EventType::otherMouseDragged;
    while (((buttons_ >> number) & 1) == 0)
      ++number;
  }
  count(type);
  const Seconds when = timestamp(time);
  if (!wanted(type)) return;
  // Only the newest of the motion queued before the next button change is worth a look at the
  // pointer.
  bool nextIsMotion = false;
  connection_.hasQueuedEventSince(0, [&](const xcb_generic_event_t& queued) {
    if ((queued.response_type & 0x7f) != XCB_GE_GENERIC) return false;
    const auto& ge = reinterpret_cast<const xcb_ge_generic_event_t&>(queued);
    if (ge.extension != opcode_) return false;
    if (ge.event_type == XCB_INPUT_RAW_MOTION) {
      const auto& motion = reinterpret_cast<const xcb_input_raw_motion_event_t&>(queued);
      if (!movesPointer(motion)) return false;
      nextIsMotion = true;
      return true;
    }
    return ge.event_type == XCB_INPUT_RAW_BUTTON_PRESS ||
           ge.event_type == XCB_INPUT_RAW_BUTTON_RELEASE;
  });
  if (nextIsMotion) return;
  InputEvent event;
  event.type = type;
  event.timestamp = when;
  event.modifierFlags = modifierFlags();
  event.buttonNumber = number;
  deliver(event);
}

}  // namespace tavorin::x11
