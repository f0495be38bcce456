#include "platform/x11/x11_xsettings.hpp"

#include <string>

namespace tavorin::x11 {

namespace {

enum SettingType : std::uint8_t { integerType = 0, stringType = 1, colorType = 2 };

// Reads the block in the byte order its first byte names; every read checks the length.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {
    if (length_ > 0) bigEndian_ = data_[0] == 1;
  }
  bool skip(std::size_t count) {
    if (length_ - position_ < count) return false;
    position_ += count;
    return true;
  }
  std::optional<std::uint8_t> byte() {
    if (position_ >= length_) return std::nullopt;
    return data_[position_++];
  }
  std::optional<std::uint32_t> number(std::size_t size) {
    if (length_ - position_ < size) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t index = bigEndian_ ? i : size - 1 - i;
      value = (value << 8) | data_[position_ + index];
    }
    position_ += size;
    return value;
  }
  std::optional<std::string_view> text(std::size_t size) {
    if (length_ - position_ < size) return std::nullopt;
    std::string_view result(reinterpret_cast<const char*>(data_ + position_), size);
    position_ += size;
    return result;
  }

 private:
  const std::uint8_t* data_;
  std::size_t length_;
  std::size_t position_ = 0;
  bool bigEndian_ = false;
};

std::size_t padding(std::size_t size) {
  return (4 - size % 4) % 4;
}

}  // namespace

std::optional<std::int32_t> XSettings::findInteger(const std::uint8_t* data, std::size_t length,
                                                   std::string_view name) {
  Reader reader(data, length);
  // Byte order, three unused bytes, the serial, the number of settings.
  if (!reader.skip(4) || !reader.number(4)) return std::nullopt;
  const auto count = reader.number(4);
  if (!count) return std::nullopt;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto type = reader.byte();
    if (!type || !reader.skip(1)) return std::nullopt;
    const auto nameLength = reader.number(2);
    if (!nameLength) return std::nullopt;
    const auto settingName = reader.text(*nameLength);
    // The name, its padding, and the serial of the last change.
    if (!settingName || !reader.skip(padding(*nameLength)) || !reader.number(4)) {
      return std::nullopt;
    }
    switch (*type) {
      case integerType: {
        const auto value = reader.number(4);
        if (!value) return std::nullopt;
        if (*settingName == name) return static_cast<std::int32_t>(*value);
        break;
      }
      case stringType: {
        const auto size = reader.number(4);
        if (!size || !reader.skip(*size) || !reader.skip(padding(*size))) return std::nullopt;
        break;
      }
      case colorType:
        if (!reader.skip(8)) return std::nullopt;
        break;
      default:
        // An unknown kind has an unknown size: nothing after it can be read.
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<std::int32_t> XSettings::integer(std::string_view name) {
  // The selection is numbered by the screen whose root window this connection uses.
  int screenNumber = 0;
  auto roots = xcb_setup_roots_iterator(xcb_get_setup(connection_.xcb()));
  for (int i = 0; roots.rem > 0; xcb_screen_next(&roots), ++i) {
    if (roots.data->root == connection_.root()) screenNumber = i;
  }
  const Deadline deadline = deadlineIn(timeout);
  const xcb_atom_t selection =
      connection_.internAtom("_XSETTINGS_S" + std::to_string(screenNumber), deadline);
  const xcb_atom_t property = connection_.internAtom("_XSETTINGS_SETTINGS", deadline);
  if (selection == XCB_ATOM_NONE || property == XCB_ATOM_NONE) return std::nullopt;
  auto owner = connection_.reply<xcb_get_selection_owner_reply_t>(
      xcb_get_selection_owner(connection_.xcb(), selection).sequence, deadline);
  if (!owner || owner->owner == XCB_WINDOW_NONE) return std::nullopt;
  auto cookie =
      xcb_get_property(connection_.xcb(), 0, owner->owner, property, property, 0, 1u << 20);
  auto reply = connection_.reply<xcb_get_property_reply_t>(cookie.sequence, deadline);
  if (!reply || reply->format != 8) return std::nullopt;
  return findInteger(static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get())),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply.get())), name);
}

bool XSettings::shouldReduceMotion() {
  const auto animations = integer("Gtk/EnableAnimations");
  return animations.has_value() && *animations == 0;
}

}  // namespace tavorin::x11
