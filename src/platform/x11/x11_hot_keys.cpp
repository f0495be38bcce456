#include "platform/x11/x11_hot_keys.hpp"

#include <algorithm>
#include <string>

#include "platform/system_log.hpp"

namespace tavorin::x11 {

namespace {

void logDebug(const std::string& message) {
  SystemLog::write({"x11", "hotkeys", LogLevel::debug, message});
}

}  // namespace

X11HotKeys::X11HotKeys(Connection& connection, Keyboard& keyboard)
    : connection_(connection), keyboard_(keyboard) {
  events_ =
      connection_.addEventHandler([this](const xcb_generic_event_t& event) { handle(event); });
  keymap_ = keyboard_.observeKeymap([this] { regrabAll(); });
}

X11HotKeys::~X11HotKeys() {
  if (grabs_.empty()) return;
  for (const auto& [ref, entry] : grabs_)
    ungrab(entry);
  // Once this returns the keys are free for others.
  connection_.sync(deadlineIn(timeout));
}

std::vector<std::uint16_t> X11HotKeys::lockVariants() const {
  const ModifierMasks& masks = keyboard_.masks();
  std::vector<std::uint16_t> variants{0, masks.lock};
  if (masks.numLock != 0 && masks.numLock != masks.lock) {
    variants.push_back(masks.numLock);
    variants.push_back(static_cast<std::uint16_t>(masks.lock | masks.numLock));
  }
  return variants;
}

std::int32_t X11HotKeys::grab(Grab& entry) {
  auto name = xkbKeyName(entry.keyCode);
  auto keycode = name ? keyboard_.keycode(*name) : std::nullopt;
  entry.keycode = 0;
  if (!keycode || *keycode > 255) return hotKeyStatus::invalidHotKey;
  entry.keycode = static_cast<xcb_keycode_t>(*keycode);
  entry.mask = xModifierMask(entry.modifiers, keyboard_.masks());

  std::vector<xcb_void_cookie_t> cookies;
  for (std::uint16_t variant : lockVariants()) {
    cookies.push_back(xcb_grab_key_checked(
        connection_.xcb(), 0, connection_.root(), static_cast<std::uint16_t>(entry.mask | variant),
        entry.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
  }
  if (!connection_.sync(deadlineIn(timeout))) {
    ungrab(entry);
    return hotKeyStatus::invalidArgument;
  }
  int refused = 0;
  for (const auto& cookie : cookies) {
    if (int error = connection_.voidError(cookie); error != 0 && refused != XCB_ACCESS) {
      refused = error;
    }
  }
  if (refused == 0) return hotKeyStatus::ok;
  // All or nothing: the variants that did succeed are given back.
  ungrab(entry);
  logDebug("grab of key " + std::to_string(entry.keyCode) + " with modifiers " +
           std::to_string(entry.modifiers) + " refused by the server (X error " +
           std::to_string(refused) + ")");
  return refused == XCB_ACCESS ? hotKeyStatus::alreadyTaken : hotKeyStatus::invalidHotKey;
}

void X11HotKeys::ungrab(const Grab& entry) {
  if (entry.keycode == 0) return;
  for (std::uint16_t variant : lockVariants()) {
    xcb_ungrab_key(connection_.xcb(), entry.keycode, connection_.root(),
                   static_cast<std::uint16_t>(entry.mask | variant));
  }
}

HotKeyRegistration X11HotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                              HotKeyID id) {
  if ((modifiers & ~hotKeyModifiers::all) != 0) return {hotKeyStatus::invalidHotKey, 0};
  for (const auto& [ref, entry] : grabs_) {
    if (entry.keyCode == keyCode && entry.modifiers == modifiers) {
      return {hotKeyStatus::alreadyTaken, 0};
    }
  }
  if (!keyboard_.isValid() || connection_.isBroken()) return {hotKeyStatus::invalidArgument, 0};
  Grab entry{keyCode, modifiers, id, 0, 0};
  const std::int32_t status = grab(entry);
  if (status != hotKeyStatus::ok) return {status, 0};
  const HotKeyRef ref = nextRef_++;
  grabs_.emplace(ref, entry);
  return {hotKeyStatus::ok, ref};
}

std::int32_t X11HotKeys::unregisterHotKey(HotKeyRef ref) {
  auto it = grabs_.find(ref);
  if (it == grabs_.end()) return hotKeyStatus::invalidArgument;
  ungrab(it->second);
  connection_.sync(deadlineIn(timeout));
  grabs_.erase(it);
  return hotKeyStatus::ok;
}

void X11HotKeys::regrabAll() {
  // Key codes and modifier masks may have moved: give every grab back and take it again.
  for (auto& [ref, entry] : grabs_) {
    ungrab(entry);
    if (grab(entry) != hotKeyStatus::ok) {
      logDebug("hot key " + std::to_string(entry.keyCode) + " lost with the new keymap");
    }
  }
}

Subscription X11HotKeys::installHandler(std::function<bool(HotKeyID)> handler) {
  const std::uint64_t key = nextHandler_++;
  handlers_->emplace_back(key, std::move(handler));
  return Subscription([weak = std::weak_ptr<Handlers>(handlers_), key] {
    if (auto handlers = weak.lock()) {
      std::erase_if(*handlers, [key](const auto& entry) { return entry.first == key; });
    }
  });
}

bool X11HotKeys::dispatch(HotKeyID id) {
  const Handlers handlers = *handlers_;
  for (const auto& [key, handler] : handlers) {
    const bool installed = std::any_of(handlers_->begin(), handlers_->end(),
                                       [&](const auto& entry) { return entry.first == key; });
    if (installed && handler(id)) return true;
  }
  return false;
}

void X11HotKeys::handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_KEY_RELEASE) {
    held_.erase(reinterpret_cast<const xcb_key_release_event_t&>(event).detail);
    return;
  }
  if (type != XCB_KEY_PRESS) return;
  const auto& press = reinterpret_cast<const xcb_key_press_event_t&>(event);
  // A key held down repeats as presses alone: only the first one counts.
  if (!held_.insert(press.detail).second) return;
  // Only the eight modifier bits count; pointer buttons and lock modifiers do not.
  const auto state = static_cast<std::uint16_t>(press.state & 0xff & ~keyboard_.masks().ignored());
  for (const auto& [ref, entry] : grabs_) {
    if (entry.keycode == press.detail && entry.mask == state) {
      dispatch(entry.id);
      return;
    }
  }
}

}  // namespace tavorin::x11
