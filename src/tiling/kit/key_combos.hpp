#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_event.hpp"
#include "platform/key_names.hpp"
#include "tiling/core/spatial.hpp"
#include "tiling/core/templates.hpp"

namespace tavorin {

class HotKeyCenter;

// Control + Option, the modifiers of every command shortcut.
inline constexpr std::uint32_t controlOption = KeyCombo::controlKey | KeyCombo::optionKey;

// The name a key shows in a combo: the F-key name, a symbol for the keys that have one, or what
// the key types (upper-cased in the interface language; "?" when it types nothing).
std::string keyName(std::uint32_t keyCode, std::string_view charactersIgnoringModifiers);

// The hot key a key press makes: none unless Control, Option or Command is held or the key is an
// F key (Shift alone does not count). The display shows ⌃ ⌥ ⇧ ⌘ in that order, then the key.
std::optional<KeyCombo> keyComboFrom(const KeyEvent& event);

// The combos window layout keeps for its own commands; no zone may use them.
const std::vector<KeyCombo>& reservedKeyCombos();

// The window layout commands behind the fixed shortcuts.
enum class TilingCommand { openEditor, newLayout, arrangeAll, nextLayout, move, extend };

struct CommandShortcut {
  std::uint32_t keyCode;
  std::uint32_t modifiers;
  TilingCommand command;
  // For `move` and `extend`.
  std::optional<Direction> direction;
};

// The command shortcuts in the order they are registered: ⌃⌥E, ⌃⌥N, ⌃⌥A, ⌃⌥T, then for left,
// right, up and down the move (⌃⌥ arrow) before the extend (⌃⌥⇧ arrow) shortcut.
const std::vector<CommandShortcut>& commandShortcuts();

// The zone number a stored zone shortcut key names: a decimal integer with an optional sign;
// none when it does not parse or is below 1.
std::optional<int> zoneNumber(std::string_view key);

// One registration pass: the command shortcuts in order, then one hot key per zone shortcut
// (entries that name no zone are skipped). `onZone` receives the zone index (number − 1).
// Answers the zone numbers whose registration failed; failed command shortcuts are only logged.
std::set<int> registerTilingHotKeys(HotKeyCenter& center,
                                    const std::map<std::string, KeyCombo>& zoneShortcuts,
                                    const std::function<void(const CommandShortcut&)>& onCommand,
                                    const std::function<void(int zoneIndex)>& onZone);

// What a key press does while a zone shortcut is being recorded.
struct ZoneShortcutRecording {
  enum class Outcome {
    cancelled,      // Escape: recording ends without change
    keepRecording,  // `message` tells why the press was not taken
    recorded,       // `combo` is the zone's new shortcut; the message is cleared
  };
  Outcome outcome = Outcome::keepRecording;
  std::string message;
  std::optional<KeyCombo> combo;
};
ZoneShortcutRecording recordZoneShortcut(const KeyEvent& event);

// Gives zone `zone` the combo (none removes its shortcut); any other zone with the same key and
// modifiers loses its shortcut first.
void setZoneShortcut(std::map<std::string, KeyCombo>& shortcuts, int zone,
                     std::optional<KeyCombo> combo);

// Shown for a zone whose shortcut could not be registered.
std::string zoneShortcutFailureMessage();

}  // namespace tavorin
