#include "tiling/kit/key_combos.hpp"

#include <charconv>
#include <limits>

#include "localization/localizer.hpp"
#include "localization/text_case.hpp"
#include "tiling/kit/hot_key_center.hpp"

namespace tavorin {

namespace {

constexpr std::uint32_t escapeKey = keyCodes::escape;
constexpr std::uint32_t extendModifiers = controlOption | KeyCombo::shiftKey;

struct Arrow {
  std::uint32_t keyCode;
  Direction direction;
  std::string_view symbol;
};

constexpr std::array<Arrow, 4> arrows{{
    {123, Direction::left, "←"},
    {124, Direction::right, "→"},
    {126, Direction::up, "↑"},
    {125, Direction::down, "↓"},
}};

}  // namespace

std::string keyName(std::uint32_t keyCode, std::string_view charactersIgnoringModifiers) {
  if (auto name = functionKeyName(keyCode)) return std::string(*name);
  if (keyCode == keyCodes::space) return "Space";
  if (auto symbol = keySymbol(keyCode)) return std::string(*symbol);
  if (charactersIgnoringModifiers.empty()) return "?";
  return upperCased(charactersIgnoringModifiers, Localizer::currentLanguage().code);
}

std::optional<KeyCombo> keyComboFrom(const KeyEvent& event) {
  const std::uint64_t flags = event.modifierFlags;
  const bool control = (flags & eventFlags::control) != 0;
  const bool option = (flags & eventFlags::option) != 0;
  const bool shift = (flags & eventFlags::shift) != 0;
  const bool command = (flags & eventFlags::command) != 0;
  if (!control && !option && !command && !functionKeyName(event.keyCode)) {
    return std::nullopt;
  }
  std::string display;
  std::uint32_t modifiers = 0;
  if (control) {
    display += "⌃";
    modifiers |= KeyCombo::controlKey;
  }
  if (option) {
    display += "⌥";
    modifiers |= KeyCombo::optionKey;
  }
  if (shift) {
    display += "⇧";
    modifiers |= KeyCombo::shiftKey;
  }
  if (command) {
    display += "⌘";
    modifiers |= KeyCombo::commandKey;
  }
  display += keyName(event.keyCode, event.charactersIgnoringModifiers);
  return KeyCombo{event.keyCode, modifiers, display};
}

const std::vector<CommandShortcut>& commandShortcuts() {
  static const std::vector<CommandShortcut> table = [] {
    std::vector<CommandShortcut> result{
        {14, controlOption, TilingCommand::openEditor, std::nullopt},
        {45, controlOption, TilingCommand::newLayout, std::nullopt},
        {0, controlOption, TilingCommand::arrangeAll, std::nullopt},
        {17, controlOption, TilingCommand::nextLayout, std::nullopt},
    };
    for (const Arrow& arrow : arrows) {
      result.push_back({arrow.keyCode, controlOption, TilingCommand::move, arrow.direction});
      result.push_back({arrow.keyCode, extendModifiers, TilingCommand::extend, arrow.direction});
    }
    return result;
  }();
  return table;
}

const std::vector<KeyCombo>& reservedKeyCombos() {
  static const std::vector<KeyCombo> reserved = [] {
    std::vector<KeyCombo> result{
        {14, controlOption, "⌃⌥E"},
        {45, controlOption, "⌃⌥N"},
        {0, controlOption, "⌃⌥A"},
        {17, controlOption, "⌃⌥T"},
    };
    for (const Arrow& arrow : arrows) {
      result.push_back({arrow.keyCode, controlOption, "⌃⌥" + std::string(arrow.symbol)});
      result.push_back({arrow.keyCode, extendModifiers, "⌃⌥⇧" + std::string(arrow.symbol)});
    }
    return result;
  }();
  return reserved;
}

std::optional<int> zoneNumber(std::string_view key) {
  bool negative = false;
  if (!key.empty() && (key.front() == '+' || key.front() == '-')) {
    negative = key.front() == '-';
    key.remove_prefix(1);
  }
  // from_chars would take a second sign.
  if (key.empty() || key.front() < '0' || key.front() > '9') return std::nullopt;
  long long value = 0;
  auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), value);
  if (error != std::errc() || end != key.data() + key.size()) return std::nullopt;
  if (negative || value < 1 || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

std::set<int> registerTilingHotKeys(HotKeyCenter& center,
                                    const std::map<std::string, KeyCombo>& zoneShortcuts,
                                    const std::function<void(const CommandShortcut&)>& onCommand,
                                    const std::function<void(int zoneIndex)>& onZone) {
  for (const CommandShortcut& shortcut : commandShortcuts()) {
    center.registerHotKey(shortcut.keyCode, shortcut.modifiers,
                          [onCommand, shortcut] { onCommand(shortcut); });
  }
  std::set<int> failures;
  for (const auto& [key, combo] : zoneShortcuts) {
    auto number = zoneNumber(key);
    if (!number) continue;
    const int index = *number - 1;
    if (!center.registerHotKey(combo.keyCode, combo.carbonModifiers,
                               [onZone, index] { onZone(index); })) {
      failures.insert(*number);
    }
  }
  return failures;
}

ZoneShortcutRecording recordZoneShortcut(const KeyEvent& event) {
  using Outcome = ZoneShortcutRecording::Outcome;
  if (event.keyCode == escapeKey) return {Outcome::cancelled, {}, std::nullopt};
  auto combo = keyComboFrom(event);
  if (!combo) {
    return {Outcome::keepRecording,
            L("Use at least one of ⌘, ⌥ or ⌃. Only F keys work on their own."), std::nullopt};
  }
  for (const KeyCombo& reserved : reservedKeyCombos()) {
    if (reserved.keyCode == combo->keyCode && reserved.carbonModifiers == combo->carbonModifiers) {
      return {Outcome::keepRecording,
              L("%@ is already used by Window Layout. Choose another one.", reserved.display),
              std::nullopt};
    }
  }
  return {Outcome::recorded, {}, combo};
}

void setZoneShortcut(std::map<std::string, KeyCombo>& shortcuts, int zone,
                     std::optional<KeyCombo> combo) {
  const std::string key = std::to_string(zone);
  if (combo) {
    std::erase_if(shortcuts, [&](const auto& entry) {
      return entry.first != key && entry.second.keyCode == combo->keyCode &&
             entry.second.carbonModifiers == combo->carbonModifiers;
    });
    shortcuts[key] = *combo;
  } else {
    shortcuts.erase(key);
  }
}

std::string zoneShortcutFailureMessage() {
  return L("This shortcut is used by macOS or another app. Choose another one.");
}

}  // namespace tavorin
