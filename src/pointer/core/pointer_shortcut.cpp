#include "pointer/core/pointer_shortcut.hpp"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "localization/localizer.hpp"

namespace tavorin {

namespace {

using Json = nlohmann::json;

// Key names are upper-cased by the Turkish rules: "i" is shown as "İ" and "ı" as "I".
std::string turkishUpper(std::string_view text) {
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  unicode.toUpper(icu::Locale("tr", "TR"));
  std::string result;
  unicode.toUTF8String(result);
  return result;
}

std::optional<std::string> specialKeyName(std::uint32_t keyCode) {
  switch (keyCode) {
    case 36:
      return "↩";
    case 48:
      return "⇥";
    case 49:
      return L("Space");
    case 51:
      return "⌫";
    case 115:
      return "↖";
    case 116:
      return "⇞";
    case 117:
      return "⌦";
    case 119:
      return "↘";
    case 121:
      return "⇟";
    case 123:
      return "←";
    case 124:
      return "→";
    case 125:
      return "↓";
    case 126:
      return "↑";
    default:
      return std::nullopt;
  }
}

std::optional<std::uint32_t> unsigned32(const Json& value) {
  constexpr auto max = std::numeric_limits<std::uint32_t>::max();
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (number <= max) return static_cast<std::uint32_t>(number);
  } else if (value.is_number_integer()) {
    const auto number = value.get<std::int64_t>();
    if (number >= 0 && number <= static_cast<std::int64_t>(max)) {
      return static_cast<std::uint32_t>(number);
    }
  } else if (value.is_number_float()) {
    const double number = value.get<double>();
    if (number >= 0 && number <= max && std::floor(number) == number) {
      return static_cast<std::uint32_t>(number);
    }
  }
  return std::nullopt;
}

}  // namespace

PointerShortcut PointerShortcut::defaultShortcut() {
  return {35, hotKeyModifiers::control | hotKeyModifiers::option, "⌃⌥P"};
}

const std::map<std::uint32_t, std::string_view>& PointerShortcut::functionKeys() {
  static const std::map<std::uint32_t, std::string_view> keys{
      {122, "F1"},  {120, "F2"},  {99, "F3"},   {118, "F4"},  {96, "F5"},
      {97, "F6"},   {98, "F7"},   {100, "F8"},  {101, "F9"},  {109, "F10"},
      {103, "F11"}, {111, "F12"}, {105, "F13"}, {107, "F14"}, {113, "F15"},
      {106, "F16"}, {64, "F17"},  {79, "F18"},  {80, "F19"},  {90, "F20"},
  };
  return keys;
}

std::string PointerShortcut::storageString() const {
  nlohmann::ordered_json object;
  object["keyCode"] = keyCode;
  object["carbonModifiers"] = carbonModifiers;
  object["displayString"] = displayString;
  // Text that is not UTF-8 is kept with replacement characters: the shortcut itself survives.
  return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<PointerShortcut> PointerShortcut::fromStorage(std::string_view storage) {
  const Json object = Json::parse(storage, nullptr, /*allow_exceptions=*/false);
  if (!object.is_object()) return std::nullopt;
  const auto keyCodeField = object.find("keyCode");
  const auto modifiersField = object.find("carbonModifiers");
  const auto displayField = object.find("displayString");
  if (keyCodeField == object.end() || modifiersField == object.end() ||
      displayField == object.end() || !displayField->is_string()) {
    return std::nullopt;
  }
  const auto code = unsigned32(*keyCodeField);
  const auto modifiers = unsigned32(*modifiersField);
  if (!code || !modifiers) return std::nullopt;
  return PointerShortcut{*code, *modifiers, displayField->get<std::string>()};
}

std::variant<PointerShortcut, PointerShortcut::RecordError> PointerShortcut::from(
    const KeyEvent& event) {
  const std::uint64_t flags = event.modifierFlags;
  const auto function = functionKeys().find(event.keyCode);
  const bool isFunctionKey = function != functionKeys().end();
  if (!isFunctionKey &&
      (flags & (eventFlags::control | eventFlags::option | eventFlags::command)) == 0) {
    return RecordError::needsModifier;
  }
  std::string display;
  std::uint32_t modifiers = 0;
  if (flags & eventFlags::control) {
    display += "⌃";
    modifiers |= hotKeyModifiers::control;
  }
  if (flags & eventFlags::option) {
    display += "⌥";
    modifiers |= hotKeyModifiers::option;
  }
  if (flags & eventFlags::shift) {
    display += "⇧";
    modifiers |= hotKeyModifiers::shift;
  }
  if (flags & eventFlags::command) {
    display += "⌘";
    modifiers |= hotKeyModifiers::command;
  }
  if (isFunctionKey) {
    display += function->second;
  } else if (auto special = specialKeyName(event.keyCode)) {
    display += *special;
  } else {
    const std::string_view characters = event.charactersIgnoringModifiers;
    display += turkishUpper(characters.empty() ? std::string_view("?") : characters);
  }
  return PointerShortcut{event.keyCode, modifiers, std::move(display)};
}

std::string PointerShortcut::message(RecordError error) {
  switch (error) {
    case RecordError::needsModifier:
      return L("Needs at least one modifier key (⌘, ⌥ or ⌃); only F keys work on their own.");
  }
  return {};
}

}  // namespace tavorin
