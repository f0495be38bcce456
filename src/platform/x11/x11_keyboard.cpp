#include "platform/x11/x11_keyboard.hpp"

// The XKB protocol header names a member `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>

#include "platform/system_log.hpp"

namespace tavorin::x11 {

namespace {

constexpr double timeout = 2.0;

// The first bytes every XKB event shares.
struct XkbEventHead {
  std::uint8_t responseType;
  std::uint8_t xkbType;
  std::uint16_t sequence;
  xcb_timestamp_t time;
  std::uint8_t deviceID;
};

}  // namespace

Keyboard::Keyboard(Connection& connection) : connection_(connection) {
  context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  std::uint8_t eventBase = 0;
  if (context_ == nullptr ||
      xkb_x11_setup_xkb_extension(
          connection_.xcb(), XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
          XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &eventBase, nullptr) == 0) {
    SystemLog::write({"x11", "keyboard", LogLevel::error, "the X server has no usable XKB"});
    return;
  }
  eventBase_ = eventBase;
  deviceID_ = xkb_x11_get_core_keyboard_device_id(connection_.xcb());
  if (deviceID_ < 0) return;

  constexpr std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY |
                                   XCB_XKB_EVENT_TYPE_MAP_NOTIFY | XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
  constexpr std::uint16_t mapParts =
      XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP |
      XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS | XCB_XKB_MAP_PART_KEY_ACTIONS |
      XCB_XKB_MAP_PART_VIRTUAL_MODS | XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
  constexpr std::uint16_t stateParts =
      XCB_XKB_STATE_PART_MODIFIER_BASE | XCB_XKB_STATE_PART_MODIFIER_LATCH |
      XCB_XKB_STATE_PART_MODIFIER_LOCK | XCB_XKB_STATE_PART_GROUP_BASE |
      XCB_XKB_STATE_PART_GROUP_LATCH | XCB_XKB_STATE_PART_GROUP_LOCK;
  xcb_xkb_select_events_details_t details{};
  details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
  details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
  details.affectState = stateParts;
  details.stateDetails = stateParts;
  xcb_xkb_select_events_aux(connection_.xcb(), static_cast<xcb_xkb_device_spec_t>(deviceID_),
                            events, 0, 0, mapParts, mapParts, &details);
  // A held key repeats as presses alone, without releases in between, so that a repeat can be
  // told from a new press.
  auto flags = xcb_xkb_per_client_flags(connection_.xcb(), XCB_XKB_ID_USE_CORE_KBD,
                                        XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                                        XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
  connection_.reply<xcb_xkb_per_client_flags_reply_t>(flags.sequence, deadlineIn(timeout));
  reload();
  events_ =
      connection_.addEventHandler([this](const xcb_generic_event_t& event) { handle(event); });
}

Keyboard::~Keyboard() {
  if (state_ != nullptr) xkb_state_unref(state_);
  if (keymap_ != nullptr) xkb_keymap_unref(keymap_);
  if (context_ != nullptr) xkb_context_unref(context_);
}

void Keyboard::reload() {
  xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context_, connection_.xcb(), deviceID_,
                                                      XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (keymap == nullptr) {
    SystemLog::write({"x11", "keyboard", LogLevel::error, "the keymap could not be read"});
    return;
  }
  xkb_state* state = xkb_x11_state_new_from_device(keymap, connection_.xcb(), deviceID_);
  if (state == nullptr) {
    xkb_keymap_unref(keymap);
    return;
  }
  if (state_ != nullptr) xkb_state_unref(state_);
  if (keymap_ != nullptr) xkb_keymap_unref(keymap_);
  keymap_ = keymap;
  state_ = state;
  readModifierMasks();
}

void Keyboard::readModifierMasks() {
  auto cookie = xcb_get_modifier_mapping(connection_.xcb());
  auto reply =
      connection_.reply<xcb_get_modifier_mapping_reply_t>(cookie.sequence, deadlineIn(timeout));
  ModifierMasks masks;
  if (reply && keymap_ != nullptr) {
    const int perModifier = reply->keycodes_per_modifier;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    std::optional<std::uint16_t> alt, super, numLock;
    // Shift, Lock and Control are fixed; Mod1..Mod5 carry whatever keys the keymap puts there.
    for (int modifier = 3; modifier < 8; ++modifier) {
      const auto mask = static_cast<std::uint16_t>(1u << modifier);
      for (int i = 0; i < perModifier; ++i) {
        const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
        if (keycode == 0) continue;
        const xkb_keysym_t* symbols = nullptr;
        const int count = xkb_keymap_key_get_syms_by_level(keymap_, keycode, 0, 0, &symbols);
        for (int s = 0; s < count; ++s) {
          switch (symbols[s]) {
            case XKB_KEY_Alt_L:
            case XKB_KEY_Alt_R:
              if (!alt) alt = mask;
              break;
            case XKB_KEY_Super_L:
            case XKB_KEY_Super_R:
              if (!super) super = mask;
              break;
            case XKB_KEY_Num_Lock:
              if (!numLock) numLock = mask;
              break;
            default:
              break;
          }
        }
      }
    }
    if (alt) masks.alt = *alt;
    if (super) masks.super = *super;
    if (numLock) masks.numLock = *numLock;
  }
  masks_ = masks;
}

void Keyboard::handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_MAPPING_NOTIFY) {
    readModifierMasks();
    keymapChanged_.emit();
    return;
  }
  if (keymap_ == nullptr || type != eventBase_) return;
  const auto& head = reinterpret_cast<const XkbEventHead&>(event);
  if (head.deviceID != deviceID_) return;
  switch (head.xkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY: {
      const auto& notify = reinterpret_cast<const xcb_xkb_new_keyboard_notify_event_t&>(event);
      if ((notify.changed & XCB_XKB_NKN_DETAIL_KEYCODES) == 0) return;
      reload();
      keymapChanged_.emit();
      groupChanged_.emit();
      return;
    }
    case XCB_XKB_MAP_NOTIFY:
      reload();
      keymapChanged_.emit();
      groupChanged_.emit();
      return;
    case XCB_XKB_STATE_NOTIFY: {
      const auto& notify = reinterpret_cast<const xcb_xkb_state_notify_event_t&>(event);
      const xkb_layout_index_t before = currentGroup();
      xkb_state_update_mask(state_, notify.baseMods, notify.latchedMods, notify.lockedMods,
                            static_cast<xkb_layout_index_t>(notify.baseGroup),
                            static_cast<xkb_layout_index_t>(notify.latchedGroup),
                            static_cast<xkb_layout_index_t>(notify.lockedGroup));
      if (currentGroup() != before) groupChanged_.emit();
      return;
    }
    default:
      return;
  }
}

xkb_layout_index_t Keyboard::currentGroup() const {
  if (state_ == nullptr) return 0;
  return xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE);
}

std::optional<xkb_keycode_t> Keyboard::keycode(std::string_view xkbKeyName) const {
  if (keymap_ == nullptr) return std::nullopt;
  const std::string name(xkbKeyName);
  const xkb_keycode_t keycode = xkb_keymap_key_by_name(keymap_, name.c_str());
  if (keycode == XKB_KEYCODE_INVALID) return std::nullopt;
  return keycode;
}

std::optional<std::string> Keyboard::keyName(xkb_keycode_t keycode) const {
  if (keymap_ == nullptr) return std::nullopt;
  const char* name = xkb_keymap_key_get_name(keymap_, keycode);
  if (name == nullptr) return std::nullopt;
  return std::string(name);
}

Subscription Keyboard::observeKeymap(std::function<void()> onChange) {
  return keymapChanged_.connect([onChange = std::move(onChange)] { onChange(); });
}

Subscription Keyboard::observeGroup(std::function<void()> onChange) {
  return groupChanged_.connect([onChange = std::move(onChange)] { onChange(); });
}

}  // namespace tavorin::x11
