#include "platform/key_names.hpp"

namespace tavorin {

std::optional<std::string_view> functionKeyName(std::uint32_t keyCode) {
  for (const FunctionKey& key : functionKeys) {
    if (key.keyCode == keyCode) return key.name;
  }
  return std::nullopt;
}

std::optional<std::string_view> keySymbol(std::uint32_t keyCode) {
  switch (keyCode) {
    case keyCodes::returnKey:
      return "↩";
    case 48:
      return "⇥";
    case keyCodes::deleteKey:
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
    case keyCodes::leftArrow:
      return "←";
    case keyCodes::rightArrow:
      return "→";
    case keyCodes::downArrow:
      return "↓";
    case keyCodes::upArrow:
      return "↑";
    default:
      return std::nullopt;
  }
}

}  // namespace tavorin
