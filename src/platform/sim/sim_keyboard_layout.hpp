#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/keyboard_layout_service.hpp"
#include "platform/signal.hpp"

namespace tavorin::sim {

// The keyboard layouts of the simulated desktop. US, German (QWERTZ), French (AZERTY) and
// Dvorak are built in and US is selected; a test switches between them, defines layouts of its
// own, or takes every ASCII-capable layout away. Each switch raises the change notice on the
// calling thread.
class SimKeyboardLayout final : public KeyboardLayoutService {
 public:
  static constexpr std::string_view us = "sim.keylayout.US";
  static constexpr std::string_view german = "sim.keylayout.German";
  static constexpr std::string_view french = "sim.keylayout.French";
  static constexpr std::string_view dvorak = "sim.keylayout.Dvorak";

  SimKeyboardLayout();

  std::optional<Layout> currentLayout() override;
  std::optional<std::string> translateKey(std::uint16_t keyCode) override;
  Subscription observeLayoutChanges(std::function<void()> onChange) override;

  // Selects a defined layout (an unknown id selects nothing) and raises the notice.
  void select(std::string_view id);
  // No ASCII-capable layout from now on; raises the notice.
  void selectNone();
  // Adds a layout (key code → text typed); keys left out cannot be translated. Define a layout
  // before selecting it: a layout keeps its id only while its keys stay the same.
  void define(std::string id, std::map<std::uint16_t, std::string> keys,
              bool hasKeyTranslation = true);
  // Raises the notice without changing anything, as a platform may.
  void notifyChange() { changed_.emit(); }

  std::optional<std::string> selectedID() const { return selected_; }
  // How many keys were translated so far: shows when a cache of the layout was rebuilt.
  int translationCount() const { return translations_; }

 private:
  struct Definition {
    std::map<std::uint16_t, std::string> keys;
    bool hasKeyTranslation = true;
  };
  std::map<std::string, Definition, std::less<>> layouts_;
  std::optional<std::string> selected_;
  int translations_ = 0;
  Signal<> changed_;
};

}  // namespace tavorin::sim
