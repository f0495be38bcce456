#include "cutpaste/cut_paste_shortcut.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "localization/localizer.hpp"
#include "localization/text_case.hpp"
#include "platform/key_names.hpp"

namespace tavorin {

namespace {

using Json = nlohmann::json;

constexpr std::uint16_t deleteKey = keyCodes::deleteKey;

bool hasCharacter(const CutPasteShortcut& shortcut) {
  return shortcut.character.has_value() && !shortcut.character->empty();
}

// A function key that names its key by code works without modifiers.
bool isBareFunctionKey(const CutPasteShortcut& shortcut) {
  return !hasCharacter(shortcut) && CutPasteShortcut::functionKeys().contains(shortcut.keyCode);
}

// A JSON number that is a whole number within 0…max (written as an integer or as a real number
// without a fraction).
std::optional<std::uint64_t> wholeNumber(const Json& value, std::uint64_t max) {
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (number <= max) return number;
    return std::nullopt;
  }
  if (value.is_number_integer()) {
    const auto number = value.get<std::int64_t>();
    if (number >= 0 && static_cast<std::uint64_t>(number) <= max) return number;
    return std::nullopt;
  }
  if (value.is_number_float()) {
    const double number = value.get<double>();
    // 2^64 itself is out of range; every double below it converts exactly.
    if (number >= 0 && number < 18446744073709551616.0 && std::floor(number) == number &&
        static_cast<std::uint64_t>(number) <= max) {
      return static_cast<std::uint64_t>(number);
    }
  }
  return std::nullopt;
}

struct FinderCommand {
  std::uint16_t keyCode;
  std::string_view letter;  // empty: the key itself (Delete)
  std::string_view keys;
  std::string_view command;
};

// The file manager's own ⌘ commands that a shortcut could take away, in the order they are
// checked.
constexpr std::array<FinderCommand, 10> finderCommands{{
    {8, "c", "⌘C", "Copy"},
    {6, "z", "⌘Z", "Undo"},
    {0, "a", "⌘A", "Select All"},
    {45, "n", "⌘N", "New Window"},
    {13, "w", "⌘W", "Close Window"},
    {12, "q", "⌘Q", "Quit"},
    {2, "d", "⌘D", "Duplicate"},
    {deleteKey, "", "⌘⌫", "Move to Trash"},
    {34, "i", "⌘I", "Get Info"},
    {3, "f", "⌘F", "Find"},
}};

}  // namespace

CutPasteShortcut CutPasteShortcut::defaultCut() {
  return {7, "x", command, "⌘X"};
}

CutPasteShortcut CutPasteShortcut::defaultPaste() {
  return {9, "v", command, "⌘V"};
}

const std::map<std::uint16_t, std::string_view>& CutPasteShortcut::functionKeys() {
  static const std::map<std::uint16_t, std::string_view> keys = [] {
    std::map<std::uint16_t, std::string_view> map;
    for (const FunctionKey& key : tavorin::functionKeys)
      map.emplace(key.keyCode, key.name);
    return map;
  }();
  return keys;
}

std::string CutPasteShortcut::keyName(std::uint16_t keyCode, std::string_view characters) {
  if (auto function = functionKeys().find(keyCode); function != functionKeys().end()) {
    return std::string(function->second);
  }
  if (keyCode == keyCodes::space) return L("Space");
  if (auto symbol = keySymbol(keyCode)) return std::string(*symbol);
  // Key names are upper-cased by the Turkish rules: "i" is shown as "İ" and "ı" as "I".
  return upperCased(characters.empty() ? std::string_view("?") : characters, "tr");
}

std::optional<CutPasteShortcut> CutPasteShortcut::from(const KeyEvent& event) {
  if (event.type != KeyEventType::keyDown) return std::nullopt;
  const std::uint64_t modifiers = event.modifierFlags & modifierMask;
  std::string display;
  if (modifiers & control) display += "⌃";
  if (modifiers & option) display += "⌥";
  if (modifiers & shift) display += "⇧";
  if (modifiers & command) display += "⌘";
  display += keyName(event.keyCode, event.charactersIgnoringModifiers);
  return CutPasteShortcut{event.keyCode, std::nullopt, modifiers, std::move(display)};
}

std::uint16_t CutPasteShortcut::matchKeyCode(KeyboardLayout& layout) const {
  if (hasCharacter(*this)) return layout.keyCode(*character);
  return keyCode;
}

bool CutPasteShortcut::matches(std::uint16_t pressedKeyCode, std::uint64_t flags,
                               KeyboardLayout& layout) const {
  return (flags & modifierMask) == modifiers && pressedKeyCode == matchKeyCode(layout);
}

std::optional<std::string> CutPasteShortcut::validationError(const CutPasteShortcut& cut,
                                                             const CutPasteShortcut& paste,
                                                             KeyboardLayout& layout) {
  const std::pair<const CutPasteShortcut&, std::string_view> named[] = {{cut, "Cut"},
                                                                        {paste, "Move here"}};
  for (const auto& [shortcut, name] : named) {
    if (isBareFunctionKey(shortcut)) continue;
    if (shortcut.modifiers == 0) {
      return L(
          "%@: Needs at least one modifier key (⌘, ⌥, ⌃ or ⇧); only F keys work on their "
          "own.",
          L(name));
    }
    if (shortcut.modifiers == shift) {
      return L("%@: A ⇧-only shortcut would block typing capital letters; add ⌘, ⌥ or ⌃.", L(name));
    }
  }
  if (cut.modifiers == paste.modifiers && cut.matchKeyCode(layout) == paste.matchKeyCode(layout)) {
    return L("Cut and Move here can't use the same shortcut.");
  }
  return std::nullopt;
}

std::optional<std::string> CutPasteShortcut::collisionWarning(KeyboardLayout& layout) const {
  // Every command of the table is ⌘ alone.
  if (modifiers != command) return std::nullopt;
  const std::uint16_t key = matchKeyCode(layout);
  for (const auto& row : finderCommands) {
    std::optional<std::uint16_t> rowKey = row.keyCode;
    // A letter that no key types in this layout cannot be taken away.
    if (!row.letter.empty()) rowKey = layout.find(row.letter);
    if (rowKey == key) {
      return L(
          "This shortcut replaces %@ in Finder; that command won't work with this key in "
          "Finder.",
          std::string(row.keys) + " (" + L(row.command) + ")");
    }
  }
  return std::nullopt;
}

std::string CutPasteShortcut::json() const {
  nlohmann::ordered_json object;
  object["keyCode"] = keyCode;
  if (character) object["character"] = *character;
  object["modifiers"] = modifiers;
  object["displayString"] = displayString;
  // Text that is not UTF-8 is stored with replacement characters rather than not at all.
  return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Bytes CutPasteShortcut::encoded() const {
  const std::string text = json();
  return Bytes(text.begin(), text.end());
}

std::optional<CutPasteShortcut> CutPasteShortcut::decode(std::span<const std::uint8_t> data) {
  return decode(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

std::optional<CutPasteShortcut> CutPasteShortcut::decode(std::string_view text) {
  const Json object = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!object.is_object()) return std::nullopt;
  const auto keyCodeField = object.find("keyCode");
  const auto modifiersField = object.find("modifiers");
  const auto displayField = object.find("displayString");
  if (keyCodeField == object.end() || modifiersField == object.end() ||
      displayField == object.end() || !displayField->is_string()) {
    return std::nullopt;
  }
  const auto code = wholeNumber(*keyCodeField, std::numeric_limits<std::uint16_t>::max());
  const auto flags = wholeNumber(*modifiersField, std::numeric_limits<std::uint64_t>::max());
  if (!code || !flags) return std::nullopt;
  CutPasteShortcut shortcut{static_cast<std::uint16_t>(*code), std::nullopt, *flags & modifierMask,
                            displayField->get<std::string>()};
  if (const auto characterField = object.find("character"); characterField != object.end()) {
    if (characterField->is_string()) {
      shortcut.character = characterField->get<std::string>();
    } else if (!characterField->is_null()) {
      return std::nullopt;
    }
  }
  return shortcut;
}

}  // namespace tavorin
