#include "pointer/core/pointer_shortcut.hpp"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "localization/localizer.hpp"
#include "localization/text_case.hpp"
#include "platform/key_names.hpp"

namespace tavorin {

namespace {

using Json = nlohmann::json;

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
  static const std::map<std::uint32_t, std::string_view> keys = [] {
    std::map<std::uint32_t, std::string_view> map;
    for (const FunctionKey& key : tavorin::functionKeys)
      map.emplace(key.keyCode, key.name);
    return map;
  }();
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
  } else if (event.keyCode == keyCodes::space) {
    display += L("Space");
  } else if (auto symbol = keySymbol(event.keyCode)) {
    display += *symbol;
  } else {
    // Key names are upper-cased by the Turkish rules: "i" is shown as "İ" and "ı" as "I".
    const std::string_view characters = event.charactersIgnoringModifiers;
    display += upperCased(characters.empty() ? std::string_view("?") : characters, "tr");
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
