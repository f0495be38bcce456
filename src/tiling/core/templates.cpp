#include "tiling/core/templates.hpp"

#include <cmath>

#include "tiling/core/json_support.hpp"

namespace tavorin {

namespace {

LayoutTemplate builtIn(const char* id, const char* name, LayoutNode root) {
  return {*Uuid::parse(id), name, std::move(root)};
}

}  // namespace

std::vector<LayoutTemplate> LayoutTemplate::defaults() {
  using enum SplitAxis;
  const auto leaf = LayoutNode::leaf();
  const auto split = LayoutNode::split;
  return {
      builtIn("6F1C1D40-0000-4000-8000-000000000001", "İki sütun",
              split(vertical, 0.5, leaf, leaf)),
      builtIn("6F1C1D40-0000-4000-8000-000000000002", "Üç sütun",
              split(vertical, 1.0 / 3.0, leaf, split(vertical, 0.5, leaf, leaf))),
      builtIn("6F1C1D40-0000-4000-8000-000000000003", "Ana + yan yığın",
              split(vertical, 0.6, leaf, split(horizontal, 0.5, leaf, leaf))),
      builtIn("6F1C1D40-0000-4000-8000-000000000004", "Dörtlü ızgara",
              split(horizontal, 0.5, split(vertical, 0.5, leaf, leaf),
                    split(vertical, 0.5, leaf, leaf))),
      builtIn("6F1C1D40-0000-4000-8000-000000000005", "Geniş ekran (25/50/25)",
              split(vertical, 0.25, leaf, split(vertical, 2.0 / 3.0, leaf, leaf))),
  };
}

const char* toString(DragModifier modifier) {
  switch (modifier) {
    case DragModifier::shift:
      return "shift";
    case DragModifier::option:
      return "option";
    case DragModifier::control:
      return "control";
    case DragModifier::command:
      return "command";
  }
  return "control";
}

std::optional<DragModifier> dragModifierFromString(std::string_view text) {
  for (auto modifier : allDragModifiers) {
    if (text == toString(modifier)) return modifier;
  }
  return std::nullopt;
}

const char* displayName(DragModifier modifier) {
  switch (modifier) {
    case DragModifier::shift:
      return "Shift ⇧";
    case DragModifier::option:
      return "Option ⌥";
    case DragModifier::control:
      return "Control ⌃";
    case DragModifier::command:
      return "Command ⌘";
  }
  return "Control ⌃";
}

std::map<std::string, KeyCombo> defaultZoneShortcuts() {
  std::map<std::string, KeyCombo> shortcuts;
  for (int zone = 1; zone <= 9; ++zone) {
    const std::string digit = std::to_string(zone);
    shortcuts[digit] = KeyCombo{digitKeyCodes[static_cast<std::size_t>(zone - 1)],
                                KeyCombo::controlKey | KeyCombo::optionKey, "⌃⌥" + digit};
  }
  return shortcuts;
}

std::optional<KeyCombo> TilingSettings::zoneShortcut(int zone) const {
  if (auto it = zoneShortcuts.find(std::to_string(zone)); it != zoneShortcuts.end()) {
    return it->second;
  }
  return std::nullopt;
}

std::string screenKey(std::uint32_t vendor, std::uint32_t model, std::uint32_t serial,
                      std::uint32_t displayID, std::string_view localizedName) {
  if (vendor == 0 && model == 0) return std::string(localizedName);
  std::string key = std::to_string(vendor) + "-" + std::to_string(model) + "-";
  if (serial != 0) return key + std::to_string(serial);
  return key + "id" + std::to_string(displayID);
}

// --- JSON ---

void to_json(nlohmann::json& json, const Uuid& id) {
  json = id.text();
}

void from_json(const nlohmann::json& json, Uuid& id) {
  auto parsed = Uuid::parse(json_support::string(json));
  if (!parsed) json_support::fail("invalid UUID");
  id = *parsed;
}

void to_json(nlohmann::json& json, const LayoutTemplate& layout) {
  json = nlohmann::json::object();
  json["id"] = layout.id;
  json["name"] = layout.name;
  json["root"] = layout.root;
}

void from_json(const nlohmann::json& json, LayoutTemplate& layout) {
  using namespace json_support;
  layout.id = required(json, "id").get<Uuid>();
  layout.name = string(required(json, "name"));
  layout.root = required(json, "root").get<LayoutNode>();
}

void to_json(nlohmann::json& json, DragModifier modifier) {
  json = toString(modifier);
}

void from_json(const nlohmann::json& json, DragModifier& modifier) {
  auto parsed = dragModifierFromString(json_support::string(json));
  if (!parsed) json_support::fail("unknown modifier");
  modifier = *parsed;
}

void to_json(nlohmann::json& json, const KeyCombo& combo) {
  json = nlohmann::json::object();
  json["keyCode"] = combo.keyCode;
  json["carbonModifiers"] = combo.carbonModifiers;
  json["display"] = combo.display;
}

void from_json(const nlohmann::json& json, KeyCombo& combo) {
  using namespace json_support;
  combo.keyCode = uint32(required(json, "keyCode"));
  combo.carbonModifiers = uint32(required(json, "carbonModifiers"));
  combo.display = string(required(json, "display"));
}

void to_json(nlohmann::json& json, const TilingSettings& s) {
  json = nlohmann::json::object();
  json["gap"] = s.gap;
  json["dragModifier"] = s.dragModifier;
  json["spanModifier"] = s.spanModifier;
  json["dragSnapEnabled"] = s.dragSnapEnabled;
  json["snapAssistantEnabled"] = s.snapAssistantEnabled;
  json["snapAssistantOpenImmediately"] = s.snapAssistantOpenImmediately;
  json["snapAssistantTriggerDistance"] = s.snapAssistantTriggerDistance;
  json["edgeTilingEnabled"] = s.edgeTilingEnabled;
  json["smartResizeEnabled"] = s.smartResizeEnabled;
  json["windowSuggestionsEnabled"] = s.windowSuggestionsEnabled;
  json["zoneShortcuts"] = s.zoneShortcuts;
  json["restoreSizeOnUnsnap"] = s.restoreSizeOnUnsnap;
}

namespace {

void readNumber(const nlohmann::json& json, std::string_view key, double& field) {
  if (const auto* value = json_support::optional(json, key)) field = json_support::number(*value);
}

void readBool(const nlohmann::json& json, std::string_view key, bool& field) {
  if (const auto* value = json_support::optional(json, key)) field = json_support::boolean(*value);
}

// A value that may be unreadable without spoiling the document: it keeps its default then.
template <typename T>
void readForgiving(const nlohmann::json& json, std::string_view key, T& field) {
  const auto* value = json_support::optional(json, key);
  if (value == nullptr) return;
  try {
    field = value->get<T>();
  } catch (const std::exception&) {
    // stays at its default
  }
}

}  // namespace

void from_json(const nlohmann::json& json, TilingSettings& s) {
  json_support::object(json);
  s = TilingSettings{};
  readNumber(json, "gap", s.gap);
  readForgiving(json, "dragModifier", s.dragModifier);
  readForgiving(json, "spanModifier", s.spanModifier);
  readBool(json, "dragSnapEnabled", s.dragSnapEnabled);
  readBool(json, "snapAssistantEnabled", s.snapAssistantEnabled);
  readBool(json, "snapAssistantOpenImmediately", s.snapAssistantOpenImmediately);
  readNumber(json, "snapAssistantTriggerDistance", s.snapAssistantTriggerDistance);
  readBool(json, "edgeTilingEnabled", s.edgeTilingEnabled);
  readBool(json, "smartResizeEnabled", s.smartResizeEnabled);
  readBool(json, "windowSuggestionsEnabled", s.windowSuggestionsEnabled);
  readForgiving(json, "zoneShortcuts", s.zoneShortcuts);
  readBool(json, "restoreSizeOnUnsnap", s.restoreSizeOnUnsnap);
}

void to_json(nlohmann::json& json, const TilingState& state) {
  json = nlohmann::json::object();
  json["templates"] = state.templates;
  json["assignments"] = state.assignments;
  json["settings"] = state.settings;
}

void from_json(const nlohmann::json& json, TilingState& state) {
  using namespace json_support;
  object(json);
  state = TilingState{};
  if (const auto* templates = optional(json, "templates")) {
    state.templates.clear();
    for (const auto& entry : array(*templates))
      state.templates.push_back(entry.get<LayoutTemplate>());
  }
  if (const auto* assignments = optional(json, "assignments")) {
    for (const auto& [key, value] : object(*assignments).items()) {
      state.assignments[key] = value.get<Uuid>();
    }
  }
  if (const auto* settings = optional(json, "settings")) {
    state.settings = settings->get<TilingSettings>();
  }
}

std::optional<TilingState> decodeTilingState(std::string_view bytes) {
  auto json = json_support::parse(bytes);
  if (!json) return std::nullopt;
  try {
    return json->get<TilingState>();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<std::string> unsavableReason(const std::vector<LayoutTemplate>& templates,
                                           const TilingSettings& settings) {
  if (!std::isfinite(settings.gap) || !std::isfinite(settings.snapAssistantTriggerDistance)) {
    return "a setting is not a finite number";
  }
  for (const auto& layout : templates) {
    if (!layout.root.canBeSaved()) {
      return "the layout \"" + layout.name +
             "\" has a ratio that is not finite or is nested too deeply";
    }
  }
  return std::nullopt;
}

std::optional<std::string> encodeTilingState(const TilingState& state, std::string* error) {
  if (auto reason = unsavableReason(state.templates, state.settings)) {
    if (error != nullptr) *error = std::move(*reason);
    return std::nullopt;
  }
  return json_support::encodePrettySorted(state, error);
}

}  // namespace tavorin
