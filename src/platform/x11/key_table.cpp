#include "platform/x11/key_table.hpp"

#include <array>
#include <utility>

#include "platform/hot_keys.hpp"

namespace tavorin::x11 {

namespace {

struct KeyEntry {
  std::uint32_t virtualKeyCode;
  std::string_view xkbName;
};

// Virtual key code and the XKB name of the key at the same place on the keyboard.
constexpr KeyEntry keys[] = {
    {0, "AC01"},   {1, "AC02"},   {2, "AC03"},   {3, "AC04"},   {4, "AC06"},   {5, "AC05"},
    {6, "AB01"},   {7, "AB02"},   {8, "AB03"},   {9, "AB04"},   {10, "LSGT"},  {11, "AB05"},
    {12, "AD01"},  {13, "AD02"},  {14, "AD03"},  {15, "AD04"},  {16, "AD06"},  {17, "AD05"},
    {18, "AE01"},  {19, "AE02"},  {20, "AE03"},  {21, "AE04"},  {22, "AE06"},  {23, "AE05"},
    {24, "AE12"},  {25, "AE09"},  {26, "AE07"},  {27, "AE11"},  {28, "AE08"},  {29, "AE10"},
    {30, "AD12"},  {31, "AD09"},  {32, "AD07"},  {33, "AD11"},  {34, "AD08"},  {35, "AD10"},
    {36, "RTRN"},  {37, "AC09"},  {38, "AC07"},  {39, "AC11"},  {40, "AC08"},  {41, "AC10"},
    {42, "BKSL"},  {43, "AB08"},  {44, "AB10"},  {45, "AB06"},  {46, "AB07"},  {47, "AB09"},
    {48, "TAB"},   {49, "SPCE"},  {50, "TLDE"},  {51, "BKSP"},  {53, "ESC"},   {54, "RWIN"},
    {55, "LWIN"},  {56, "LFSH"},  {57, "CAPS"},  {58, "LALT"},  {59, "LCTL"},  {60, "RTSH"},
    {61, "RALT"},  {62, "RCTL"},  {64, "FK17"},  {65, "KPDL"},  {67, "KPMU"},  {69, "KPAD"},
    {71, "NMLK"},  {72, "VOL+"},  {73, "VOL-"},  {74, "MUTE"},  {75, "KPDV"},  {76, "KPEN"},
    {78, "KPSU"},  {79, "FK18"},  {80, "FK19"},  {81, "KPEQ"},  {82, "KP0"},   {83, "KP1"},
    {84, "KP2"},   {85, "KP3"},   {86, "KP4"},   {87, "KP5"},   {88, "KP6"},   {89, "KP7"},
    {90, "FK20"},  {91, "KP8"},   {92, "KP9"},   {93, "AE13"},  {94, "AB11"},  {96, "FK05"},
    {97, "FK06"},  {98, "FK07"},  {99, "FK03"},  {100, "FK08"}, {101, "FK09"}, {103, "FK11"},
    {105, "FK13"}, {106, "FK16"}, {107, "FK14"}, {109, "FK10"}, {110, "COMP"}, {111, "FK12"},
    {113, "FK15"}, {114, "INS"},  {115, "HOME"}, {116, "PGUP"}, {117, "DELE"}, {118, "FK04"},
    {119, "END"},  {120, "FK02"}, {121, "PGDN"}, {122, "FK01"}, {123, "LEFT"}, {124, "RGHT"},
    {125, "DOWN"}, {126, "UP"},
};

// Hot key bit, event flag bit, and which real modifier carries it.
struct ModifierEntry {
  std::uint32_t hotKeyBit;
  std::uint64_t eventFlag;
  std::uint16_t ModifierMasks::*mask;
};

constexpr std::array<ModifierEntry, 4> modifiers{{
    {hotKeyModifiers::command, 0x100000, &ModifierMasks::super},
    {hotKeyModifiers::shift, 0x20000, &ModifierMasks::shift},
    {hotKeyModifiers::option, 0x80000, &ModifierMasks::alt},
    {hotKeyModifiers::control, 0x40000, &ModifierMasks::control},
}};

}  // namespace

std::optional<std::string_view> xkbKeyName(std::uint32_t virtualKeyCode) {
  for (const KeyEntry& key : keys) {
    if (key.virtualKeyCode == virtualKeyCode) return key.xkbName;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> virtualKeyCode(std::string_view xkbKeyName) {
  for (const KeyEntry& key : keys) {
    if (key.xkbName == xkbKeyName) return key.virtualKeyCode;
  }
  return std::nullopt;
}

std::uint16_t xModifierMask(std::uint32_t hotKeyBits, const ModifierMasks& masks) {
  std::uint16_t result = 0;
  for (const ModifierEntry& entry : modifiers) {
    if ((hotKeyBits & entry.hotKeyBit) != 0) result |= masks.*entry.mask;
  }
  return result;
}

std::uint32_t hotKeyModifiers(std::uint16_t xMask, const ModifierMasks& masks) {
  std::uint32_t result = 0;
  for (const ModifierEntry& entry : modifiers) {
    if ((xMask & masks.*entry.mask) != 0) result |= entry.hotKeyBit;
  }
  return result;
}

std::uint64_t eventModifierFlags(std::uint16_t xMask, const ModifierMasks& masks) {
  std::uint64_t result = 0;
  for (const ModifierEntry& entry : modifiers) {
    if ((xMask & masks.*entry.mask) != 0) result |= entry.eventFlag;
  }
  return result;
}

}  // namespace tavorin::x11
