#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tiling/core/layout_node.hpp"
#include "tiling/core/uuid.hpp"

namespace tavorin {

// A named layout.
struct LayoutTemplate {
  Uuid id;
  std::string name;
  LayoutNode root;

  std::vector<TRect> frames(const TRect& area, double gap) const { return root.frames(area, gap); }

  // The built-in templates in menu order. Their names are plain data (a user may rename them),
  // not texts to translate.
  static std::vector<LayoutTemplate> defaults();

  bool operator==(const LayoutTemplate&) const = default;
};

// The modifier key chosen in the settings for dragging and spanning.
enum class DragModifier { shift, option, control, command };

inline constexpr std::array<DragModifier, 4> allDragModifiers{
    DragModifier::shift, DragModifier::option, DragModifier::control, DragModifier::command};

// "shift", "option", "control", "command": the stored form.
const char* toString(DragModifier modifier);
std::optional<DragModifier> dragModifierFromString(std::string_view text);
// "Shift ⇧", "Option ⌥", ...: fixed texts, the same in every language.
const char* displayName(DragModifier modifier);

// A global hot key: a virtual key code, the classic hot-key modifier bits and the text shown
// to the user ("⌃⌥1").
struct KeyCombo {
  static constexpr std::uint32_t commandKey = 256;
  static constexpr std::uint32_t shiftKey = 512;
  static constexpr std::uint32_t optionKey = 2048;
  static constexpr std::uint32_t controlKey = 4096;

  std::uint32_t keyCode = 0;
  std::uint32_t carbonModifiers = 0;
  std::string display;

  bool operator==(const KeyCombo&) const = default;
};

// Virtual key codes of the digits 1 to 9 on the main keyboard.
inline constexpr std::array<std::uint32_t, 9> digitKeyCodes{18, 19, 20, 21, 23, 22, 26, 28, 25};

// Control + Option + the zone's digit, for zones 1 to 9, keyed by the zone number in decimal.
std::map<std::string, KeyCombo> defaultZoneShortcuts();

struct TilingSettings {
  // The values the settings view offers for `snapAssistantTriggerDistance` (a closed range;
  // decoding does not clamp to it).
  struct Range {
    double lower;
    double upper;
  };
  static constexpr Range snapAssistantTriggerRange{10, 400};

  double gap = 8.0;
  DragModifier dragModifier = DragModifier::control;
  DragModifier spanModifier = DragModifier::option;
  bool dragSnapEnabled = true;
  bool snapAssistantEnabled = true;
  bool snapAssistantOpenImmediately = false;
  double snapAssistantTriggerDistance = 60.0;
  bool edgeTilingEnabled = true;
  bool smartResizeEnabled = true;
  bool windowSuggestionsEnabled = true;
  std::map<std::string, KeyCombo> zoneShortcuts = defaultZoneShortcuts();
  bool restoreSizeOnUnsnap = true;

  // The shortcut of a zone number, when one is set.
  std::optional<KeyCombo> zoneShortcut(int zone) const;

  bool operator==(const TilingSettings&) const = default;
};

// Everything window layout keeps between runs. A default value holds the built-in templates.
struct TilingState {
  std::vector<LayoutTemplate> templates = LayoutTemplate::defaults();
  std::map<std::string, Uuid> assignments;  // screen key → template id
  TilingSettings settings;

  bool operator==(const TilingState&) const = default;
};

// The key that identifies a physical display across runs: "vendor-model-serial",
// "vendor-model-id<displayID>" without a serial, or the screen's name without vendor and model.
std::string screenKey(std::uint32_t vendor, std::uint32_t model, std::uint32_t serial,
                      std::uint32_t displayID, std::string_view localizedName);

// JSON forms. Decoding throws on a malformed document; `TilingSettings` and `TilingState` are
// lenient where stored data may be older or hand-edited: missing keys take their defaults, and
// an unreadable modifier or shortcut map falls back to its default.
void to_json(nlohmann::json& json, const Uuid& id);
void from_json(const nlohmann::json& json, Uuid& id);
void to_json(nlohmann::json& json, const LayoutTemplate& layout);
void from_json(const nlohmann::json& json, LayoutTemplate& layout);
void to_json(nlohmann::json& json, DragModifier modifier);
void from_json(const nlohmann::json& json, DragModifier& modifier);
void to_json(nlohmann::json& json, const KeyCombo& combo);
void from_json(const nlohmann::json& json, KeyCombo& combo);
void to_json(nlohmann::json& json, const TilingSettings& settings);
void from_json(const nlohmann::json& json, TilingSettings& settings);
void to_json(nlohmann::json& json, const TilingState& state);
void from_json(const nlohmann::json& json, TilingState& state);

// The state file's contents. Decoding answers nothing for bytes that are not a readable state
// (malformed JSON, a wrong-typed value, an invalid id, a tree nested too deeply). Encoding is
// pretty-printed with sorted keys; it answers nothing when the state cannot be written as JSON
// that reads back (a non-finite number, invalid UTF-8 in a name), and `error` then says why.
std::optional<TilingState> decodeTilingState(std::string_view bytes);
// Why templates and settings cannot be written as JSON that reads back, or nothing when they can.
std::optional<std::string> unsavableReason(const std::vector<LayoutTemplate>& templates,
                                           const TilingSettings& settings);
std::optional<std::string> encodeTilingState(const TilingState& state,
                                             std::string* error = nullptr);

}  // namespace tavorin
