#include "platform/sim/sim_keyboard_layout.hpp"

#include <utility>

namespace tavorin::sim {

namespace {

using KeyMap = std::map<std::uint16_t, std::string>;

// What each key of a US keyboard types without modifiers, by virtual key code. Control keys
// type the control characters the platform reports for them; modifier keys type nothing.
KeyMap usKeys() {
  KeyMap keys = {
      {0, "a"},      {1, "s"},      {2, "d"},      {3, "f"},      {4, "h"},      {5, "g"},
      {6, "z"},      {7, "x"},      {8, "c"},      {9, "v"},      {11, "b"},     {12, "q"},
      {13, "w"},     {14, "e"},     {15, "r"},     {16, "y"},     {17, "t"},     {18, "1"},
      {19, "2"},     {20, "3"},     {21, "4"},     {22, "6"},     {23, "5"},     {24, "="},
      {25, "9"},     {26, "7"},     {27, "-"},     {28, "8"},     {29, "0"},     {30, "]"},
      {31, "o"},     {32, "u"},     {33, "["},     {34, "i"},     {35, "p"},     {36, "\r"},
      {37, "l"},     {38, "j"},     {39, "'"},     {40, "k"},     {41, ";"},     {42, "\\"},
      {43, ","},     {44, "/"},     {45, "n"},     {46, "m"},     {47, "."},     {48, "\t"},
      {49, " "},     {50, "`"},     {51, "\x08"},  {53, "\x1b"},  {65, "."},     {67, "*"},
      {69, "+"},     {75, "/"},     {76, "\x03"},  {78, "-"},     {81, "="},     {82, "0"},
      {83, "1"},     {84, "2"},     {85, "3"},     {86, "4"},     {87, "5"},     {88, "6"},
      {89, "7"},     {91, "8"},     {92, "9"},     {115, "\x01"}, {116, "\x0b"}, {117, "\x7f"},
      {119, "\x04"}, {121, "\x0c"}, {123, "\x1c"}, {124, "\x1d"}, {125, "\x1f"}, {126, "\x1e"},
  };
  // F1…F20 type the function-key character.
  for (std::uint16_t code : {122, 120, 99,  118, 96,  97,  98, 100, 101, 109,
                             103, 111, 105, 107, 113, 106, 64, 79,  80,  90}) {
    keys[code] = std::string(1, '\x10');
  }
  return keys;
}

KeyMap withChanges(KeyMap keys, const KeyMap& changes) {
  for (const auto& [code, text] : changes)
    keys[code] = text;
  return keys;
}

// QWERTZ: Y and Z swap places, umlauts sit on the punctuation keys.
KeyMap germanKeys() {
  return withChanges(usKeys(), {{6, "y"},
                                {16, "z"},
                                {10, "^"},
                                {50, "<"},
                                {27, "ß"},
                                {24, "´"},
                                {33, "ü"},
                                {30, "+"},
                                {41, "ö"},
                                {39, "ä"},
                                {42, "#"},
                                {44, "-"}});
}

// AZERTY: A/Q and Z/W swap, M moves to the right of L, the top row types symbols.
KeyMap frenchKeys() {
  return withChanges(usKeys(),
                     {{0, "q"},  {12, "a"}, {6, "w"},  {13, "z"}, {41, "m"}, {46, ","}, {43, ";"},
                      {47, ":"}, {44, "="}, {10, "@"}, {50, "<"}, {18, "&"}, {19, "é"}, {20, "\""},
                      {21, "'"}, {23, "("}, {22, "§"}, {26, "è"}, {28, "!"}, {25, "ç"}, {29, "à"},
                      {27, ")"}, {24, "-"}, {33, "^"}, {30, "$"}, {39, "ù"}, {42, "`"}});
}

// Dvorak: nearly every letter moves; X, C and V are far from their QWERTY keys.
KeyMap dvorakKeys() {
  return withChanges(usKeys(),
                     {{12, "'"}, {13, ","}, {14, "."}, {15, "p"}, {17, "y"}, {16, "f"}, {32, "g"},
                      {34, "c"}, {31, "r"}, {35, "l"}, {33, "/"}, {30, "="}, {0, "a"},  {1, "o"},
                      {2, "e"},  {3, "u"},  {5, "i"},  {4, "d"},  {38, "h"}, {40, "t"}, {37, "n"},
                      {41, "s"}, {39, "-"}, {6, ";"},  {7, "q"},  {8, "j"},  {9, "k"},  {11, "x"},
                      {45, "b"}, {46, "m"}, {43, "w"}, {47, "v"}, {44, "z"}, {27, "["}, {24, "]"}});
}

}  // namespace

SimKeyboardLayout::SimKeyboardLayout() {
  layouts_.emplace(std::string(us), Definition{usKeys(), true});
  layouts_.emplace(std::string(german), Definition{germanKeys(), true});
  layouts_.emplace(std::string(french), Definition{frenchKeys(), true});
  layouts_.emplace(std::string(dvorak), Definition{dvorakKeys(), true});
  selected_ = std::string(us);
}

std::optional<KeyboardLayoutService::Layout> SimKeyboardLayout::currentLayout() {
  if (!selected_) return std::nullopt;
  auto found = layouts_.find(*selected_);
  if (found == layouts_.end()) return std::nullopt;
  return Layout{*selected_, found->second.hasKeyTranslation};
}

std::optional<std::string> SimKeyboardLayout::translateKey(std::uint16_t keyCode) {
  if (!selected_) return std::nullopt;
  auto layout = layouts_.find(*selected_);
  if (layout == layouts_.end() || !layout->second.hasKeyTranslation) return std::nullopt;
  ++translations_;
  auto key = layout->second.keys.find(keyCode);
  if (key == layout->second.keys.end()) return std::nullopt;
  return key->second;
}

Subscription SimKeyboardLayout::observeLayoutChanges(std::function<void()> onChange) {
  return changed_.connect([onChange = std::move(onChange)] { onChange(); });
}

void SimKeyboardLayout::select(std::string_view id) {
  if (layouts_.contains(id)) {
    selected_ = std::string(id);
  } else {
    selected_.reset();
  }
  changed_.emit();
}

void SimKeyboardLayout::selectNone() {
  selected_.reset();
  changed_.emit();
}

void SimKeyboardLayout::define(std::string id, std::map<std::uint16_t, std::string> keys,
                               bool hasKeyTranslation) {
  layouts_[std::move(id)] = Definition{std::move(keys), hasKeyTranslation};
}

}  // namespace tavorin::sim
