#include "pointer/core/modifier_keys.hpp"

namespace tavorin {

std::string_view rawValue(ModifierKey key) {
  switch (key) {
    case ModifierKey::control:
      return "control";
    case ModifierKey::option:
      return "option";
    case ModifierKey::command:
      return "command";
    case ModifierKey::shift:
      return "shift";
  }
  return "control";
}

std::optional<ModifierKey> modifierKeyFromRawValue(std::string_view raw) {
  for (ModifierKey key : allModifierKeys) {
    if (rawValue(key) == raw) return key;
  }
  return std::nullopt;
}

std::string_view displayName(ModifierKey key) {
  switch (key) {
    case ModifierKey::control:
      return "⌃ Control";
    case ModifierKey::option:
      return "⌥ Option";
    case ModifierKey::command:
      return "⌘ Command";
    case ModifierKey::shift:
      return "⇧ Shift";
  }
  return "⌃ Control";
}

ModifierSet modifierSet(ModifierKey key) {
  switch (key) {
    case ModifierKey::control:
      return ModifierSet::control;
    case ModifierKey::option:
      return ModifierSet::option;
    case ModifierKey::command:
      return ModifierSet::command;
    case ModifierKey::shift:
      return ModifierSet::shift;
  }
  return {};
}

}  // namespace tavorin
